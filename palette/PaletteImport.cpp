// SPDX-License-Identifier: MIT
#include "PaletteImport.h"

#include "ColourLinesReader.h"
#include "GimpPaletteReader.h"
#include "JsonPaletteReader.h"
#include "SafeFile.h"
#include "StyleSheetReader.h"

namespace PaletteImport {

namespace {

PaletteImportResult Read(const QByteArray& bytes)
{
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray content = bytes.startsWith(bom) ? bytes.sliced(bom.size()) : bytes;
    const QString text = QString::fromUtf8(content);
    if (GimpPaletteReader::IsGimpPalette(text))
        return GimpPaletteReader::Read(text);
    if (std::optional<PaletteImportResult> json = JsonPaletteReader::Read(content))
        return *json;
    if (std::optional<PaletteImportResult> sheet = StyleSheetReader::Read(text))
        return *sheet;
    return ColourLinesReader::Read(text);
}

} // namespace

PaletteImportResult ImportBytes(const QByteArray& bytes)
{
    PaletteImportResult result = Read(bytes);
    if (result.ok() && result.codes.isEmpty())
        result.error = QStringLiteral("El archivo no tiene ningún color.");
    return result;
}

PaletteImportResult ImportFromFile(const QString& path)
{
    QByteArray bytes;
    QString reason;
    switch (SafeFile::Read(path, bytes, &reason)) {
    case SafeFile::ReadStatus::Read:
        return ImportBytes(bytes);
    case SafeFile::ReadStatus::Missing:
        return PaletteImportResult::Failure(QStringLiteral("El archivo no existe."));
    case SafeFile::ReadStatus::Unreadable:
    case SafeFile::ReadStatus::TooLarge:
        break;
    }
    return PaletteImportResult::Failure(reason);
}

} // namespace PaletteImport
