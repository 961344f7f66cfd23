// SPDX-License-Identifier: MIT
#include "PaletteExport.h"

#include "PaletteColours.h"
#include "SafeFile.h"

#include <QFileInfo>

namespace PaletteExport {

QByteArray ExportBytes(PaletteFormat format, const QStringList& entries, const QString& paletteName)
{
    if (std::size_t(format) >= PaletteFormats.size())
        return {};
    return PaletteFormats[std::size_t(format)]
        .write(PaletteColours::FromEntries(entries), paletteName)
        .toUtf8();
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
