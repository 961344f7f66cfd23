// SPDX-License-Identifier: MIT
// The memory file's round trip from any bytes: read, put into the list and
// written back, the file holds the input's lines that are neither empty nor
// comments ("*" first), each ended by CR LF, byte for byte. The lines are
// found here by another way: every CR LF and lone CR made a LF, then split.
#include "IO_System.h"
#include "MemoryListModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

using namespace IO_System;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray expected;
    for (const QByteArray& line :
         QByteArray(input).replace("\r\n", "\n").replace('\r', '\n').split('\n'))
        expected += line.isEmpty() || line.startsWith('*') ? "" : line + "\r\n";
    QFile file(dir.filePath("List.slc"));
    if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
        std::abort();
    file.close();
    QStringList lines, again;
    MemoryListModel list;
    if (ReadMemoryFile(file.fileName(), lines))
        FillMemoryList(lines, list);
    if (!WriteTextFile(file.fileName(), MemoryListText(list)) || !file.open(QIODevice::ReadOnly) ||
        file.readAll() != expected || !ReadMemoryFile(file.fileName(), again) || again != lines)
        std::abort();
    return 0;
}
