// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <optional>

// The three numbers of each CSS colour function and the 8-bit colour they
// give. Numbers are in the units that the function takes without a percent
// sign: rgb() 0 to 255; color() 0 to 1; hues in degrees; hsl() and hwb()
// percent; lab() and lch() lightness 0 to 100; oklab() and oklch() lightness
// 0 to 1. The reader and the writer both go through here, so a written text
// is checked by the same arithmetic that will read it.
namespace ColourForms {

using Colour::Rgb8;
using Colour::Triple;

// Xyz is relative to D65 (color()'s xyz and xyz-d65).
enum class Form {
    Rgb,
    Hsl,
    Hwb,
    Lab,
    Lch,
    Oklab,
    Oklch,
    Srgb,
    SrgbLinear,
    DisplayP3,
    A98Rgb,
    ProphotoRgb,
    Rec2020,
    Xyz,
    XyzD50
};

struct Converted
{
    Rgb8 colour;
    bool mapped{}; // gamut mapping had to move the colour (see GamutMap::Result)
    // Each channel clipped to sRGB instead, as most browsers paint such a
    // colour today; none when it is the same colour.
    std::optional<Rgb8> clipped;
    // A channel lay within 1e-6 of a step of a half (colours that needed no
    // mapping only): a reader that rounds halves down, or computes in single
    // precision, could get another colour.
    bool nearHalf{};

    Rgb8 Clipped() const { return clipped.value_or(colour); }
};

// The clamps CSS applies when it reads the numbers: rgb() to 0-255, negative
// saturation and chroma to 0, lab() and lch() lightness to 0-100, oklab() and
// oklch() to 0-1.
Triple Clamped(Form form, const Triple& values);

// Clamps (Clamped), then converts. rgb() numbers are clipped, as CSS clamps
// them when it reads them; a colour of any other form that lies outside sRGB
// goes through the gamut mapping.
Converted ToRgb8(Form form, const Triple& values);

// The exact numbers of an 8-bit colour. Where the hue is powerless (a grey in
// HSL or HWB, chroma up to 0.0015 in LCH or 0.000004 in OKLCH) it is 0.
Triple FromRgb8(Form form, Rgb8 colour);

// The same colour's numbers in another form. A colour outside sRGB asked for
// in hsl or hwb, which cannot hold it, is gamut mapped first.
Triple Convert(Form from, const Triple& values, Form to);

} // namespace ColourForms
