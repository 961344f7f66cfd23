// SPDX-License-Identifier: MIT
#include "PaletteColours.h"

#include "ColourAPI.h"
#include "NamedColours.h"

#include <QHash>

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

QList<NamedColour> FromEntries(const QStringList& entries)
{
    QList<NamedColour> colours;
    QHash<QString, int> namesGiven; // CSS name -> how many entries took it
    for (const QString& entry : entries) {
        if (!IsCode(entry))
            continue;
        const Colour::Rgb8 colour = CodeColour(entry);
        QString name = NamedColours::ExactName(colour);
        if (name.isEmpty()) {
            name = QStringLiteral("color-%1").arg(colours.size() + 1);
        } else if (const int count = ++namesGiven[name]; count > 1) {
            name += QStringLiteral("-%1").arg(count);
        }
        colours.append({entry, colour, name});
    }
    return colours;
}

} // namespace PaletteColours
