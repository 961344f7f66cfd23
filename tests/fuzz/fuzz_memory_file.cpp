// SPDX-License-Identifier: MIT
// The memory file's round trip from any bytes: ReadMemoryFile, FillMemoryList,
// MemoryListText and WriteTextFile.
//
// The input is written as a file and read as the memory file; its entries go
// through the list model into the text that is written back. The written file
// must hold, byte for byte, the input's lines that are neither empty nor
// comments ("*" first), each followed by CR LF, where CR LF, a lone CR and a
// lone LF each end a line. Reading the written file gives the same entries.
//
// The files live in one temporary folder per process (under TMPDIR), made at
// the first input and removed at exit.
#include "FuzzText.h"
#include "IO_System.h"
#include "MemoryListModel.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace IO_System;

namespace {

// The lines of the input that are entries, without their line ends.
QList<QByteArray> ExpectedEntries(const QByteArray& bytes)
{
    QList<QByteArray> entries;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end > start && bytes[start] != '*')
            entries.append(bytes.mid(start, end - start));
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return entries;
}

[[noreturn]] void Fail(const char* what, const QByteArray& input, const QByteArray& written = {})
{
    std::fprintf(stderr, "FAILED: %s\n  input: %s\n  written: %s\n", what,
                 input.toHex(' ').constData(), written.toHex(' ').constData());
    std::abort();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        Fail("cannot write the input file", bytes);
}

QByteArray ReadBytes(const QString& path, const QByteArray& input)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail("cannot read the written file", input);
    return file.readAll();
}

const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(folder.errorString()));
        std::abort();
    }
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static const QString inputPath = Folder().filePath(QStringLiteral("input.slc"));
    static const QString memoryPath = Folder().filePath(QStringLiteral("List.slc"));
    WriteBytes(inputPath, input);

    QStringList lines;
    if (ReadMemoryFile(inputPath, lines) != ReadStatus::Read)
        Fail("the input file is not read", input);
    const QList<QByteArray> expected = ExpectedEntries(input);
    if (lines.size() != expected.size())
        Fail("wrong number of entries", input);
    QByteArray expectedFile;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (EncodeText(lines.at(i)) != expected.at(i))
            Fail("an entry does not give back its line's bytes", input, EncodeText(lines.at(i)));
        expectedFile += expected.at(i) + "\r\n";
    }

    MemoryListModel list;
    FillMemoryList(lines, list);
    if (list.Items() != lines)
        Fail("the list does not hold the file's entries in order", input);
    const QString text = MemoryListText(list);

    // Into a list that already holds an entry, the lines go in front of it; an
    // empty entry is left out of the text.
    MemoryListModel filled;
    filled.InsertAt(0, QString());
    FillMemoryList(lines, filled);
    if (filled.Count() != lines.size() + 1 || !filled.Item(filled.Count() - 1).isEmpty() ||
        MemoryListText(filled) != text)
        Fail("filling a list that holds an entry", input);

    QString error;
    if (!WriteTextFile(memoryPath, text, &error))
        Fail(qPrintable("the memory file is not written: " + error), input);
    const QByteArray written = ReadBytes(memoryPath, input);
    if (written != expectedFile)
        Fail("the written file differs from the input's entries", input, written);

    QStringList again;
    if (ReadMemoryFile(memoryPath, again) != ReadStatus::Read || again != lines)
        Fail("reading the written file gives other entries", input, written);
    return 0;
}
