// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// The command line: -h/--help, -v/--version and --pick, beside Qt's own
// options (-platform, -display, -style...).
namespace CommandLine {

// What the command line asks for.
struct Request
{
    std::optional<int> exitStatus; // end at once with this status
    bool pick = false;             // else --pick, or the main window
};

// Read before the application object exists, so that none of it needs a
// display: --help and --version are answered (status 0, or 2 when standard
// output cannot take them); an unknown option or an argument is told with
// the usage line (status 2); without a window system, --pick ends with
// status 2 and the window with status 1, each saying why.
Request Read(int argc, char** argv);

// --pick, once the application object exists: one colour taken from the
// screen, printed as #RRGGBB on standard output; status 0, 1 when the user
// cancels, 2 with the reason on standard error when no colour can be taken
// or standard output does not take it. --pick opens no main window, takes no
// lock and never touches the memory file, so it runs beside an open Tintaro.
int Pick();

} // namespace CommandLine
