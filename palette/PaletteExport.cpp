// SPDX-License-Identifier: MIT
#include "PaletteExport.h"

#include "CssColourWriter.h"
#include "PaletteColours.h"
#include "SafeFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace PaletteExport {

namespace {

using Colour::CssFormat;
using PaletteColours::NamedColour;

QString Hex(const NamedColour& colour)
{
    return Colour::WriteCssColour(colour.colour, CssFormat::Hex);
}

// GIMP reads the palette one line at a time: the name must stay on its line.
QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString Gimp(const QList<NamedColour>& colours, const QString& paletteName)
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

// A block of declarations "<prefix><name>: <value>;", one a line, between
// opening and closing (empty for none).
template <typename Value>
QString Declarations(const QList<NamedColour>& colours, QStringView opening, QStringView prefix,
                     Value value, QStringView indent, QStringView closing)
{
    QString text = opening.toString();
    for (const NamedColour& c : colours)
        text += indent + prefix + c.name + QStringLiteral(": ") + value(c) + QStringLiteral(";\n");
    return text + closing;
}

QString Json(const QList<NamedColour>& colours)
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

} // namespace

QByteArray ExportBytes(PaletteFormat format, const QStringList& entries, const QString& paletteName)
{
    const QList<NamedColour> colours = PaletteColours::FromEntries(entries);
    const auto oklch = [](const NamedColour& c) {
        return Colour::WriteCssColour(c.colour, CssFormat::Oklch);
    };
    const QStringView indent = u"    ";
    QString text;
    switch (format) {
    case PaletteFormat::Gpl:
        text = Gimp(colours, paletteName);
        break;
    case PaletteFormat::Css:
        text = Declarations(colours, u":root {\n", u"--", Hex, indent, u"}\n");
        break;
    case PaletteFormat::Scss:
        text = Declarations(colours, {}, u"$", Hex, {}, {});
        break;
    case PaletteFormat::Tailwind:
        text = Declarations(colours, u"@theme {\n", u"--color-", oklch, indent, u"}\n");
        break;
    case PaletteFormat::Json:
        text = Json(colours);
        break;
    case PaletteFormat::Txt:
        for (const NamedColour& c : colours)
            text += Hex(c) + QLatin1Char('\n');
        break;
    }
    return text.toUtf8();
}

bool ExportToFile(const QString& path, PaletteFormat format, const QStringList& entries,
                  const QString& memoryFile, QString* error)
{
    if (!path.isEmpty() && !memoryFile.isEmpty() && SafeFile::SameFile(path, memoryFile)) {
        if (error)
            *error = QStringLiteral("Es la lista de la memoria de Tintaro (List.slc): una "
                                    "paleta nunca se escribe en ella.");
        return false;
    }
    if (PaletteColours::FromEntries(entries).isEmpty()) {
        if (error)
            *error = QStringLiteral("La lista no tiene ningún color que exportar.");
        return false;
    }
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Falta el nombre del archivo.");
        return false;
    }
    return SafeFile::Replace(path, ExportBytes(format, entries, QFileInfo(path).completeBaseName()),
                             error);
}

} // namespace PaletteExport
