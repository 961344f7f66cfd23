// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Colours written for style sheets, and the contrast of two colours as the
// Web Content Accessibility Guidelines (WCAG 2) measure it. Channels are 0 to
// 255. Unlike the program's own codes, CSS writes red first.
namespace WebColour {

// "#RRGGBB" in upper case: red 255, green 128, blue 0 gives #FF8000.
QString CssHex(int red, int green, int blue);

// "rgb(255, 128, 0)".
QString CssRgb(int red, int green, int blue);

// "hsl(30, 100%, 50%)": hue in degrees (0 to 359), saturation and lightness
// in percent, each rounded to an integer.
QString CssHsl(int red, int green, int blue);

// WCAG 2 relative luminance, 0 (black) to 1 (white). Channels are linearised
// with the sRGB curve, threshold 0.04045 (the older 0.03928 gives the same
// result for every 8-bit value).
double RelativeLuminance(int red, int green, int blue);

// (lighter + 0.05) / (darker + 0.05): 1 to 21, in either order.
double ContrastRatio(double luminance1, double luminance2);

} // namespace WebColour
