// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"
#include "PaletteColours.h"

#include <QList>
#include <QString>
#include <QStringView>

// A colour's scale of tints and shades (ColourScale) as a palette: its eleven
// steps named NAME-50, NAME-100 ... NAME-950, lightest first.
namespace ScalePalette {

// The name a scale takes when none is given: the CSS name nearest the
// colour ("royalblue").
QString DefaultName(Colour::Rgb8 colour);

// A name the user gave, as every palette format can hold it: an ASCII letter,
// then ASCII letters, digits, "-" and "_"; surrounding blanks dropped. Else
// the Spanish reason.
Outcome<QString> CheckedName(QStringView name);

// The steps of colour's scale, each with its name and code.
QList<PaletteColours::NamedColour> Steps(Colour::Rgb8 colour, const QString& name);

} // namespace ScalePalette
