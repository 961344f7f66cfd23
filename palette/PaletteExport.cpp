// SPDX-License-Identifier: MIT
#include "PaletteExport.h"

#include "PaletteColours.h"
#include "SafeFile.h"

#include <QFileInfo>

namespace PaletteExport {

QByteArray ExportBytes(PaletteFormat format, const QStringList& entries,
                       const NamesFile::Names& names, const QString& paletteName)
{
    if (std::size_t(format) >= PaletteFormats.size())
        return {};
    const PaletteFormatRow& row = PaletteFormats[std::size_t(format)];
    return row.write(PaletteColours::FromEntries(entries, names, row.nameRule), paletteName)
        .toUtf8();
}

QByteArray ColoursBytes(PaletteFormat format, const PaletteWriters::Colours& colours,
                        const QString& paletteName)
{
    if (std::size_t(format) >= PaletteFormats.size())
        return {};
    const PaletteFormatRow& row = PaletteFormats[std::size_t(format)];
    return row.write(PaletteColours::WithNames(colours, row.nameRule), paletteName).toUtf8();
}

Outcome<> ExportToFile(const QString& path, PaletteFormat format, const QStringList& entries,
                       const QString& memoryFile, const NamesFile::Names& names)
{
    if (!path.isEmpty() && !memoryFile.isEmpty() && SafeFile::SameFile(path, memoryFile))
        return Failed(QStringLiteral("Es la lista de la memoria de Tintaro (List.slc): una "
                                     "paleta nunca se escribe en ella."));
    if (!path.isEmpty() && !memoryFile.isEmpty() &&
        SafeFile::SameFile(path, NamesFile::PathFor(memoryFile)))
        return Failed(QStringLiteral("Es el archivo de los nombres de la memoria de Tintaro: "
                                     "una paleta nunca se escribe en él."));
    if (PaletteColours::FromEntries(entries).isEmpty())
        return Failed(QStringLiteral("La lista no tiene ningún color que exportar."));
    if (path.isEmpty())
        return Failed(QStringLiteral("Falta el nombre del archivo."));
    return SafeFile::Replace(
        path, ExportBytes(format, entries, names, QFileInfo(path).completeBaseName()));
}

QString FailureText(FileFailure::Layout layout, const QString& file, const QString& reason)
{
    return FileFailure::Text(layout, QStringLiteral("No se pudo exportar la paleta a"), file,
                             reason);
}

} // namespace PaletteExport
