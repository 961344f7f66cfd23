// SPDX-License-Identifier: MIT
#include "PaletteWriters.h"

#include "CssColourWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace PaletteWriters {

namespace {

using Colour::CssFormat;
using PaletteColours::NamedColour;

constexpr QStringView Indent = u"    ";

QString Hex(const NamedColour& colour)
{
    return Colour::WriteCssColour(colour.colour, CssFormat::Hex);
}

QString Oklch(const NamedColour& colour)
{
    return Colour::WriteCssColour(colour.colour, CssFormat::Oklch);
}

// GIMP reads the palette one line at a time: the name must stay on its line.
QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// A block of declarations "<prefix><name>: <value>;", one a line, between
// opening and closing (empty for none).
template <typename Value>
QString Declarations(const Colours& colours, QStringView opening, QStringView prefix, Value value,
                     QStringView indent, QStringView closing)
{
    QString text = opening.toString();
    for (const NamedColour& c : colours)
        text += indent + prefix + c.name + QStringLiteral(": ") + value(c) + QStringLiteral(";\n");
    return text + closing;
}

} // namespace

QString Gimp(const Colours& colours, const QString& paletteName)
{
    // GIMP lays the swatches out in rows of Columns; 16 suits its palette
    // view, and a short palette fills one row.
    const qsizetype columns = std::clamp<qsizetype>(colours.size(), 1, 16);
    QString text = QStringLiteral("GIMP Palette\nName: ") + OneLine(paletteName) +
                   QStringLiteral("\nColumns: ") + QString::number(columns) +
                   QStringLiteral("\n#\n");
    for (const NamedColour& c : colours) {
        text += QStringLiteral("%1 %2 %3\t%4\n")
                    .arg(c.colour.red, 3)
                    .arg(c.colour.green, 3)
                    .arg(c.colour.blue, 3)
                    .arg(c.name);
    }
    return text;
}

QString Css(const Colours& colours, const QString&)
{
    return Declarations(colours, u":root {\n", u"--", Hex, Indent, u"}\n");
}

QString Scss(const Colours& colours, const QString&)
{
    return Declarations(colours, {}, u"$", Hex, {}, {});
}

QString Tailwind(const Colours& colours, const QString&)
{
    return Declarations(colours, u"@theme {\n", u"--color-", Oklch, Indent, u"}\n");
}

QString Json(const Colours& colours, const QString&)
{
    QJsonArray array;
    for (const NamedColour& c : colours) {
        array.append(QJsonObject{{QStringLiteral("name"), c.name},
                                 {QStringLiteral("css"), Hex(c)},
                                 {QStringLiteral("code"), PaletteColours::CodeOf(c.colour)},
                                 {QStringLiteral("red"), c.colour.red},
                                 {QStringLiteral("green"), c.colour.green},
                                 {QStringLiteral("blue"), c.colour.blue}});
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

QString Txt(const Colours& colours, const QString&)
{
    QString text;
    for (const NamedColour& c : colours)
        text += Hex(c) + QLatin1Char('\n');
    return text;
}

QString Tokens(const Colours& colours, const QString&)
{
    // Written member by member, since a JSON object of Qt's would sort the
    // tokens by name: they keep the list's order. Each component is the
    // channel over 255, in the shortest decimals that read back as the same
    // double, so that 255 times it rounds to the channel again; hex is the
    // fallback the format allows beside them.
    const auto json = [](const QJsonValue& value) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
            .sliced(1)
            .chopped(1);
    };
    QString text = QStringLiteral("{");
    for (const NamedColour& c : colours) {
        const QJsonArray components{c.colour.red / 255.0, c.colour.green / 255.0,
                                    c.colour.blue / 255.0};
        text += (&c == &colours.front() ? QStringLiteral("\n") : QStringLiteral(",\n")) + Indent +
                json(c.name) + QStringLiteral(": {\n") + Indent + Indent +
                QStringLiteral("\"$type\": \"color\",\n") + Indent + Indent +
                QStringLiteral("\"$value\": {\"colorSpace\": \"srgb\", \"components\": ") +
                json(components).replace(u',', QStringLiteral(", ")) +
                QStringLiteral(", \"hex\": \"") + Hex(c) + QStringLiteral("\"}\n") + Indent + u'}';
    }
    return text + QStringLiteral("\n}\n");
}

} // namespace PaletteWriters
