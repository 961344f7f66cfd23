// SPDX-License-Identifier: MIT
#pragma once

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

// Appends the file's entries to lines, in file order (see SafeFile::Read for
// the outcomes and errorText); on Unreadable and TooLarge lines is left as
// it was. bytes, when given, receives the file's bytes (empty unless Read).
SafeFile::ReadStatus ReadMemoryFile(const QString& path, QStringList& lines,
                                    QString* errorText = nullptr, QByteArray* bytes = nullptr);

// Puts line i at index i of list, keeping the file's order.
void FillMemoryList(const QStringList& lines, MemoryListModel& list);

// The list's entries in order, each followed by CR LF. An empty entry, or one
// holding CR or LF (it would read back as other entries), is left out.
QString MemoryListText(const MemoryListModel& list);

// Splits the file's bytes into entries, appended to lines in file order.
void SplitLines(QByteArrayView bytes, QStringList& lines);

// Replaces the file at path by body, encoded as it was read, with no line end
// added (see SafeFile::Replace).
bool WriteTextFile(const QString& path, const QString& body, QString* errorText = nullptr);

} // namespace IO_System
