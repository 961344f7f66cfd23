// SPDX-License-Identifier: MIT
#pragma once

#include "NamesFile.h"
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

// The entries that are codes, in list order, each with its name; other
// entries (notes, partial codes) are left out. This is where every palette
// writer gets its names from:
// - a colour given a name (names, by NamesFile::Key) takes it as rule makes
//   it valid for the format (PaletteNames; none: as it is);
// - any other colour, or one whose name rule leaves nothing of, takes its
//   derived name (PaletteNames::Derived), from its value alone;
// - a name that an earlier colour took already adds "-" and a count: red,
//   red-2, red-3. Given names go first, so a colour added without a name never
//   takes a name from one that has it.
// No name thus depends on a colour's place in the list or on the others.
QList<NamedColour> FromEntries(const QStringList& entries, const NamesFile::Names& names = {},
                               QString (*rule)(QStringView name) = nullptr);

// The same for colours that come with their names (each colour's name as
// given, empty for none), not from the list: a scale's steps, say. Codes
// need not differ.
QList<NamedColour> WithNames(QList<NamedColour> colours, QString (*rule)(QStringView name));

} // namespace PaletteColours
