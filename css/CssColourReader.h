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

// Reads a CSS Color 4 colour that sRGB can show: a named colour; #rgb, #rgba,
// #rrggbb, #rrggbbaa; rgb(), rgba(), hsl(), hsla() with commas or spaces;
// hwb(), lab(), lch(), oklab(), oklch(); color(srgb | srgb-linear |
// display-p3 ...). The text is taken apart as CSS tokenizes it (CssTokens):
// comments are dropped, only CSS whitespace (space, tab, line feed, carriage
// return, form feed) separates, and names match in any ASCII case. Alpha is
// read and then ignored. Channels are rounded to 8 bits, halves up. A text that is
// none fails with the reason in Spanish, quoting it: "«verde»: no es un
// color CSS".
Outcome<CssColour> ReadCssColour(QStringView text);

} // namespace Colour
