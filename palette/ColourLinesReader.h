// SPDX-License-Identifier: MIT
#pragma once

#include "ImportedPalette.h"

#include <QStringView>

// Reads a list of CSS colours, one a line (Colour::ReadCssColour: names, hex,
// rgb(), oklch()...), as the txt export writes it. Lines end at LF or CR LF;
// empty lines are skipped. A line that is no colour makes the whole file
// fail, naming the line: "Línea 3: «verde»: no es un color CSS".
namespace ColourLinesReader {

Outcome<ImportedPalette> Read(QStringView text);

} // namespace ColourLinesReader
