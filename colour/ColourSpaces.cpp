// SPDX-License-Identifier: MIT
#include "ColourSpaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ColourSpaces {

namespace {

using Matrix = std::array<Triple, 3>;

Triple Multiply(const Matrix& m, const Triple& v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// The matrices are those of the CSS Color 4 sample code, as rational numbers
// where it gives them so, so that the compiler rounds each once.
constexpr Matrix LinearSrgbToXyzMatrix{{
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
}};
constexpr Matrix XyzToLinearSrgbMatrix{{
    {12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667},
}};
constexpr Matrix LinearP3ToXyzMatrix{{
    {608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
    {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
    {0.0, 32229.0 / 714400, 5220557.0 / 5000800},
}};
constexpr Matrix XyzToLinearP3Matrix{{
    {446124.0 / 178915, -333277.0 / 357830, -72051.0 / 178915},
    {-14852.0 / 17905, 63121.0 / 35810, 423.0 / 17905},
    {11844.0 / 330415, -50337.0 / 660830, 316169.0 / 330415},
}};
constexpr Matrix LinearA98ToXyzMatrix{{
    {573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
    {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
    {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835},
}};
constexpr Matrix XyzToLinearA98Matrix{{
    {1829569.0 / 896150, -506331.0 / 896150, -308931.0 / 896150},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {16779.0 / 1248040, -147721.0 / 1248040, 1266979.0 / 1248040},
}};
constexpr Matrix LinearProphotoToXyzD50Matrix{{
    {0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
    {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
    {0.0, 0.0, 0.82510460251046020},
}};
constexpr Matrix XyzD50ToLinearProphotoMatrix{{
    {1.34578688164715830, -0.25557208737979464, -0.05110186497554526},
    {-0.54463070512490190, 1.50824774284514680, 0.02052744743642139},
    {0.0, 0.0, 1.21196754563894520},
}};
constexpr Matrix LinearRec2020ToXyzMatrix{{
    {63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
    {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
    {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314},
}};
constexpr Matrix XyzToLinearRec2020Matrix{{
    {30757411.0 / 17917100, -6372589.0 / 17917100, -4539589.0 / 17917100},
    {-19765991.0 / 29648200, 47925759.0 / 29648200, 467509.0 / 29648200},
    {792561.0 / 44930125, -1921689.0 / 44930125, 42328811.0 / 44930125},
}};
constexpr Matrix D65ToD50Matrix{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr Matrix D50ToD65Matrix{{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix XyzToLmsMatrix{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix LmsToOklabMatrix{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr Matrix LmsToXyzMatrix{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};
constexpr Matrix OklabToLmsMatrix{{
    {1.0, 0.3963377773761749, 0.2158037573099136},
    {1.0, -0.1055613458156586, -0.0638541728258133},
    {1.0, -0.0894841775298119, -1.2914855480194092},
}};

// D50 white from its four-figure chromaticity, as CIE Lab takes it.
constexpr Triple D50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double LabEpsilon = 216.0 / 24389;
constexpr double LabKappa = 24389.0 / 27;

constexpr double DegreesPerRadian = 180 / std::numbers::pi;

} // namespace

double SrgbToLinear(double encoded)
{
    const double magnitude = std::abs(encoded);
    if (magnitude <= 0.04045) {
        return encoded / 12.92;
    }
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), encoded);
}

double LinearToSrgb(double linear)
{
    const double magnitude = std::abs(linear);
    if (magnitude > 0.0031308) {
        return std::copysign(1.055 * std::pow(magnitude, 1 / 2.4) - 0.055, linear);
    }
    return 12.92 * linear;
}

double A98ToLinear(double encoded)
{
    return std::copysign(std::pow(std::abs(encoded), 563.0 / 256), encoded);
}

double LinearToA98(double linear)
{
    return std::copysign(std::pow(std::abs(linear), 256.0 / 563), linear);
}

double ProphotoToLinear(double encoded)
{
    const double magnitude = std::abs(encoded);
    return magnitude <= 16.0 / 512 ? encoded / 16
                                   : std::copysign(std::pow(magnitude, 1.8), encoded);
}

double LinearToProphoto(double linear)
{
    const double magnitude = std::abs(linear);
    return magnitude >= 1.0 / 512 ? std::copysign(std::pow(magnitude, 1 / 1.8), linear)
                                  : 16 * linear;
}

// The BT.2020 curve's constants, to the precision its 12-bit form needs.
constexpr double Rec2020Alpha = 1.09929682680944;
constexpr double Rec2020Beta = 0.018053968510807;

double Rec2020ToLinear(double encoded)
{
    const double magnitude = std::abs(encoded);
    if (magnitude < Rec2020Beta * 4.5) {
        return encoded / 4.5;
    }
    return std::copysign(std::pow((magnitude + Rec2020Alpha - 1) / Rec2020Alpha, 1 / 0.45),
                         encoded);
}

double LinearToRec2020(double linear)
{
    const double magnitude = std::abs(linear);
    if (magnitude > Rec2020Beta) {
        return std::copysign(Rec2020Alpha * std::pow(magnitude, 0.45) - (Rec2020Alpha - 1), linear);
    }
    return 4.5 * linear;
}

Triple LinearA98ToXyz(const Triple& rgb)
{
    return Multiply(LinearA98ToXyzMatrix, rgb);
}

Triple XyzToLinearA98(const Triple& xyz)
{
    return Multiply(XyzToLinearA98Matrix, xyz);
}

Triple LinearProphotoToXyzD50(const Triple& rgb)
{
    return Multiply(LinearProphotoToXyzD50Matrix, rgb);
}

Triple XyzD50ToLinearProphoto(const Triple& xyz)
{
    return Multiply(XyzD50ToLinearProphotoMatrix, xyz);
}

Triple LinearRec2020ToXyz(const Triple& rgb)
{
    return Multiply(LinearRec2020ToXyzMatrix, rgb);
}

Triple XyzToLinearRec2020(const Triple& xyz)
{
    return Multiply(XyzToLinearRec2020Matrix, xyz);
}

Triple LinearSrgbToXyz(const Triple& rgb)
{
    return Multiply(LinearSrgbToXyzMatrix, rgb);
}

Triple XyzToLinearSrgb(const Triple& xyz)
{
    return Multiply(XyzToLinearSrgbMatrix, xyz);
}

Triple LinearP3ToXyz(const Triple& rgb)
{
    return Multiply(LinearP3ToXyzMatrix, rgb);
}

Triple XyzToLinearP3(const Triple& xyz)
{
    return Multiply(XyzToLinearP3Matrix, xyz);
}

Triple D65ToD50(const Triple& xyz)
{
    return Multiply(D65ToD50Matrix, xyz);
}

Triple D50ToD65(const Triple& xyz)
{
    return Multiply(D50ToD65Matrix, xyz);
}

Triple XyzD50ToLab(const Triple& xyz)
{
    Triple f{};
    for (int i = 0; i < 3; ++i) {
        const double scaled = xyz[i] / D50White[i];
        f[i] = scaled > LabEpsilon ? std::cbrt(scaled) : (LabKappa * scaled + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

Triple LabToXyzD50(const Triple& lab)
{
    const double f1 = (lab[0] + 16) / 116;
    const double f0 = lab[1] / 500 + f1;
    const double f2 = f1 - lab[2] / 200;
    const double cube0 = f0 * f0 * f0;
    const double cube2 = f2 * f2 * f2;
    const Triple xyz{cube0 > LabEpsilon ? cube0 : (116 * f0 - 16) / LabKappa,
                     lab[0] > LabKappa * LabEpsilon ? f1 * f1 * f1 : lab[0] / LabKappa,
                     cube2 > LabEpsilon ? cube2 : (116 * f2 - 16) / LabKappa};
    return {xyz[0] * D50White[0], xyz[1] * D50White[1], xyz[2] * D50White[2]};
}

Triple XyzToOklab(const Triple& xyz)
{
    const Triple lms = Multiply(XyzToLmsMatrix, xyz);
    // std::cbrt keeps the sign, as the cube root here must.
    return Multiply(LmsToOklabMatrix, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

Triple OklabToXyz(const Triple& oklab)
{
    const Triple lms = Multiply(OklabToLmsMatrix, oklab);
    return Multiply(LmsToXyzMatrix,
                    {lms[0] * lms[0] * lms[0], lms[1] * lms[1] * lms[1], lms[2] * lms[2] * lms[2]});
}

Triple LinearSrgbToOklab(const Triple& rgb)
{
    return XyzToOklab(LinearSrgbToXyz(rgb));
}

Triple OklabToLinearSrgb(const Triple& oklab)
{
    return XyzToLinearSrgb(OklabToXyz(oklab));
}

Triple ToPolar(const Triple& lab)
{
    const double chroma = std::hypot(lab[1], lab[2]);
    const double hue = chroma == 0 ? 0 : NormalHue(std::atan2(lab[2], lab[1]) * DegreesPerRadian);
    return {lab[0], chroma, hue};
}

Triple FromPolar(const Triple& lch)
{
    // Brought into 0-360 first, exactly: 1e308 degrees is 296, not whatever
    // the quotient of 1e308 and 57.29... comes to.
    const double radians = NormalHue(lch[2]) / DegreesPerRadian;
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

double NormalHue(double degrees)
{
    const double hue = std::fmod(degrees, 360.0);
    // fmod keeps the sign; -1e-20 would become 360 after adding, hence the check.
    if (hue < 0) {
        const double wrapped = hue + 360;
        return wrapped < 360 ? wrapped : 0;
    }
    return hue;
}

Triple HslToSrgb(const Triple& hsl)
{
    const double hue = NormalHue(hsl[0]);
    const double saturation = hsl[1] / 100;
    const double lightness = hsl[2] / 100;
    // Each channel is l - s min(l, 1 - l) f. Outside 0-1 the lightness is kept
    // apart from what the saturation adds or takes: 1e18 - (1e18 - 1) is 0 in
    // doubles, and hsl(0 100% 1e20%) would lose its red.
    const auto channel = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12.0);
        const double f = std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
        if (lightness > 1) {
            return 1 + (lightness - 1) * (1 + saturation * f);
        }
        if (lightness < 0) {
            return lightness * (1 - saturation * f);
        }
        return lightness - saturation * std::min(lightness, 1 - lightness) * f;
    };
    return {channel(0), channel(8), channel(4)};
}

Triple SrgbToHsl(const Triple& rgb)
{
    const double high = std::max({rgb[0], rgb[1], rgb[2]});
    const double low = std::min({rgb[0], rgb[1], rgb[2]});
    const double range = high - low;
    const double lightness = (high + low) / 2;
    double hue = 0;
    double saturation = 0;
    if (range != 0) {
        saturation = (lightness == 0 || lightness == 1)
                         ? 0
                         : (high - lightness) / std::min(lightness, 1 - lightness);
        if (high == rgb[0]) {
            hue = (rgb[1] - rgb[2]) / range + (rgb[1] < rgb[2] ? 6 : 0);
        } else if (high == rgb[1]) {
            hue = (rgb[2] - rgb[0]) / range + 2;
        } else {
            hue = (rgb[0] - rgb[1]) / range + 4;
        }
        hue *= 60;
    }
    // Colours far outside sRGB can give a negative saturation: turn the hue.
    if (saturation < 0) {
        hue += 180;
        saturation = -saturation;
    }
    return {NormalHue(hue), saturation * 100, lightness * 100};
}

Triple HwbToSrgb(const Triple& hwb)
{
    const double white = hwb[1] / 100;
    const double black = hwb[2] / 100;
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return {grey, grey, grey};
    }
    Triple rgb = HslToSrgb({hwb[0], 100, 50});
    for (double& channel : rgb) {
        channel = channel * (1 - white - black) + white;
    }
    return rgb;
}

Triple SrgbToHwb(const Triple& rgb)
{
    const double white = std::min({rgb[0], rgb[1], rgb[2]});
    const double black = 1 - std::max({rgb[0], rgb[1], rgb[2]});
    return {SrgbToHsl(rgb)[0], white * 100, black * 100};
}

double DeltaEOK(const Triple& oklab1, const Triple& oklab2)
{
    const double dl = oklab1[0] - oklab2[0];
    const double da = oklab1[1] - oklab2[1];
    const double db = oklab1[2] - oklab2[2];
    return std::sqrt(dl * dl + da * da + db * db);
}

} // namespace ColourSpaces
