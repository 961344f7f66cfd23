// SPDX-License-Identifier: MIT
#include "PaletteImport.h"

#include "ColourLinesReader.h"
#include "DesignTokensReader.h"
#include "GimpPaletteReader.h"
#include "IO_System.h"
#include "JsonPaletteReader.h"
#include "PaletteColours.h"
#include "SafeFile.h"
#include "StyleSheetReader.h"

#include <algorithm>
#include <array>
#include <optional>

namespace PaletteImport {

namespace {

// One kind of palette file: read gives nothing when the file is not of its
// kind (so that telling the kind and reading it is one pass over the text),
// else every colour or the reason.
struct Importer
{
    std::optional<Outcome<ImportedPalette>> (*read)(const QByteArray& content, const QString& text);
};

// The kinds in the order they are told apart; the last takes any text.
constexpr std::array<Importer, 5> Importers{{
    {[](const QByteArray&, const QString& text) -> std::optional<Outcome<ImportedPalette>> {
        if (!GimpPaletteReader::IsGimpPalette(text))
            return std::nullopt;
        return GimpPaletteReader::Read(text);
    }},
    {[](const QByteArray& content, const QString&) { return JsonPaletteReader::Read(content); }},
    {[](const QByteArray& content, const QString&) { return DesignTokensReader::Read(content); }},
    {[](const QByteArray&, const QString& text) { return StyleSheetReader::Read(text); }},
    {[](const QByteArray&, const QString& text) -> std::optional<Outcome<ImportedPalette>> {
        return ColourLinesReader::Read(text);
    }},
}};

Outcome<ImportedPalette> Read(const QByteArray& bytes)
{
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray content = bytes.startsWith(bom) ? bytes.sliced(bom.size()) : bytes;
    const QString text = QString::fromUtf8(content);
    for (const Importer& importer : Importers) {
        if (std::optional<Outcome<ImportedPalette>> result = importer.read(content, text))
            return *result;
    }
    return ImportedPalette(); // the last kind takes any text
}

// Each line a code, each ended by CR LF: how Tintaro writes its list.
bool IsTintaroList(const QByteArray& bytes)
{
    if (!bytes.endsWith("\r\n"))
        return false;
    const QList<QByteArray> lines = bytes.split('\n'); // the last one empty
    return std::all_of(lines.cbegin(), lines.cend() - 1, [](const QByteArray& line) {
        return line.endsWith('\r') && PaletteColours::IsCode(QString::fromLatin1(line.chopped(1)));
    });
}

// The list's entries as Tintaro reads its own file; those that are codes.
ImportedPalette ReadTintaroList(const QByteArray& bytes)
{
    ImportedPalette result;
    QStringList entries;
    IO_System::SplitLines(bytes, entries);
    for (const QString& entry : std::as_const(entries)) {
        if (PaletteColours::IsCode(entry.trimmed()))
            result.codes.append(entry.trimmed().toUpper());
    }
    result.note =
        QStringLiteral("Leída como lista de Tintaro (códigos azul, verde y rojo, sin cambiar). ");
    return result;
}

// A file read whole that gave no colour is refused as one.
Outcome<ImportedPalette> WithColours(Outcome<ImportedPalette> read)
{
    if (read && read->codes.isEmpty())
        return Failed(QStringLiteral("El archivo no tiene ningún color."));
    return read;
}

} // namespace

Outcome<ImportedPalette> ImportBytes(const QByteArray& bytes)
{
    return WithColours(Read(bytes));
}

Outcome<ImportedPalette> ImportFromFile(const QString& path, const QString& memoryFile)
{
    if (!memoryFile.isEmpty() && SafeFile::SameFile(path, memoryFile))
        return Failed(
            QStringLiteral("Es la lista de la memoria de Tintaro: sus colores ya están en ella."));
    const Outcome<std::optional<QByteArray>> read = SafeFile::Read(path, SafeFile::Links::Followed);
    if (!read)
        return Failed(read.Reason());
    if (!read->has_value())
        return Failed(QStringLiteral("El archivo no existe."));
    const QByteArray& bytes = **read;
    if (path.endsWith(QLatin1String(".slc"), Qt::CaseInsensitive) || IsTintaroList(bytes))
        return WithColours(ReadTintaroList(bytes));
    return ImportBytes(bytes);
}

QString FailureText(FileFailure::Layout layout, const QString& file, const QString& reason)
{
    return FileFailure::Text(layout, QStringLiteral("No se pudo importar la paleta"), file, reason);
}

} // namespace PaletteImport
