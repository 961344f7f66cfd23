// SPDX-License-Identifier: MIT
#include "PaletteNames.h"

#include "NamedColours.h"
#include "PaletteColours.h"

#include <QRegularExpression>

namespace PaletteNames {

QString Derived(Colour::Rgb8 colour)
{
    const QString exact = NamedColours::ExactName(colour);
    if (!exact.isEmpty())
        return exact;
    return NamedColours::NearestName(colour) +
           QStringLiteral("-%1").arg((colour.red << 16) | (colour.green << 8) | colour.blue, 6, 16,
                                     QLatin1Char('0'));
}

QString DerivedForEntry(const QString& entry)
{
    return PaletteColours::IsCode(entry) ? Derived(PaletteColours::CodeColour(entry)) : QString();
}

QString DerivedOwner(const QString& name)
{
    static const QRegularExpression nearest(QStringLiteral("^[a-z]+-([0-9a-f]{6})$"));
    for (const QString& form : {name, CssIdent(name)}) {
        std::optional<Colour::Rgb8> colour = NamedColours::Find(form);
        if (const QRegularExpressionMatch match = nearest.match(form); match.hasMatch()) {
            const uint rgb = match.captured(1).toUInt(nullptr, 16);
            colour = Colour::Rgb8{int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
        }
        if (colour && Derived(*colour) == form)
            return PaletteColours::CodeOf(*colour);
    }
    return {};
}

QString AsGiven(QStringView name)
{
    return name.toString();
}

QString CssIdent(QStringView name)
{
    const QString decomposed = name.toString().normalized(QString::NormalizationForm_KD);
    QString ident;
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        if (c == u'_' || c.isLetterOrNumber())
            ident += c;
        else if (!ident.isEmpty() && !ident.endsWith(u'-'))
            ident += u'-';
    }
    while (ident.endsWith(u'-'))
        ident.chop(1);
    return ident;
}

QString ScssVariable(QStringView name)
{
    QString variable = CssIdent(name).replace(u'_', u'-');
    while (variable.startsWith(u'-'))
        variable.remove(0, 1);
    if (!variable.isEmpty() && variable.at(0).isDigit())
        variable.prepend(QStringLiteral("color-"));
    return variable;
}

} // namespace PaletteNames
