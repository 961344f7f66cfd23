// SPDX-License-Identifier: MIT
#include "PaletteColours.h"

#include "ColourAPI.h"
#include "PaletteNames.h"

#include <QSet>

namespace PaletteColours {

bool IsCode(QStringView entry)
{
    if (!ColourAPI::HasCodeShape(entry))
        return false;
    for (QChar c : entry.sliced(1)) {
        const char16_t u = c.unicode();
        const char16_t lower = u | 0x20;
        if (!(u >= u'0' && u <= u'9') && !(lower >= u'a' && lower <= u'f'))
            return false;
    }
    return true;
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
    QList<bool> given;
    for (const QString& entry : entries) {
        if (!IsCode(entry))
            continue;
        const Colour::Rgb8 colour = CodeColour(entry);
        const QString name = names.value(NamesFile::Key(entry));
        const QString valid = rule && !name.isEmpty() ? rule(name) : name;
        given.append(!valid.isEmpty());
        colours.append({entry, colour, valid.isEmpty() ? PaletteNames::Derived(colour) : valid});
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
