// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where the memory file "List.slc" lives.
namespace MemoryFileLocation {

// The memory file for programFolder: beside the program when that folder
// already holds a List.slc or this user may create files in it (a portable
// copy), except under /usr or /opt (a system install, shared by every user,
// even when the superuser runs it); otherwise in dataFolder, the user's own
// data folder. Looks at the file system, makes nothing.
QString MemoryFilePathFor(const QString& programFolder, const QString& dataFolder);

// The memory file of the running program, with the user's data folder
// ($XDG_DATA_HOME/Tintaro, by default ~/.local/share/Tintaro). That folder is
// made when the file goes there and it is missing; a failure to make it shows
// later as a failure to write the file.
QString MemoryFilePath();

// folder with a "/" at its end, added only when missing.
QString WithTrailingSlash(const QString& folder);

} // namespace MemoryFileLocation
