// SPDX-License-Identifier: MIT
#pragma once

#include "CssColourWriter.h"

#include <QString>

// What the command-line options do, once read (see CommandLine).
namespace Commands {

// Writes text to standard output; 0, or 2 with the reason on standard error.
int Print(const QString& text);
// Writes "tintaro: " and text to standard error and returns status.
int Fail(int status, const QString& text);

// --pick, once the application object exists: one colour taken from the
// screen, printed in format on standard output; status 0, 1 when the user
// cancels, 2 with the reason on standard error when no colour can be taken
// or standard output does not take it. --pick opens no main window, takes no
// lock and never touches the memory file, so it runs beside an open Tintaro.
int Pick(Colour::CssFormat format);

// --convert: the CSS colour written in format on standard output; "-" reads
// one colour a line from standard input and writes one a line, an empty
// line for a line that is no colour, whose number and reason go to standard
// error. Status 0, or 2 when a colour could not be read or written. Needs no
// display, takes no lock, never touches the memory file.
// clip: a colour outside sRGB clipped, as browsers paint it today, instead
// of gamut mapped as CSS Color 4 has it.
int Convert(const QString& colour, Colour::CssFormat format, bool clip);

// --contrast: one line on standard output, beginning with the WCAG 2 ratio
// (two decimals, cut), then the verdicts and the APCA figure. Status 0 when
// the pair reaches AA for normal text, 1 when not, 2 when a colour cannot be
// read (the reason on standard error) or the line cannot be written. Needs
// no display, takes no lock, never touches the memory file.
int Contrast(const QString& text, const QString& background);

// --export: the memory list (the List.slc the window would use, read as it
// reads it, never locked nor written) as a palette in the named format,
// into file (atomically) or, when file is empty, on standard output.
// Status 0, or 2 with the reason on standard error.
int Export(const QString& formatName, const QString& file);

// --import: the palette's colours added to the memory list at their sorted
// places, those already there skipped, and the list saved at once; refused
// while a copy of Tintaro runs with that list (status 2), as is a file with
// no colour or a malformed one (nothing is added then). Prints what was
// added; status 0, or 2 with the reason on standard error.
int Import(const QString& file);

// --scale: the eleven steps of the CSS colour's scale of tints and shades
// (ColourScale), named NAME-50 ... NAME-950, as a palette in the named format
// (tailwind when formatName is empty) on standard output. name empty: the
// nearest CSS name. Status 0, or 2 with the reason on standard error. Needs
// no display, takes no lock, never touches the memory file.
int Scale(const QString& colour, const QString& name, const QString& formatName);

} // namespace Commands
