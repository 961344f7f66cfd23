// SPDX-License-Identifier: MIT
#pragma once

#include "FileFailure.h"
#include "ImportedPalette.h"

#include <QByteArray>
#include <QString>

// Reads a palette file into colour codes, whatever it was written by: a GIMP
// palette, a style sheet (CSS, SCSS, a Tailwind theme), design tokens, the JSON and text
// files PaletteExport writes, or any list of CSS colours one a line. Either
// every colour of the file comes back, or none and the reason in Spanish.
namespace PaletteImport {

// The kind is told from the content, since a .css file may be a style sheet
// or a Tailwind theme and a .txt file anything: a GIMP palette when the first
// line is "GIMP Palette"; else JSON when the whole text parses as a JSON
// array; else design tokens when it parses as a JSON object; else a style sheet when it holds a
// "--name:" or "$name:" declaration; else one colour a line. The text is UTF-8, with or without a
// byte order mark.
Outcome<ImportedPalette> ImportBytes(const QByteArray& bytes);

// Reads the regular file at path (SafeFile::Read: at most 64 MiB, opened
// without waiting, so a FIFO or a device is refused at once, through any
// link: it is only read) and imports it. A Tintaro memory list (a ".slc"
// file, or any file whose lines all are codes ended by CR LF, as List.slc
// holds them) is read as Tintaro codes, blue first, its other lines left
// out, and the note says so. memoryFile, the list the colours go into, is
// refused (when given).
Outcome<ImportedPalette> ImportFromFile(const QString& path, const QString& memoryFile = QString());

// The palette at file (as shown to the user) could not be imported, and why.
QString FailureText(FileFailure::Layout layout, const QString& file, const QString& reason);

} // namespace PaletteImport
