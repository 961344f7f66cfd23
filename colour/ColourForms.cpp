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

Triple Each(const Triple& v, double (*f)(double))
{
    return {f(v[0]), f(v[1]), f(v[2])};
}

bool InUnit(const Triple& v)
{
    return v[0] >= 0 && v[0] <= 1 && v[1] >= 0 && v[1] <= 1 && v[2] >= 0 && v[2] <= 1;
}

bool OnHalf(double level)
{
    return std::abs(level - std::floor(level) - 0.5) < EightBit::NearHalfSteps;
}

bool IsSrgbEncoded(Form form)
{
    return form == Form::Rgb || form == Form::Srgb || form == Form::Hsl || form == Form::Hwb;
}

// rgb(), color(srgb), hsl() and hwb() as gamma-encoded sRGB, 0 to 1.
Triple ToEncoded(Form form, const Triple& v)
{
    switch (form) {
    case Form::Rgb:
        return {v[0] / 255, v[1] / 255, v[2] / 255};
    case Form::Hsl:
        return HslToSrgb(v);
    case Form::Hwb:
        return HwbToSrgb(v);
    default:
        return v;
    }
}

Triple FromEncoded(Form form, const Triple& rgb)
{
    switch (form) {
    case Form::Rgb:
        return {rgb[0] * 255, rgb[1] * 255, rgb[2] * 255};
    case Form::Hsl:
        return SrgbToHsl(rgb);
    case Form::Hwb:
        return SrgbToHwb(rgb);
    default:
        return rgb;
    }
}

Triple ToXyz(Form form, const Triple& v)
{
    switch (form) {
    case Form::Rgb:
    case Form::Srgb:
    case Form::Hsl:
    case Form::Hwb:
        return LinearSrgbToXyz(Each(ToEncoded(form, v), SrgbToLinear));
    case Form::SrgbLinear:
        return LinearSrgbToXyz(v);
    case Form::DisplayP3:
        return LinearP3ToXyz(Each(v, SrgbToLinear));
    case Form::A98Rgb:
        return LinearA98ToXyz(Each(v, A98ToLinear));
    case Form::ProphotoRgb:
        return D50ToD65(LinearProphotoToXyzD50(Each(v, ProphotoToLinear)));
    case Form::Rec2020:
        return LinearRec2020ToXyz(Each(v, Rec2020ToLinear));
    case Form::Xyz:
        return v;
    case Form::XyzD50:
        return D50ToD65(v);
    case Form::Lab:
        return D50ToD65(LabToXyzD50(v));
    case Form::Lch:
        return D50ToD65(LabToXyzD50(FromPolar(v)));
    case Form::Oklab:
        return OklabToXyz(v);
    case Form::Oklch:
        return OklabToXyz(FromPolar(v));
    }
    return {};
}

Triple FromXyz(Form form, const Triple& xyz)
{
    switch (form) {
    case Form::Rgb:
    case Form::Srgb:
    case Form::Hsl:
    case Form::Hwb: {
        Triple linear = XyzToLinearSrgb(xyz);
        if ((form == Form::Hsl || form == Form::Hwb) && !InUnit(linear)) {
            linear = GamutMap::FromLinearSrgb(linear).linear;
        }
        return FromEncoded(form, Each(linear, LinearToSrgb));
    }
    case Form::SrgbLinear:
        return XyzToLinearSrgb(xyz);
    case Form::DisplayP3:
        return Each(XyzToLinearP3(xyz), LinearToSrgb);
    case Form::A98Rgb:
        return Each(XyzToLinearA98(xyz), LinearToA98);
    case Form::ProphotoRgb:
        return Each(XyzD50ToLinearProphoto(D65ToD50(xyz)), LinearToProphoto);
    case Form::Rec2020:
        return Each(XyzToLinearRec2020(xyz), LinearToRec2020);
    case Form::Xyz:
        return xyz;
    case Form::XyzD50:
        return D65ToD50(xyz);
    case Form::Lab:
        return XyzD50ToLab(D65ToD50(xyz));
    case Form::Lch:
        return ToPolar(XyzD50ToLab(D65ToD50(xyz)));
    case Form::Oklab:
        return XyzToOklab(xyz);
    case Form::Oklch:
        return ToPolar(XyzToOklab(xyz));
    }
    return {};
}

Converted FromMapped(const GamutMap::Result& mapped, const Triple& linear);

// The 8-bit colour of gamma-encoded sRGB channels, mapped when outside.
Converted FromSrgb(const Triple& rgb)
{
    Converted result;
    result.colour = {EightBit::FromSrgb(rgb[0]), EightBit::FromSrgb(rgb[1]),
                     EightBit::FromSrgb(rgb[2])};
    if (InUnit(rgb)) {
        result.nearHalf = OnHalf(rgb[0] * 255) || OnHalf(rgb[1] * 255) || OnHalf(rgb[2] * 255);
        return result;
    }
    const Rgb8 clipped = result.colour;
    result = FromMapped(GamutMap::FromLinearSrgb(Each(rgb, SrgbToLinear)), {});
    result.clipped.reset();
    if (!(clipped == result.colour)) {
        result.clipped = clipped;
    }
    return result;
}

