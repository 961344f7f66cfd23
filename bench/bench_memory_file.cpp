// SPDX-License-Identifier: MIT
// Timings of the memory file and the memory list at 1,000, 10,000 and
// 100,000 entries: reading the file, filling the list, joining and writing it
// back, storing one more code as "&Guardar" does, and the save that follows
// every change.
#include "BenchData.h"
#include "IO_System.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using BenchData::kSizes;

QTemporaryDir& TempDir()
{
    static QTemporaryDir dir;
    if (!dir.isValid()) {
        std::abort();
    }
    return dir;
}

// The codes of a list of count entries, made once per size.
const QStringList& Codes(int count)
{
    static QMap<int, QStringList> made;
    auto it = made.find(count);
    if (it == made.end()) {
        it = made.insert(count, BenchData::SortedCodes(count));
    }
    return it.value();
}

// A memory file of count random codes, one per line ended by CR LF, written
// once per size into the temporary folder.
QString MemoryFile(int count)
{
    const QString path = TempDir().filePath(QStringLiteral("List-%1.slc").arg(count));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            std::abort();
        }
        QByteArray bytes;
        for (const QString& code : Codes(count)) {
            bytes += code.toLatin1();
            bytes += "\r\n";
        }
        file.write(bytes);
    }
    return path;
}

void SetItemCounters(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void AllSizes(benchmark::internal::Benchmark* b)
{
    for (int size : kSizes) {
        b->Arg(size);
    }
    b->Unit(benchmark::kMicrosecond);
}

// Reading the file into a fresh collection.
void BM_ReadMemoryFile(benchmark::State& state)
{
    const QString path = MemoryFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QStringList lines;
        IO_System::ReadMemoryFile(path, lines);
        benchmark::DoNotOptimize(lines);
    }
    SetItemCounters(state);
}
BENCHMARK(BM_ReadMemoryFile)->Apply(AllSizes);

// Filling a fresh, empty list from the collection (what start-up does).
void BM_FillMemoryList(benchmark::State& state)
{
    const QStringList& lines = Codes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        MemoryListModel list;
        IO_System::FillMemoryList(lines, list);
        benchmark::DoNotOptimize(list.Count());
    }
    SetItemCounters(state);
}
BENCHMARK(BM_FillMemoryList)->Apply(AllSizes);

// Both, as the start-up runs them: file to collection to list.
void BM_ReadAndFill(benchmark::State& state)
{
    const QString path = MemoryFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QStringList lines;
        IO_System::ReadMemoryFile(path, lines);
        MemoryListModel list;
        IO_System::FillMemoryList(lines, list);
        benchmark::DoNotOptimize(list.Count());
    }
    SetItemCounters(state);
}
BENCHMARK(BM_ReadAndFill)->Apply(AllSizes);

