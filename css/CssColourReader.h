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

// Reads a CSS colour as sRGB shows it: a named colour; #rgb, #rgba,
// #rrggbb, #rrggbbaa; rgb(), rgba(), hsl(), hsla() with commas or spaces;
// hwb(), lab(), lch(), oklab(), oklch(); color() in every predefined space
// (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz,
// xyz-d50, xyz-d65); the relative colours of CSS Color 5 ("oklch(from tomato
// calc(l - 0.1) c h)", CssFunctionReader) and color-mix() (CssColourMix),
// nested in any of these.
//
// The text is taken apart as CSS tokenizes it (CssTokens): comments are
// dropped, only CSS whitespace (space, tab, line feed, carriage return, form
// feed) separates, and names match in any ASCII case. A colour outside sRGB
// is gamut mapped, whatever its form, except rgb(), whose numbers CSS clamps
// as it reads them; the clipped colour comes beside it. Alpha is read, used
// by mixes, and then dropped. Channels are rounded to 8 bits, halves up.
//
// A text that is none fails with the reason in Spanish, quoting it:
// "«verde»: no es un color CSS". transparent is refused (with its alpha
// dropped it would be black, a colour nobody saw), and so are var(), env(),
// attr(), currentcolor and the system colours, which only a page can tell:
// "«var(--x)»: depende de la página".
Outcome<CssColour> ReadCssColour(QStringView text);

} // namespace Colour