// The 8-bit colour of a gamut mapping's result; linear is the colour before it.
Converted FromMapped(const GamutMap::Result& mapped, const Triple& linear)
{
    Converted result;
    result.colour = {EightBit::FromLinear(mapped.linear[0]), EightBit::FromLinear(mapped.linear[1]),
                     EightBit::FromLinear(mapped.linear[2])};
    result.mapped = mapped.outside;
    // A colour outside by less than half a step is clipped in place: its
    // other channels count as they stand.
    if (!result.mapped) {
        result.nearHalf = EightBit::NearHalf(mapped.linear[0], result.colour.red) ||
                          EightBit::NearHalf(mapped.linear[1], result.colour.green) ||
                          EightBit::NearHalf(mapped.linear[2], result.colour.blue);
    }
    if (mapped.linear == linear) {
        return result;
    }
    const Rgb8 clipped{EightBit::FromLinear(linear[0]), EightBit::FromLinear(linear[1]),
                       EightBit::FromLinear(linear[2])};
    if (!(clipped == result.colour)) {
        result.clipped = clipped;
    }
    return result;
}

Converted FromLinearSrgb(const Triple& linear)
{
    return FromMapped(GamutMap::FromLinearSrgb(linear), linear);
}

} // namespace

Triple Clamped(Form form, const Triple& v)
{
    switch (form) {
    case Form::Rgb:
        return {ClampNaN(v[0], 0, 255), ClampNaN(v[1], 0, 255), ClampNaN(v[2], 0, 255)};
    case Form::Hsl:
        return {v[0], std::max(v[1], 0.0), v[2]};
    case Form::Lab:
        return {ClampNaN(v[0], 0, 100), v[1], v[2]};
    case Form::Lch:
        return {ClampNaN(v[0], 0, 100), std::max(v[1], 0.0), v[2]};
    case Form::Oklab:
        return {ClampNaN(v[0], 0, 1), v[1], v[2]};
    case Form::Oklch:
        return {ClampNaN(v[0], 0, 1), std::max(v[1], 0.0), v[2]};
    default:
        return v;
    }
}

Converted ToRgb8(Form form, const Triple& values)
{
    const Triple v = Clamped(form, values);
    switch (form) {
    case Form::Rgb: {
        // rgb() numbers are rounded as they stand, so that 127.5 is exactly a half.
        Converted result;
        result.colour = {EightBit::FromLevel(v[0]), EightBit::FromLevel(v[1]),
                         EightBit::FromLevel(v[2])};
        result.nearHalf = OnHalf(v[0]) || OnHalf(v[1]) || OnHalf(v[2]);
        return result;
    }
    case Form::Srgb:
    case Form::Hsl:
    case Form::Hwb:
        return FromSrgb(ToEncoded(form, v));
    case Form::SrgbLinear:
        return FromLinearSrgb(v);
    case Form::Lab:
        return FromLinearSrgb(XyzToLinearSrgb(D50ToD65(LabToXyzD50(v))));
    case Form::Lch:
        return FromLinearSrgb(XyzToLinearSrgb(D50ToD65(LabToXyzD50(FromPolar(v)))));
    case Form::Oklab:
    case Form::Oklch: {
        const Triple oklab = form == Form::Oklab ? v : FromPolar(v);
        const Triple linear = OklabToLinearSrgb(oklab);
        if (oklab[0] > 0 && oklab[0] < 1 && InUnit(linear)) {
            return FromMapped({linear, false}, linear);
        }
        return FromMapped(GamutMap::FromOklab(oklab), linear);
    }
    default:
        return FromLinearSrgb(XyzToLinearSrgb(ToXyz(form, v)));
    }
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
    case Form::Lab:
        return XyzD50ToLab(D65ToD50(LinearSrgbToXyz(Linear(colour))));
    case Form::Lch:
        return PowerlessHue(ToPolar(FromRgb8(Form::Lab, colour)), LchPowerlessChroma);
    case Form::Oklab:
        return LinearSrgbToOklab(Linear(colour));
    case Form::Oklch:
        return PowerlessHue(ToPolar(LinearSrgbToOklab(Linear(colour))), OklchPowerlessChroma);
    default:
        return FromXyz(form, LinearSrgbToXyz(Linear(colour)));
    }
}

Triple Convert(Form from, const Triple& values, Form to)
{
    const Triple v = Clamped(from, values);
    if (from == to) {
        return v;
    }
    // Within one family the numbers go the short way, exactly where they can:
    // rgb(from #f00 r g b) keeps 255, 0 and 0.
    if (IsSrgbEncoded(from) && IsSrgbEncoded(to)) {
        const Triple rgb = ToEncoded(from, v);
        if ((to == Form::Hsl || to == Form::Hwb) && !InUnit(rgb)) {
            return FromXyz(to, ToXyz(from, v));
        }
        return FromEncoded(to, rgb);
    }
    const auto pair = [&](Form a, Form b) {
        return (from == a && to == b) || (from == b && to == a);
    };
    if (pair(Form::Lab, Form::Lch) || pair(Form::Oklab, Form::Oklch)) {
        return (to == Form::Lch || to == Form::Oklch) ? ToPolar(v) : FromPolar(v);
    }
    return FromXyz(to, ToXyz(from, v));
}

} // namespace ColourForms
