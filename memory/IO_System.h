// SPDX-License-Identifier: MIT
#pragma once

#include "MemoryFileLocation.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

class MemoryListModel;

// The memory file "List.slc": one entry per line, lines ended by CR LF when
// written; CR LF, a lone CR or a lone LF end a line when read. Lines starting
// with "*" (comments) and empty lines are skipped on reading.
namespace IO_System {

// Outcome of reading the memory file.
enum class ReadStatus {
    Missing,   // no such file: the list starts empty
    Read,      // read whole
    Unreadable // exists but could not be read (a folder, no permission, I/O error)
};

// folder with a "/" at its end, added only when missing.
QString WithTrailingSlash(const QString& folder);

// Appends the file's entries to lines, in file order. On Unreadable,
// errorText (when given) receives the system's reason and lines is left as it
// was; on the other outcomes errorText is not touched.
ReadStatus ReadMemoryFile(const QString& path, QStringList& lines, QString* errorText = nullptr);

// Puts line i at index i of list, keeping the file's order.
void FillMemoryList(const QStringList& lines, MemoryListModel& list);

// The list's non-empty entries in order, each followed by CR LF.
QString MemoryListText(const MemoryListModel& list);

// Replaces the file at path by body atomically: on failure the old file is
// left exactly as it was and false is returned with the system's reason in
// errorText. An empty path writes nothing and succeeds. An existing file
// without write permission is refused even where the folder would allow
// replacing it. The body is written as is, with no line end added.
bool WriteTextFile(const QString& path, const QString& body, QString* errorText = nullptr);

// Byte-exact text form of one line: valid UTF-8 decodes as such, every byte
// of an invalid sequence becomes U+DC80 + (byte - 0x80) so EncodeText gives
// the same bytes back.
QString DecodeLine(QByteArrayView bytes);
QByteArray EncodeText(QStringView text);

} // namespace IO_System
