// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QString>
#include <QStringView>

// The names colours take in palettes: the name a colour has without a given
// one, and what each format lets a name be.
namespace PaletteNames {

// The name of a colour that was given none, from its value alone, so that
// no other colour of the list ever changes it: its CSS name
// (NamedColours::ExactName: "red", "aqua"), else the nearest CSS name and its
// CSS hexadecimal digits, "darkorange-ff8000". Lower-case ASCII letters,
// digits and "-", starting with a letter: valid in every format as it is.
QString Derived(Colour::Rgb8 colour);

// Derived of a memory list entry that is a colour code (blue first), else an
// empty text: the list's names for entries without a given one.
QString DerivedForEntry(const QString& entry);

// The code ("#BBGGRR") of the colour whose derived name is name, or would be
// once made a CSS identifier ("red!" is red), else an empty text.
QString DerivedOwner(const QString& name);

// The rule that makes a given name valid in a format; an empty text when
// nothing of the name is left, and the colour takes its derived name.
using Rule = QString (*)(QStringView name);

// Any name as it is (GIMP, JSON: a name on one line, which a kept name is).
QString AsGiven(QStringView name);

// A CSS identifier, for "--NAME" and Tailwind's "--color-NAME": accents taken
// off ("océano" is "oceano"), letters and digits (ASCII or not) and "_"
// kept, each run of anything else one "-", none at either end. Case is kept:
// custom properties are case-sensitive, so "--brandPrimary" stays itself.
QString CssIdent(QStringView name);

// An SCSS variable after "$": the CSS identifier with "_" as "-" (Sass takes
// them as one, so two names apart only by them would be one variable), and
// "color-" before one that starts with a digit.
QString ScssVariable(QStringView name);

} // namespace PaletteNames
