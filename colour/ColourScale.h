// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <array>

// A scale of tints and shades around one colour, in eleven steps numbered as
// Tailwind CSS numbers its palette: 50 (the lightest) to 950 (the darkest).
// Computed in OKLCH: every step keeps the given colour's hue; lightness
// follows Tailwind 4's own palette, and chroma grows and fades along it as
// there, reduced where a step would fall outside sRGB. The given colour
// itself is the step whose lightness lies nearest its own.
namespace ColourScale {

using Colour::Rgb8;
using Colour::Triple;

inline constexpr std::array<int, 11> Numbers{50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 950};

struct Step
{
    int number = 0; // 50, 100 ... 950
    Rgb8 colour;
    // The OKLCH lightness (0 to 1), chroma and hue asked for, inside sRGB;
    // colour is its 8-bit neighbour (for the given colour, its own numbers).
    Triple oklch{};
};

// The eleven steps, lightest first; lightness falls strictly from one to the
// next, also in 8 bits.
std::array<Step, 11> Of(Rgb8 given);

} // namespace ColourScale
