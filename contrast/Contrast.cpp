// SPDX-License-Identifier: MIT
#include "Contrast.h"

#include "EightBit.h"

#include <algorithm>
#include <cmath>

namespace Contrast {

double Luminance(Rgb8 colour)
{
    return 0.2126 * EightBit::ToLinear(colour.red) + 0.7152 * EightBit::ToLinear(colour.green) +
           0.0722 * EightBit::ToLinear(colour.blue);
}

double Ratio(Rgb8 first, Rgb8 second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
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

QString WithComma(QString figure)
{
    return figure.replace(u'.', u',');
}

QString WindowRatio(double ratio)
{
    return WithComma(RatioFigure(ratio)) + QStringLiteral(":1");
}

QString Summary(double ratio)
{
    const Verdicts v = Judge(ratio);
    const QString verdict = v.normalAaa  ? QStringLiteral("AAA")
                            : v.normalAa ? QStringLiteral("AA")
                            : v.largeAa  ? QStringLiteral("AA solo para texto grande")
                                         : QStringLiteral("insuficiente para texto");
    return QStringLiteral("Contraste %1 — %2").arg(WindowRatio(ratio), verdict);
}

} // namespace Contrast
