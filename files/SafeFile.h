// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Reading and replacing a small file safely: only a regular file is read,
// without ever blocking and up to a size limit; a symbolic link is followed
// only where LinkRules allow it; a file is replaced atomically (AtomicWrite).
// All the program's own file writes go through here; every reason given is
// in Spanish.
namespace SafeFile {

// The largest file read: 64 MiB hold millions of colour codes, and a larger
// file would take gigabytes once split into entries.
constexpr qint64 MaxFileSize = qint64(64) * 1024 * 1024;

// Which links a read follows: a file the program may later write (the memory
// file) only through links LinkRules allow; a file that is only read (a
// palette to import), through any link, as every other program reads it.
enum class Links { Checked, Followed };

// Reads the regular file at path whole: its bytes, or none when there is no
// such file (nor such folder). It fails, with the reason, when the file
// cannot be read (no permission, an I/O error, a symlink loop, not a regular
// file: a folder, a FIFO, a device) or is larger than MaxFileSize. It is
// opened without waiting (a FIFO or a device never blocks); with
// Links::Checked, a link LinkRules refuse cannot be read.
Outcome<std::optional<QByteArray>> Read(const QString& path, Links links = Links::Checked);

// Replaces the file at path by bytes (see AtomicWrite::Replace, also for
// unchanged). An empty path writes nothing and succeeds. A link at path is
// followed only where LinkRules allow it, and never to a file that does not
// exist: the link's target is not created.
Outcome<> Replace(const QString& path, const QByteArray& bytes,
                  const std::function<bool()>& unchanged = {});

// Whether a and b name the same file: the same file on the same device once
// every link is followed (a hard link too), or, where one does not exist
// yet, the same resolved path.
bool SameFile(const QString& a, const QString& b);

// Removes the temporary files that saves of the file at path left when they
// could not end, and that no save holds (see AtomicWrite::RemoveLeftovers).
// A link at path is followed as Replace follows it.
void RemoveLeftovers(const QString& path);

// path with every symbolic link and "." or ".." resolved as far as it exists:
// a file that does not exist yet is named in its folder's resolved path, and
// a path with no existing folder is only made absolute and cleaned.
QString ResolvedPath(const QString& path);

} // namespace SafeFile
