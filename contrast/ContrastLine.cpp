// SPDX-License-Identifier: MIT
#include "ContrastLine.h"

#include "Apca.h"
#include "Contrast.h"

#include <QStringList>

namespace ContrastLine {

namespace {

QString Verdict(const QString& level, bool reached)
{
    return level + QStringLiteral(": ") + (reached ? QStringLiteral("sí") : QStringLiteral("no"));
}

} // namespace

Report Describe(Colour::Rgb8 text, Colour::Rgb8 background)
{
    const double ratio = Contrast::Ratio(text, background);
    const Contrast::Verdicts verdicts = Contrast::Judge(ratio);
    const QStringList items{
        Contrast::RatioFigure(ratio) + QStringLiteral(":1"),
        Verdict(QStringLiteral("AA texto normal"), verdicts.normalAa),
        Verdict(QStringLiteral("AAA texto normal"), verdicts.normalAaa),
        Verdict(QStringLiteral("AA texto grande"), verdicts.largeAa),
        Verdict(QStringLiteral("AAA texto grande"), verdicts.largeAaa),
        Verdict(QStringLiteral("Controles (1.4.11)"), verdicts.nonText),
        QStringLiteral("APCA Lc ") + Apca::Figure(Apca::Lc(text, background)),
    };
    return {items.join(QStringLiteral("  ")), verdicts.normalAa};
}

} // namespace ContrastLine
