// SPDX-License-Identifier: MIT
#pragma once

#include "CssForms.h"
#include "Rgb8.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace Colour {

// The name of a form --format takes (CssForms::Rows: "hex", "rgb", ... "code"),
// in any case.
std::optional<CssFormat> CssFormatFromName(QStringView name);

// The colour as text, here for #FF8000:
//   Hex    #FF8000 (upper case)         Rgb    rgb(255, 128, 0)
//   Hsl    hsl(30, 100%, 50%)           Hwb    hwb(30 0% 0%)
//   Lab    lab(67.8 45.5 74.8)          Lch    lch(67.8 87.6 58.7)
//   Oklab  oklab(0.732 0.112 0.1484)    Oklch  oklch(0.732 0.1858 53)
//   Name   the CSS name of exactly this colour, else "≈ " and the nearest:
//          ≈ darkorange
//   Code   the program's own code: # and the blue, green, red pairs, #0080FF
// Each number of hsl() to oklch() has as few decimals as keep the whole text
// reading back as the same 8-bit colour (see RoundTripDecimals). A powerless
// hue (a grey) is written 0.
QString WriteCssColour(Rgb8 colour, CssFormat format);

// Both colours of one outside sRGB whose clipped form differs from its
// gamut mapped one: "CSS: #00C248, recortado como lo pintan hoy los
// navegadores: #00FF00"; empty for any other.
QString WriteBothColours(const ColourForms::Converted& colour);

} // namespace Colour