// Joining the list's entries into the file's text.
void BM_MemoryListText(benchmark::State& state)
{
    MemoryListModel list;
    list.SetItems(Codes(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        QString text = IO_System::MemoryListText(list);
        benchmark::DoNotOptimize(text);
    }
    SetItemCounters(state);
}
BENCHMARK(BM_MemoryListText)->Apply(AllSizes);

// Writing the joined text over the file (a disk-backed temporary folder:
// the write replaces the file atomically and asks the system to sync it).
void BM_WriteTextFile(benchmark::State& state)
{
    MemoryListModel list;
    list.SetItems(Codes(static_cast<int>(state.range(0))));
    const QString body = IO_System::MemoryListText(list);
    const QString path = TempDir().filePath(QStringLiteral("List-out.slc"));
    for (auto _ : state) {
        if (!IO_System::WriteTextFile(path, body)) {
            state.SkipWithError("WriteTextFile failed");
            break;
        }
    }
    SetItemCounters(state);
}
BENCHMARK(BM_WriteTextFile)->Apply(AllSizes);

// Both, as the close runs them: list to text to file.
void BM_JoinAndWrite(benchmark::State& state)
{
    MemoryListModel list;
    list.SetItems(Codes(static_cast<int>(state.range(0))));
    const QString path = TempDir().filePath(QStringLiteral("List-out.slc"));
    for (auto _ : state) {
        if (!IO_System::WriteTextFile(path, IO_System::MemoryListText(list))) {
            state.SkipWithError("WriteTextFile failed");
            break;
        }
    }
    SetItemCounters(state);
}
BENCHMARK(BM_JoinAndWrite)->Apply(AllSizes);

// A list of the given size and a supply of codes not in it, handed out in
// turn, for the "&Guardar" benchmarks.
struct SaveSetup
{
    explicit SaveSetup(int size) : codes(Codes(size)), fresh(BenchData::CodesNotIn(codes, 1024))
    {
        list.SetItems(codes);
    }
    const QString& NextFresh()
    {
        const QString& code = fresh.at(next);
        next = (next + 1) % fresh.size();
        return code;
    }

    const QStringList& codes;
    const QStringList fresh;
    MemoryListModel list;
    qsizetype next = 0;
};

// "&Guardar" with a code not yet in the list: the exact-case scan of every
// entry, then the sorted insertion. The entry is removed again afterwards so
// the list keeps its size; that removal is timed too (see
// BM_AddSortedAndRemove for the two list operations alone).
void BM_SaveNewEntry(benchmark::State& state)
{
    SaveSetup setup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QString& code = setup.NextFresh();
        if (BenchData::FindExact(setup.list.Items(), code) < 0) {
            setup.list.RemoveAt(setup.list.AddSorted(code));
        }
    }
}
BENCHMARK(BM_SaveNewEntry)->Apply(AllSizes);

// The exact-case duplicate scan alone, for a code that is not there (the
// whole list is walked).
void BM_DuplicateScan(benchmark::State& state)
{
    SaveSetup setup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(BenchData::FindExact(setup.list.Items(), setup.NextFresh()));
    }
    SetItemCounters(state);
}
BENCHMARK(BM_DuplicateScan)->Apply(AllSizes);

// The sorted insertion and the removal that undoes it, without the scan.
void BM_AddSortedAndRemove(benchmark::State& state)
{
    SaveSetup setup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        setup.list.RemoveAt(setup.list.AddSorted(setup.NextFresh()));
    }
}
BENCHMARK(BM_AddSortedAndRemove)->Apply(AllSizes);

// The save after "&Guardar" and "&Borrar": one code added, saved, removed,
// saved, so the file keeps its size. With a hand edit, the file changes on
// disk before each save (its time set anew), which is read back in first.
void StoreSave(benchmark::State& state, bool handEdit)
{
    const QString path = TempDir().filePath(QStringLiteral("List-store.slc"));
    QFile::remove(path);
    QFile::copy(MemoryFile(static_cast<int>(state.range(0))), path);
    MemoryListModel list;
    MemoryStore store;
    if (!store.Load(path, list).isEmpty()) {
        std::abort();
    }
    const QString code = QStringLiteral("#ABCDEG"); // never a generated code
    QString message;
    qint64 touch = 0;
    for (auto _ : state) {
        if (handEdit) {
            state.PauseTiming();
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.setFileTime(QDateTime::fromMSecsSinceEpoch(++touch * 1000),
                             QFileDevice::FileModificationTime);
            state.ResumeTiming();
        }
        const int index = static_cast<int>(list.Items().indexOf(code));
        if (index < 0) {
            list.AddSorted(code);
            store.Added(code);
        } else {
            list.RemoveAt(index);
            store.Removed(code);
        }
        if (store.Save(list, &message) != MemoryStore::SaveResult::Saved) {
            state.SkipWithError("Save failed");
            break;
        }
    }
}
void BM_StoreSave(benchmark::State& state)
{
    StoreSave(state, false);
}
BENCHMARK(BM_StoreSave)->Apply(AllSizes);
void BM_StoreSaveAfterHandEdit(benchmark::State& state)
{
    StoreSave(state, true);
}
BENCHMARK(BM_StoreSaveAfterHandEdit)->Apply(AllSizes);

} // namespace

BENCHMARK_MAIN();
