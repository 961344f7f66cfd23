// SPDX-License-Identifier: MIT
#include "WindowFonts.h"

#include <QStringList>

namespace {

void AddSubstitutesOnce()
{
    static const bool done = [] {
        // Tahoma is a narrow sans serif; DejaVu Sans Condensed has nearly its
        // widths. Liberation Sans shares Arial's metrics.
        QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                                   {QStringLiteral("DejaVu Sans Condensed"),
                                    QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                                    QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(done);
}

QFont MakeFont(const QString& family, qreal pointSize, bool bold)
{
    AddSubstitutesOnce();
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont TahomaFont(bool bold)
{
    return MakeFont(QStringLiteral("Tahoma"), 8.25, bold);
}

QFont ArialFont(qreal pointSize, bool bold)
{
    return MakeFont(QStringLiteral("Arial"), pointSize, bold);
}
