// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where the memory file "List.slc" lives.
namespace MemoryFileLocation {

// The memory file for programFolder: beside the program when that folder
// already holds a List.slc or this user may create files in it (a portable
// copy), except under /usr or /opt (a system install, shared by every user,
// even when the superuser runs it), whether as written, with its links
// resolved, or as startedFolder (the folder the command named, when known)
// says; otherwise in dataFolder, the user's own data folder. Looks at the
// file system, makes nothing.
QString MemoryFilePathFor(const QString& programFolder, const QString& dataFolder,
                          const QString& startedFolder = QString());

// The user's data folder for Tintaro: $XDG_DATA_HOME/Tintaro, by default
// ~/.local/share/Tintaro.
QString DataFolder();

// The user's home folder: $HOME, or the user database's when HOME is not set.
QString UserHome();

// The memory file of the running program, with the user's data folder. That
// folder is made when the file goes there and it is missing; a failure to
// make it is told when the file is written.
QString MemoryFilePath();

// path as the user knows it, for messages.
QString ForDisplay(const QString& path);

// folder with a "/" at its end, added only when missing.
QString WithTrailingSlash(const QString& folder);

} // namespace MemoryFileLocation
