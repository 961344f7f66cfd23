// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// How a failure to do something with a file is told, the same words in a
// message box and on standard error: what could not be done, the file, and
// why. Each kind of failure writes its sentence once, where it fails, and
// both the window and the command line lay it out here.
namespace FileFailure {

enum class Layout {
    Window, // the file on a line of its own, the reason after a blank line
    Line    // "what file: reason" on one line, its first letter small, to follow
            // the program's name on standard error
};

inline QString Text(Layout layout, const QString& what, const QString& file, const QString& reason)
{
    if (layout == Layout::Window)
        return what + QLatin1Char('\n') + file + QLatin1String("\n\n") + reason;
    QString line = what + QLatin1Char(' ') + file + QLatin1String(": ") + reason;
    line[0] = line[0].toLower();
    return line;
}

} // namespace FileFailure
