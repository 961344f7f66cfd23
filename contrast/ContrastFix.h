// SPDX-License-Identifier: MIT
#pragma once

#include "Contrast.h"
#include "Rgb8.h"

#include <optional>

// "Corregir": the text colour moved in OKLCH lightness alone, hue and chroma
// kept, just far enough to reach a WCAG contrast ratio against a background.
namespace ContrastFix {

// The 8-bit colour whose OKLCH lightness lies nearest the text's among those
// that reach the ratio, searched lighter and darker. Each candidate is brought
// into sRGB by the CSS gamut mapping and rounded to 8 bits as an oklch() text
// is, and its ratio is measured on those 8 bits. The ratio is that of normal
// text's AA unless told. The text itself when it already reaches the ratio;
// nothing when no lightness does (7:1 against #777777, whose contrasts with
// white and with black both stay under 5).
std::optional<Colour::Rgb8> Fix(Colour::Rgb8 text, Colour::Rgb8 background,
                                double ratio = Contrast::NormalTextAa);

} // namespace ContrastFix
