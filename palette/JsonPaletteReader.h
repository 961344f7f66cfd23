// SPDX-License-Identifier: MIT
#pragma once

#include "ImportedPalette.h"

#include <QByteArray>
#include <optional>

// Reads a JSON array of colours, as PaletteExport writes it: each element an
// object with "css" (a CSS colour), else "code" (a colour code "#BBGGRR"),
// else "red", "green" and "blue" (integers 0 to 255), and its name from
// "name" (a string), other members ignored; or a string holding a CSS colour. An element with no
// colour makes the whole file fail, naming the element: "Elemento 3: …".
namespace JsonPaletteReader {

// Nothing when bytes are not a JSON array.
std::optional<Outcome<ImportedPalette>> Read(const QByteArray& bytes);

} // namespace JsonPaletteReader
