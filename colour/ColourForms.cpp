// SPDX-License-Identifier: MIT
#include "ColourForms.h"

#include "ColourSpaces.h"
#include "EightBit.h"
#include "GamutMap.h"

#include <algorithm>
#include <cmath>

namespace ColourForms {

namespace {

using namespace ColourSpaces;

constexpr double LchPowerlessChroma = 0.0015;
constexpr double OklchPowerlessChroma = 0.000004;

Converted FromEncoded(const Triple& rgb)
{
    return {{EightBit::FromSrgb(rgb[0]), EightBit::FromSrgb(rgb[1]), EightBit::FromSrgb(rgb[2])},
            false};
}

Converted FromLinear(const Triple& linear, bool mapped)
{
    return {{EightBit::FromLinear(linear[0]), EightBit::FromLinear(linear[1]),
             EightBit::FromLinear(linear[2])},
            mapped};
}

Converted FromMapped(const GamutMap::Result& result)
{
    return FromLinear(result.linear, result.outside);
}

Triple LabToLinearSrgb(const Triple& lab)
{
    return XyzToLinearSrgb(D50ToD65(LabToXyzD50(lab)));
}

double ClampNaN(double value, double low, double high)
{
    return value > high ? high : (value >= low ? value : low);
}

Triple Linear(Rgb8 colour)
{
    return {EightBit::ToLinear(colour.red), EightBit::ToLinear(colour.green),
            EightBit::ToLinear(colour.blue)};
}

Triple Encoded(Rgb8 colour)
{
    return {colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0};
}

Triple PowerlessHue(Triple lch, double epsilon)
{
    if (lch[1] <= epsilon) {
        lch[2] = 0;
    }
    return lch;
}

} // namespace

Converted ToRgb8(Form form, const Triple& v)
{
    switch (form) {
    case Form::Rgb:
        // rgb() numbers are rounded as they stand, so that 127.5 is exactly a half.
        return {{EightBit::FromLevel(v[0]), EightBit::FromLevel(v[1]), EightBit::FromLevel(v[2])},
                false};
    case Form::Srgb:
        return FromEncoded(v);
    case Form::Hsl:
        return FromEncoded(HslToSrgb({v[0], std::max(v[1], 0.0), v[2]}));
    case Form::Hwb:
        return FromEncoded(HwbToSrgb(v));
    case Form::SrgbLinear:
        return FromLinear(v, false);
    case Form::DisplayP3: {
        const Triple p3{SrgbToLinear(v[0]), SrgbToLinear(v[1]), SrgbToLinear(v[2])};
        return FromMapped(GamutMap::FromLinearSrgb(XyzToLinearSrgb(LinearP3ToXyz(p3))));
    }
    case Form::Lab:
        return FromMapped(
            GamutMap::FromLinearSrgb(LabToLinearSrgb({ClampNaN(v[0], 0, 100), v[1], v[2]})));
    case Form::Lch: {
        const Triple lch{ClampNaN(v[0], 0, 100), std::max(v[1], 0.0), v[2]};
        return FromMapped(GamutMap::FromLinearSrgb(LabToLinearSrgb(FromPolar(lch))));
    }
    case Form::Oklab:
        return FromMapped(GamutMap::FromOklab({ClampNaN(v[0], 0, 1), v[1], v[2]}));
    case Form::Oklch:
        return FromMapped(
            GamutMap::FromOklab(FromPolar({ClampNaN(v[0], 0, 1), std::max(v[1], 0.0), v[2]})));
    }
    return {};
}

Triple FromRgb8(Form form, Rgb8 colour)
{
    switch (form) {
    case Form::Rgb:
        return {double(colour.red), double(colour.green), double(colour.blue)};
    case Form::Srgb:
        return Encoded(colour);
    case Form::SrgbLinear:
        return Linear(colour);
    case Form::Hsl: {
        Triple hsl = SrgbToHsl(Encoded(colour));
        return hsl[1] == 0 ? Triple{0, 0, hsl[2]} : hsl;
    }
    case Form::Hwb: {
        Triple hwb = SrgbToHwb(Encoded(colour));
        return hwb[1] + hwb[2] >= 100 ? Triple{0, hwb[1], hwb[2]} : hwb;
    }
    case Form::DisplayP3: {
        const Triple p3 = XyzToLinearP3(LinearSrgbToXyz(Linear(colour)));
        return {LinearToSrgb(p3[0]), LinearToSrgb(p3[1]), LinearToSrgb(p3[2])};
    }
    case Form::Lab:
        return XyzD50ToLab(D65ToD50(LinearSrgbToXyz(Linear(colour))));
    case Form::Lch:
        return PowerlessHue(ToPolar(FromRgb8(Form::Lab, colour)), LchPowerlessChroma);
    case Form::Oklab:
        return LinearSrgbToOklab(Linear(colour));
    case Form::Oklch:
        return PowerlessHue(ToPolar(LinearSrgbToOklab(Linear(colour))), OklchPowerlessChroma);
    }
    return {};
}

} // namespace ColourForms
