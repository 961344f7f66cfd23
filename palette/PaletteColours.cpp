// SPDX-License-Identifier: MIT
#include "PaletteColours.h"

#include "ColourAPI.h"
#include "NamesFile.h"
#include "PaletteNames.h"

#include <QSet>

namespace PaletteColours {

bool IsCode(QStringView entry)
{
    return NamesFile::IsCode(entry);
}

Colour::Rgb8 CodeColour(QStringView code)
{
    using namespace ColourAPI;
    return {CodeChannel(code, Red), CodeChannel(code, Green), CodeChannel(code, Blue)};
}

QString CodeOf(Colour::Rgb8 colour)
{
    return ColourAPI::ComposeCode(qint16(colour.red), qint16(colour.green), qint16(colour.blue));
}

QList<NamedColour> FromEntries(const QStringList& entries, const NamesFile::Names& names,
                               QString (*rule)(QStringView name))
{
    QList<NamedColour> colours;
    for (const QString& entry : entries) {
        if (IsCode(entry))
            colours.append({entry, CodeColour(entry), names.value(NamesFile::Key(entry))});
    }
    return WithNames(std::move(colours), rule);
}

QList<NamedColour> WithNames(QList<NamedColour> colours, QString (*rule)(QStringView name))
{
    QList<bool> given;
    for (NamedColour& colour : colours) {
        if (rule && !colour.name.isEmpty())
            colour.name = rule(colour.name);
        given.append(!colour.name.isEmpty());
        if (colour.name.isEmpty())
            colour.name = PaletteNames::Derived(colour.colour);
    }
    // Given names first, then derived ones, each in list order.
    QSet<QString> taken;
    for (const bool pass : {true, false}) {
        for (qsizetype i = 0; i < colours.size(); ++i) {
            if (given.at(i) != pass)
                continue;
            QString& name = colours[i].name;
            const QString base = name;
            for (int count = 2; taken.contains(name); ++count)
                name = base + QStringLiteral("-%1").arg(count);
            taken.insert(name);
        }
    }
    return colours;
}

} // namespace PaletteColours
