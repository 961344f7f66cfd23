// SPDX-License-Identifier: MIT
#pragma once

#include "ColourForms.h"

#include <array>

// Chooses how many decimals each number of a colour function gets: for each
// number so few that one fewer would not do, the text read back giving the
// same 8-bit colour without the gamut mapping (a text that lies outside sRGB and only
// maps back onto the colour would show another colour where a browser clips
// instead), and with no channel within 1e-6 of a step of a half (a browser
// that rounds halves down, or computes in single precision, would get
// another colour). Each trial converts the very doubles that reading the
// printed text yields, so what is checked is what is written.
namespace RoundTripDecimals {

// mantissa / 10^decimals; printed as such, it reads back as Value().
struct Decimal
{
    long long mantissa = 0;
    int decimals = 0;
};

using Choice = std::array<Decimal, 3>;

// Used when the starting decimals do not come back; never needed in the
// whole sRGB cube.
constexpr int MaxDecimals = 8;

// hueIndex: which number is a hue (wrapped so that 360 is written 0), or -1.
Choice Choose(ColourForms::Form form, Colour::Rgb8 colour, const Colour::Triple& exact,
              int hueIndex, const std::array<int, 3>& startDecimals);

// The double that a reader gets from the printed decimal: correctly rounded,
// as both this division (of two exact doubles) and the reader's conversion are.
double Value(Decimal decimal);

} // namespace RoundTripDecimals
