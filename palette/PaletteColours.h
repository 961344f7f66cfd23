// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The colours a palette holds: the memory list's entries that are colour
// codes, each with the name it takes in the exported files.
namespace PaletteColours {

struct NamedColour
{
    QString code; // the entry as it stands in the list, "#BBGGRR"
    Colour::Rgb8 colour;
    QString name;
};

// True when entry is a colour code: "#" and six hexadecimal digits (either
// case), blue, green and red.
bool IsCode(QStringView entry);

// The colour of a code that IsCode accepts.
Colour::Rgb8 CodeColour(QStringView code);

// The code of a colour, upper case: red 255, green 128, blue 0 is #0080FF.
QString CodeOf(Colour::Rgb8 colour);

// The entries that are codes, in list order; other entries (notes, partial
// codes) are left out. Names:
// - a colour that has a CSS name of its own takes it (NamedColours::ExactName:
//   "red", and "aqua" rather than "cyan");
// - any other colour takes "color-" and its place in the palette, counted from
//   1 over the colours kept: color-1, color-2...;
// - the second and later entries of the same named colour add "-" and their
//   count: red, red-2, red-3.
// CSS names are lower-case letters only, so the names never collide. Each
// starts with a letter and holds only lower-case letters, digits and "-": a
// CSS custom property after "--", an SCSS variable after "$", and a GIMP
// colour name as they are.
QList<NamedColour> FromEntries(const QStringList& entries);

} // namespace PaletteColours
