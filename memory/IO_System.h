// SPDX-License-Identifier: MIT
#pragma once

#include "FileFailure.h"
#include "SafeFile.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class MemoryListModel;

// The memory file "List.slc": one entry per line, lines ended by CR LF when
// written; CR LF, a lone CR or a lone LF end a line when read. Lines starting
// with "*" (comments) and empty lines are skipped on reading. Each line's
// bytes come back exactly (LineCodec).
namespace IO_System {

// Appends the file's entries to lines, in file order, and gives the file's
// bytes: none when there is no file. Fails, lines left as they were, where
// SafeFile::Read fails.
Outcome<QByteArray> ReadMemoryFile(const QString& path, QStringList& lines);

// The memory file at file (as shown to the user) could not be read, and why.
QString UnreadableText(FileFailure::Layout layout, const QString& file, const QString& reason);

// Puts line i at index i of list, keeping the file's order.
void FillMemoryList(const QStringList& lines, MemoryListModel& list);

// The list's entries in order, each followed by CR LF. An empty entry, or one
// holding CR or LF (it would read back as other entries), is left out.
QString MemoryListText(const MemoryListModel& list);

// Splits the file's bytes into entries, appended to lines in file order.
void SplitLines(QByteArrayView bytes, QStringList& lines);

// Replaces the file at path by body, encoded as it was read, with no line end
// added (see SafeFile::Replace).
Outcome<> WriteTextFile(const QString& path, const QString& body);

} // namespace IO_System
