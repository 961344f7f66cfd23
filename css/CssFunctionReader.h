// SPDX-License-Identifier: MIT
#pragma once

#include "CssValueReader.h"

// Reads the colour functions of CSS Color 4: rgb(), rgba(), hsl() and hsla()
// with commas (no none; in rgb() all numbers or all percentages) or with
// spaces (none allowed, alpha after "/"); hwb(), lab(), lch(), oklab(),
// oklch() and color() with spaces only. Percentages stand for the reference
// value of each channel: 255 in rgb(), 1 in color(), 100 for lab() and 1 for
// oklab() lightness, 125 for lab() a and b, 0.4 for oklab() a and b and
// oklch() chroma, 150 for lch() chroma. Each number may be a math function
// (CssCalc). A relative colour (CSS Color 5), "rgb(from ORIGIN r g b)", takes
// its origin in the function's form: each channel keyword (r g b, h s l,
// h w b, l a b, l c h, x y z, alpha) stands for the origin's number there,
// in the units written without "%" (none in the origin counting as 0); its
// alpha is the origin's unless one is given. Relative colours take no commas.
namespace CssFunctionReader {

// Whether name (any ASCII case) is a colour function this reader takes.
bool IsColourFunction(QStringView name);

// Reads the function whose token the cursor has just passed, up to and with
// its ")".
Outcome<CssValue> Read(CssValueReader::Cursor& cursor, const CssTokens::Token& function);

} // namespace CssFunctionReader
