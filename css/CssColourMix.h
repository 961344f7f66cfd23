// SPDX-License-Identifier: MIT
#pragma once

#include "CssValueReader.h"

// Reads color-mix() (CSS Color 5): "color-mix(in SPACE [HUE-METHOD hue],
// COLOUR [P%], COLOUR [P%])". SPACE is srgb, srgb-linear, display-p3,
// a98-rgb, prophoto-rgb, rec2020, lab, oklab, xyz, xyz-d50, xyz-d65, or one
// with a hue, hsl, hwb, lch, oklch, which alone take a hue method: shorter
// (the default), longer, increasing or decreasing. The percentages are
// normalised as CSS has it: none given, half each; one, the rest for the
// other; more than 100% together, scaled down; less, scaled up, their sum
// then multiplying the alpha. Both colours are converted to SPACE (gamut
// mapped into hsl and hwb, which hold sRGB only) and mixed with their alpha
// premultiplied; a missing number (none, a grey's hue) takes the other
// colour's.
namespace CssColourMix {

// Reads the function whose token the cursor has just passed, up to and with
// its ")".
Outcome<CssValue> Read(CssValueReader::Cursor& cursor);

} // namespace CssColourMix
