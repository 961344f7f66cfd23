// SPDX-License-Identifier: MIT
#pragma once

#include "ImportedPalette.h"

#include <QStringView>

// Reads a GIMP palette: the "GIMP Palette" line, then, in version 2, the
// "Name:" and "Columns:" lines (older palettes have none), then one colour a
// line: red, green and blue, integers 0 to 255 apart by blanks or tabs,
// optionally followed by the colour's name (GIMP's "Untitled" read as no
// name), the rest of the line without the blanks around it. Lines end at LF or CR LF;
// empty lines and comments ("#" first) are skipped.
namespace GimpPaletteReader {

// True when text starts with the magic line (blanks around it allowed).
bool IsGimpPalette(QStringView text);

// A colour line that cannot be read makes the whole palette fail, with the
// line's number: "Línea 7: «300» no está entre 0 y 255."
Outcome<ImportedPalette> Read(QStringView text);

} // namespace GimpPaletteReader
