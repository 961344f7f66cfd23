// SPDX-License-Identifier: MIT
#include "ScalePalette.h"

#include "ColourScale.h"
#include "NamedColours.h"
#include "UntrustedText.h"

namespace ScalePalette {

QString DefaultName(Colour::Rgb8 colour)
{
    return NamedColours::NearestName(colour);
}

Outcome<QString> CheckedName(QStringView name)
{
    const QStringView trimmed = name.trimmed();
    const auto letter = [](QChar c) {
        return (c.unicode() | 0x20) >= u'a' && (c.unicode() | 0x20) <= u'z';
    };
    bool valid = !trimmed.isEmpty() && letter(trimmed.front());
    for (QChar c : trimmed)
        valid = valid && (letter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_');
    if (!valid)
        return Failed(UntrustedText::Quoted(name) +
                      QStringLiteral(" no sirve de nombre: empieza por una letra y lleva solo "
                                     "letras sin acento, cifras, «-» y «_»."));
    return trimmed.toString();
}

QList<PaletteColours::NamedColour> Steps(Colour::Rgb8 colour, const QString& name)
{
    QList<PaletteColours::NamedColour> steps;
    for (const ColourScale::Step& step : ColourScale::Of(colour))
        steps.append({PaletteColours::CodeOf(step.colour), step.colour,
                      name + u'-' + QString::number(step.number)});
    return steps;
}

} // namespace ScalePalette
