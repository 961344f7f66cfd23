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
    Missing,    // no such file (nor such folder): the list starts empty
    Read,       // read whole
    Unreadable, // could not be read: no permission, I/O error, a symlink loop, not a
                // regular file (a folder, a FIFO, a device)
    TooLarge    // a regular file larger than MaxFileSize
};

// The largest memory file read: 64 MiB hold millions of codes, and a larger
// file would take gigabytes once split into entries.
constexpr qint64 MaxFileSize = qint64(64) * 1024 * 1024;

// One version of the file on disk, as the system describes it. Saving in
// place changes the size or the times, saving by rename changes the inode;
// the change time cannot be set back by hand. A missing file has the
// default stamp.
struct FileStamp
{
    qint64 device = -1;
    qint64 inode = -1;
    qint64 size = -1;
    qint64 modified = -1; // nanoseconds
    qint64 changed = -1;  // nanoseconds
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path now (symlinks followed).
FileStamp StampOf(const QString& path);

// folder with a "/" at its end, added only when missing.
QString WithTrailingSlash(const QString& folder);

// Appends the file's entries to lines, in file order. Only a regular file is
// read; it is opened without waiting (a FIFO or a device never blocks). On
// Unreadable and TooLarge, errorText (when given) receives the reason and
// lines is left as it was; on the other outcomes errorText is not touched.
// stamp (when given) receives the stamp of the file read.
ReadStatus ReadMemoryFile(const QString& path, QStringList& lines, QString* errorText = nullptr,
                          FileStamp* stamp = nullptr);

// Puts line i at index i of list, keeping the file's order.
void FillMemoryList(const QStringList& lines, MemoryListModel& list);

// The list's entries in order, each followed by CR LF. An empty entry, or one
// holding CR or LF (it would read back as other entries), is left out.
QString MemoryListText(const MemoryListModel& list);

// Replaces the file at path by body atomically: on failure the old file is
// left exactly as it was and false is returned with the system's reason in
// errorText. An empty path writes nothing and succeeds. An existing file
// without write permission is refused even where the folder would allow
// replacing it. The body is written as is, with no line end added. The new
// file keeps the old one's owner and group where the system allows it, and
// it is on disk, with its folder entry, when true is returned. stamp (when
// given) receives the stamp of the file written.
bool WriteTextFile(const QString& path, const QString& body, QString* errorText = nullptr,
                   FileStamp* stamp = nullptr);

// Byte-exact text form of one line: valid UTF-8 decodes as such, every byte
// of an invalid sequence becomes U+DC80 + (byte - 0x80) so EncodeText gives
// the same bytes back.
QString DecodeLine(QByteArrayView bytes);
QByteArray EncodeText(QStringView text);

} // namespace IO_System
