// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// The command line: -h/--help, -v/--version and --pick. Each returns the exit
// status when the program is to end with it, or nothing when the main window
// is to open.
namespace CommandLine {

// --help and --version, answered before the window system is reached, so
// they work without a display.
std::optional<int> BeforeApplication(int argc, char** argv);

// Once the application object exists (it has taken Qt's own options away):
// refuses unknown options and arguments (status 2), and runs --pick: one
// colour taken from the screen, printed as #RRGGBB on standard output;
// status 0, 1 when the user cancels, 2 with the reason on standard error
// when no colour can be taken. --pick opens no main window, takes no lock
// and never touches the memory file, so it runs beside an open Tintaro.
std::optional<int> AfterApplication();

} // namespace CommandLine
