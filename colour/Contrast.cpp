// SPDX-License-Identifier: MIT
#include "Contrast.h"

#include "WebColour.h"

#include <cmath>

namespace Contrast {

namespace {

double Luminance(Rgb8 colour)
{
    return WebColour::RelativeLuminance(colour.red, colour.green, colour.blue);
}

} // namespace

double Ratio(Rgb8 first, Rgb8 second)
{
    return WebColour::ContrastRatio(Luminance(first), Luminance(second));
}

Verdicts Judge(double ratio)
{
    return {ratio >= NormalTextAa, ratio >= NormalTextAaa, ratio >= LargeTextAa,
            ratio >= LargeTextAaa, ratio >= NonText};
}

QString RatioFigure(double ratio)
{
    // Hundredths, with a slack of 1e-11 in the ratio: well above the error of
    // the double arithmetic (about 1e-15 here), so that 21 computed as
    // 20.999... is not cut one hundredth down.
    long hundredths = std::lround(std::floor(ratio * 100 + 1e-9));
    // The slack must not lift a ratio just under a level onto it.
    for (const double level : {LargeTextAa, NormalTextAa, NormalTextAaa}) {
        const long levelHundredths = std::lround(level * 100);
        if (ratio < level && hundredths >= levelHundredths) {
            hundredths = levelHundredths - 1;
        }
    }
    return QString::number(hundredths / 100.0, 'f', 2);
}

QString Summary(double ratio)
{
    const Verdicts v = Judge(ratio);
    const QString verdict = v.normalAaa  ? QStringLiteral("AAA")
                            : v.normalAa ? QStringLiteral("AA")
                            : v.largeAa  ? QStringLiteral("AA solo para texto grande")
                                         : QStringLiteral("insuficiente para texto");
    return QStringLiteral("Contraste %1:1 — %2").arg(RatioFigure(ratio), verdict);
}

} // namespace Contrast
