// SPDX-License-Identifier: MIT
#include "IO_System.h"

#include "LineCodec.h"
#include "MemoryListModel.h"

#include <algorithm>
#include <utility>

namespace IO_System {

Outcome<QByteArray> ReadMemoryFile(const QString& path, QStringList& lines)
{
    const Outcome<std::optional<QByteArray>> read = SafeFile::Read(path);
    if (!read)
        return Failed(read.Reason());
    const QByteArray bytes = read->value_or(QByteArray());
    SplitLines(bytes, lines);
    return bytes;
}

QString UnreadableText(FileFailure::Layout layout, const QString& file, const QString& reason)
{
    return FileFailure::Text(
        layout, QStringLiteral("No se pudo leer la lista de colores guardada en"), file, reason);
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

Outcome<> WriteTextFile(const QString& path, const QString& body)
{
    return SafeFile::Replace(path, LineCodec::EncodeText(body));
}

} // namespace IO_System
