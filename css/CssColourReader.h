// SPDX-License-Identifier: MIT
#pragma once

#include "ColourForms.h"
#include "Outcome.h"
#include "Rgb8.h"

#include <QString>
#include <QStringView>

namespace Colour {

// A colour read: its 8-bit value, and whether it lay outside sRGB and gamut
// mapping moved it.
using CssColour = ColourForms::Converted;

// Longer texts are refused unread, with TooLongText's reason.
constexpr qsizetype MaxCssColourLength = 4096;
QString TooLongText();

// Reads a CSS Color 4 colour as sRGB shows it: a named colour; #rgb, #rgba,
// #rrggbb, #rrggbbaa; rgb(), rgba(), hsl(), hsla() with commas or spaces;
// hwb(), lab(), lch(), oklab(), oklch(); color() in every predefined space
// (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz,
// xyz-d50, xyz-d65). A colour outside sRGB is gamut mapped, whatever its
// form, except rgb(), whose numbers CSS clamps as it reads them; the clipped
// colour comes beside it. transparent is refused: with its alpha dropped it
// would be black, a colour nobody saw. The text is taken apart as CSS tokenizes it (CssTokens):
// comments are dropped, only CSS whitespace (space, tab, line feed, carriage
// return, form feed) separates, and names match in any ASCII case. Alpha is
// read and then ignored. Channels are rounded to 8 bits, halves up. A text that is
// none fails with the reason in Spanish, quoting it: "«verde»: no es un
// color CSS".
Outcome<CssColour> ReadCssColour(QStringView text);

} // namespace Colour
