// SPDX-License-Identifier: MIT
#pragma once

#include "CssColourWriter.h"

#include <QString>
#include <QStringList>
#include <optional>

// The command line: -h/--help, -v/--version, --pick and --convert with
// --format and --gamut, --contrast, --export, --import, --scale with --name
// and --format, beside Qt's own options (-platform, -display, -style...).
namespace CommandLine {

enum class Action { Window, Pick, Convert, Contrast, Export, Import, Scale };

// What the command line asks for.
struct Request
{
    std::optional<int> exitStatus; // end at once with this status
    Action action = Action::Window;
    Colour::CssFormat format = Colour::CssFormat::Hex; // of --pick and --convert
    bool clip = false;                                 // --gamut clip
    // The values: --convert's colour, --contrast's text and background,
    // --export's format and file, --import's file, --scale's colour, name
    // and palette format (each empty when not given).
    QStringList values;
};

// Read before the application object exists, so that none of it needs a
// display: --help and --version are answered (status 0, or 2 when standard
// output cannot take them); an unknown option or an argument is told with
// the usage line (status 2); without a window system, --pick ends with
// status 2 and the window with status 1, each saying why.
Request Read(int argc, char** argv);

} // namespace CommandLine
