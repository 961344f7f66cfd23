// SPDX-License-Identifier: MIT
#include "WebColour.h"

#include "ColourAPI.h"

#include <algorithm>
#include <cmath>

namespace WebColour {

namespace {

double Linear(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

QString CssHex(int red, int green, int blue)
{
    using ColourAPI::HexPair;
    return QLatin1Char('#') + HexPair(qint16(red)) + HexPair(qint16(green)) + HexPair(qint16(blue));
}

QString CssRgb(int red, int green, int blue)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(red).arg(green).arg(blue);
}

QString CssHsl(int red, int green, int blue)
{
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    const double range = (high - low) / 255.0;
    const double lightness = (high + low) / 510.0;
    double hue = 0;
    double saturation = 0;
    if (high != low) {
        saturation = range / (1 - std::abs(2 * lightness - 1));
        const double r = red / 255.0;
        const double g = green / 255.0;
        const double b = blue / 255.0;
        if (high == red) {
            hue = (g - b) / range;
        } else if (high == green) {
            hue = (b - r) / range + 2;
        } else {
            hue = (r - g) / range + 4;
        }
        hue *= 60;
    }
    const long degrees = (std::lround(hue) % 360 + 360) % 360;
    return QStringLiteral("hsl(%1, %2%, %3%)")
        .arg(degrees)
        .arg(std::lround(saturation * 100))
        .arg(std::lround(lightness * 100));
}

double RelativeLuminance(int red, int green, int blue)
{
    return 0.2126 * Linear(red) + 0.7152 * Linear(green) + 0.0722 * Linear(blue);
}

double ContrastRatio(double luminance1, double luminance2)
{
    return (std::max(luminance1, luminance2) + 0.05) / (std::min(luminance1, luminance2) + 0.05);
}

} // namespace WebColour
