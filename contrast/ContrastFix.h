// SPDX-License-Identifier: MIT
#pragma once

#include "Contrast.h"
#include "Rgb8.h"

// "Corregir": the text colour brought to a WCAG contrast ratio against a
// background with its OKLCH hue kept. Lightness moves, lighter or darker, just
// far enough; chroma stays but where sRGB cannot hold it at the new lightness,
// where it is cut to the gamut's edge.
namespace ContrastFix {

enum class Kind {
    Reached,    // the text reaches the ratio already: colour is the text
    Fixed,      // colour keeps the text's hue (within MaxHueTurn) and reaches the ratio
    Proposed,   // no colour of that hue does: colour is the nearest that does, any hue
    Unreachable // no colour at all does (7:1 against #777777): colour is the text
};

// The most an 8-bit result's OKLCH hue may differ from the text's, in degrees.
inline constexpr double MaxHueTurn = 1;

struct Result
{
    Kind kind{};
    Colour::Rgb8 colour;
    double ratio{};        // colour's ratio against the background
    Colour::Triple from{}; // the text's OKLCH lightness, chroma, hue
    Colour::Triple to{};   // the colour's
    bool chromaCut{};      // sRGB could not hold the text's chroma at the new lightness
    double best{};         // Unreachable: the highest ratio any colour gives (black's or white's)
};

// The 8-bit colour nearest the text (Oklab distance) among those of its hue
// that reach the ratio. The search walks the lightness from the text's towards
// black and towards white, in steps of a thousandth of the way, and takes at
// each step the 8-bit neighbours of the exact colour (each channel rounded
// down or up) whose hue lies within MaxHueTurn of the text's; a grey text
// keeps to greys. When none reaches the ratio, the same walk without the hue
// rule, black and white give the proposal. The ratio is measured on the 8-bit
// colours; it is that of normal text's AA unless told.
Result Find(Colour::Rgb8 text, Colour::Rgb8 background, double ratio = Contrast::NormalTextAa);

} // namespace ContrastFix
