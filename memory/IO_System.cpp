// SPDX-License-Identifier: MIT
#include "IO_System.h"

#include "LineCodec.h"
#include "MemoryListModel.h"

#include <algorithm>
#include <utility>

namespace IO_System {

using SafeFile::ReadStatus;

ReadStatus ReadMemoryFile(const QString& path, QStringList& lines, QString* errorText,
                          QByteArray* bytes)
{
    QByteArray read;
    const ReadStatus status = SafeFile::Read(path, read, errorText);
    if (status == ReadStatus::Read)
        SplitLines(read, lines);
    else
        read.clear();
    if (bytes != nullptr)
        *bytes = std::move(read);
    return status;
}

void SplitLines(QByteArrayView bytes, QStringList& lines)
{
    const char* const data = bytes.constData();
    const qsizetype size = bytes.size();
    // One entry per LF at most in the usual CR LF file: reserving avoids
    // regrowing a list of 100,000 entries many times over.
    lines.reserve(lines.size() + std::count(data, data + size, '\n') + 1);
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        // Empty lines and comment lines ("*" first) are not entries.
        if (end > start && data[start] != '*')
            lines.append(LineCodec::DecodeLine(QByteArrayView(data + start, end - start)));
        // CR LF, a lone CR and a lone LF each end one line.
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

void FillMemoryList(const QStringList& lines, MemoryListModel& list)
{
    if (list.Count() == 0) {
        list.SetItems(lines);
        return;
    }
    for (int i = 0; i < lines.size(); ++i)
        list.InsertAt(i, lines.at(i));
}

QString MemoryListText(const MemoryListModel& list)
{
    const QStringList& items = list.Items();
    qsizetype length = 0;
    for (const QString& item : items)
        length += item.size() + 2;
    QString text;
    text.reserve(length);
    for (const QString& item : items) {
        if (item.isEmpty() || item.contains(QLatin1Char('\r')) || item.contains(QLatin1Char('\n')))
            continue;
        text += item;
        text += QLatin1String("\r\n");
    }
    return text;
}

bool WriteTextFile(const QString& path, const QString& body, QString* errorText)
{
    return SafeFile::Replace(path, LineCodec::EncodeText(body), errorText);
}

} // namespace IO_System
