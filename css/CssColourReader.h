// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QString>
#include <QStringView>

namespace Colour {

struct CssReadResult
{
    bool ok = false;
    Rgb8 colour;
    bool mapped = false; // the colour lay outside sRGB and gamut mapping moved it
    QString error; // when not ok: Spanish, quoting the text, e.g. "«verde»: no es un color CSS"
};

// Longer texts are refused unread, with TooLongText's reason.
constexpr qsizetype MaxCssColourLength = 4096;
QString TooLongText();

// Reads a CSS Color 4 colour that sRGB can show: a named colour; #rgb, #rgba,
// #rrggbb, #rrggbbaa; rgb(), rgba(), hsl(), hsla() with commas or spaces;
// hwb(), lab(), lch(), oklab(), oklch(); color(srgb | srgb-linear |
// display-p3 ...). Case and surrounding blanks don't matter; alpha is read
// and then ignored. Channels are rounded to 8 bits, halves up.
CssReadResult ReadCssColour(QStringView text);

} // namespace Colour
