// SPDX-License-Identifier: MIT
#pragma once

#include "CssColourWriter.h"

#include <QString>
#include <optional>

// The command line: -h/--help, -v/--version, --pick and --convert with
// --format, beside Qt's own options (-platform, -display, -style...).
namespace CommandLine {

enum class Action { Window, Pick, Convert };

// What the command line asks for.
struct Request
{
    std::optional<int> exitStatus; // end at once with this status
    Action action = Action::Window;
    Colour::CssFormat format = Colour::CssFormat::Hex; // of --pick and --convert
    QString colour;                                    // of --convert
};

// Read before the application object exists, so that none of it needs a
// display: --help and --version are answered (status 0, or 2 when standard
// output cannot take them); an unknown option or an argument is told with
// the usage line (status 2); without a window system, --pick ends with
// status 2 and the window with status 1, each saying why.
Request Read(int argc, char** argv);

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
int Convert(const QString& colour, Colour::CssFormat format);

} // namespace CommandLine
