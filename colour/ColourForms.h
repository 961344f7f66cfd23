// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

// The three numbers of each CSS colour function and the 8-bit colour they
// give. Numbers are in the units that the function takes without a percent
// sign: rgb() 0 to 255; color() 0 to 1; hues in degrees; hsl() and hwb()
// percent; lab() and lch() lightness 0 to 100; oklab() and oklch() lightness
// 0 to 1. The reader and the writer both go through here, so a written text
// is checked by the same arithmetic that will read it.
namespace ColourForms {

using Colour::Rgb8;
using Colour::Triple;

enum class Form { Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Srgb, SrgbLinear, DisplayP3 };

struct Converted
{
    Rgb8 colour;
    bool mapped{}; // gamut mapping had to move the colour (see GamutMap::Result)
};

// Clamps as CSS does when it reads the numbers (negative saturation and
// chroma to 0, lightness to its range), then converts. sRGB forms clip;
// lab, lch, oklab, oklch and display-p3 go through the gamut mapping.
Converted ToRgb8(Form form, const Triple& values);

// The exact numbers of an 8-bit colour. Where the hue is powerless (a grey in
// HSL or HWB, chroma up to 0.0015 in LCH or 0.000004 in OKLCH) it is 0.
Triple FromRgb8(Form form, Rgb8 colour);

} // namespace ColourForms
