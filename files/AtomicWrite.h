// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>
#include <functional>

// Replacing a file atomically: the file is the old one or the new
// one, never a mix, whatever happens (a full disk, a power cut). On failure
// the old file is left exactly as it was and the reason is given, in
// Spanish. An existing file without write
// permission is refused even where the folder would allow replacing it;
// missing folders are made. The new file keeps the old one's permissions,
// owner and group where the system allows it, and it is on disk, with its
// folder entry, when true is returned. unchanged (when given) is asked right
// before the new file takes the old one's place; when it says no, nothing is
// replaced and the save fails. file is the path as the system names it
// (FileName::Encode), taken as it is: links are the caller's (see
// LinkRules).
namespace AtomicWrite {

Outcome<> Replace(const QByteArray& file, const QByteArray& bytes,
                  const std::function<bool()>& unchanged);

#ifdef Q_OS_UNIX
// Takes an exclusive flock on fd without waiting, an interrupted call tried
// again: 0, or -1 with errno (EWOULDBLOCK when someone else holds it).
int LockWithoutWaiting(int fd);

// Makes folder and the folders above it that are missing, as mkdir -p does,
// telling which one could not be made and why.
Outcome<> MakeFolders(const QByteArray& folder);
#endif

// Removes the temporary files that saves of file left beside it when they
// could not end (a crash, a power cut), each as large as the file. A save
// holds a lock on its temporary from before its first byte until after the
// rename, and only a temporary that no process holds is removed: a save in
// progress, in this process or another (a second copy of the program, an
// export), keeps its own. A file system without locks keeps them all.
void RemoveLeftovers(const QByteArray& file);

} // namespace AtomicWrite
