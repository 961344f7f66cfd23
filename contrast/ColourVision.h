// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

// How a colour looks to people with a colour-vision deficiency. The three
// dichromacies use the matrices of Machado, Oliveira and Fernandes (2009) at
// severity 1.0, applied to linear-light sRGB and clipped to 0-1;
// achromatopsia shows the WCAG relative luminance as a grey. The result is
// rounded to 8 bits as every colour of the program is.
namespace ColourVision {

enum class Deficiency { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

Colour::Rgb8 Simulate(Deficiency deficiency, Colour::Rgb8 colour);

} // namespace ColourVision
