// SPDX-License-Identifier: MIT
#pragma once

#include "FileFailure.h"
#include "NamesFile.h"
#include "Outcome.h"
#include "PaletteColours.h"
#include "PaletteFormat.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes the memory list's colours as a palette file: UTF-8, lines ended by
// LF, the colours in list order. Only entries that are colour codes ("#" and
// six hexadecimal digits, blue, green, red) are written; any other entry is
// left out. The names are PaletteColours::FromEntries's: names given
// (NamesFile, by code) made valid for the format, else derived from each
// colour's value.
//   gpl       GIMP palette, version 2: "GIMP Palette", "Name: ", "Columns: ",
//             then "R G B<TAB>name", each number right-aligned in 3 columns
//   css       custom properties in ":root { }": --name: #RRGGBB;
//   scss      SCSS variables: $name: #RRGGBB;
//   tailwind  a Tailwind 4 theme: @theme { --color-name: oklch(...); }, each
//             oklch() reading back as exactly the same colour
//   json      an array of objects: name, css "#RRGGBB", code "#BBGGRR", red,
//             green and blue 0 to 255
//   txt       one #RRGGBB a line
//   tokens    W3C design tokens (.tokens.json): one token a colour, in list
//             order, $type "color", $value colorSpace "srgb", components
//             (each channel over 255) and hex "#RRGGBB"
namespace PaletteExport {

// The file's bytes; paletteName goes into the GIMP palette's "Name:" line
// (line breaks in it become spaces).
QByteArray ExportBytes(PaletteFormat format, const QStringList& entries,
                       const NamesFile::Names& names = {},
                       const QString& paletteName = QStringLiteral("Tintaro"));

// The file's bytes for colours that come with their names rather than from
// the list (PaletteColours::WithNames makes them valid for the format).
QByteArray ColoursBytes(PaletteFormat format, const PaletteWriters::Colours& colours,
                        const QString& paletteName = QStringLiteral("Tintaro"));

// Replaces the file at path, atomically, by the palette, named after the
// file (its name without extension). Writes nothing when no entry is a
// colour code, nor into memoryFile (the list the entries come from, under
// any name: a palette written over it would lose its other lines and turn
// every colour's red and blue around), nor into the names file beside it.
Outcome<> ExportToFile(const QString& path, PaletteFormat format, const QStringList& entries,
                       const QString& memoryFile, const NamesFile::Names& names = {});

// The palette could not be exported to file (as shown to the user), and why.
QString FailureText(FileFailure::Layout layout, const QString& file, const QString& reason);

} // namespace PaletteExport
