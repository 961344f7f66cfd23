// SPDX-License-Identifier: MIT
// The memory file and the memory list at 1,000 and 100,000 entries: reading
// the file, filling the list, joining and writing it back, storing one more
// code as "Guardar" does (the exact-case scan of every entry, then the sorted
// insertion), the save that follows every change, and an import of a large
// palette.
#include "BenchData.h"
#include "IO_System.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// A memory file of count codes, one a line ended by CR LF, and its lines.
struct MemoryFile
{
    explicit MemoryFile(int count) : codes(BenchData::SortedCodes(count))
    {
        list.SetItems(codes);
        if (!dir.isValid() || !IO_System::WriteTextFile(path, IO_System::MemoryListText(list)))
            std::abort();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("List.slc"));
    const QStringList codes;
    MemoryListModel list;
};

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

void BM_ReadMemoryFile(benchmark::State& state)
{
    const MemoryFile file(int(state.range(0)));
    for (auto _ : state) {
        QStringList lines;
        benchmark::DoNotOptimize(IO_System::ReadMemoryFile(file.path, lines));
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadMemoryFile)->Apply(Sizes);

// Into the empty list of a starting program.
void BM_FillMemoryList(benchmark::State& state)
{
    const MemoryFile file(int(state.range(0)));
    for (auto _ : state) {
        MemoryListModel list;
        IO_System::FillMemoryList(file.codes, list);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_FillMemoryList)->Apply(Sizes);

// The list joined and written over the file, as at every close (the write
// replaces the file atomically and syncs it to disk).
void BM_WriteMemoryFile(benchmark::State& state)
{
    const MemoryFile file(int(state.range(0)));
    for (auto _ : state) {
        if (!IO_System::WriteTextFile(file.path, IO_System::MemoryListText(file.list)))
            state.SkipWithError("WriteTextFile failed");
    }
}
BENCHMARK(BM_WriteMemoryFile)->Apply(Sizes);

// "Guardar" with a code not yet in the list: the scan that finds no equal
// entry, then the sorted insertion; the entry is removed again (timed too)
// so that the list keeps its size.
void BM_SaveNewEntry(benchmark::State& state)
{
    MemoryFile file(int(state.range(0)));
    const QStringList fresh = BenchData::CodesNotIn(file.codes, 1024);
    qsizetype next = 0;
    for (auto _ : state) {
        const QString& code = fresh.at(next++ % fresh.size());
        if (!file.list.Items().contains(code, Qt::CaseSensitive))
            file.list.RemoveAt(file.list.AddSorted(code));
    }
}
BENCHMARK(BM_SaveNewEntry)->Apply(Sizes);

// The scan alone, over the whole list.
void BM_DuplicateScan(benchmark::State& state)
{
    const MemoryFile file(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(file.list.Items().contains(QStringLiteral("#ABCDEG")));
}
BENCHMARK(BM_DuplicateScan)->Apply(Sizes);

// "Guardar" and "Borrar" with the save after each: one code added, saved,
// removed, saved, so the file keeps its size. With a hand edit, the file's time
// changes before each save, so the file is read back in first.
void StoreSave(benchmark::State& state, bool handEdit)
{
    MemoryFile file(int(state.range(0)));
    MemoryListModel list;
    MemoryStore store(list);
    if (!store.Load(file.path))
        std::abort();
    const QString code = QStringLiteral("#ABCDEG"); // never a generated code
    qint64 touch = 0;
    for (auto _ : state) {
        if (handEdit) {
            state.PauseTiming();
            QFile disk(file.path);
            if (!disk.open(QIODevice::ReadWrite) ||
                !disk.setFileTime(QDateTime::fromMSecsSinceEpoch(++touch * 1000),
                                  QFileDevice::FileModificationTime))
                std::abort();
            state.ResumeTiming();
        }
        const int index = int(list.Items().indexOf(code));
        if (!(index < 0 ? store.Add(code) : store.Remove(index)))
            state.SkipWithError("Save failed");
    }
}
BENCHMARK_CAPTURE(StoreSave, unchanged, false)->Apply(Sizes);
BENCHMARK_CAPTURE(StoreSave, after_hand_edit, true)->Apply(Sizes);

// An import of 20,000 new colours into a list of 100,000, as the memory
// menu makes it: the palette merged into the list, each code recorded, one
// save. Before the import, the file was left alone, or edited by hand: a
// comment line put at its top (the entries stay in order), or a code added
// at its end (out of order). An edited file is taken in by the save, and the
// 20,000 additions made again on its entries.
void ImportSave(benchmark::State& state, const QByteArray& top, const QByteArray& end)
{
    QStringList palette = BenchData::CodesNotIn(BenchData::SortedCodes(100000), 20100);
    palette.removeDuplicates();
    palette.resize(20000);
    for (auto _ : state) {
        state.PauseTiming();
        MemoryFile file(100000);
        MemoryListModel list;
        MemoryStore store(list);
        QFile disk(file.path);
        if (!store.Load(file.path) || !disk.open(QIODevice::ReadWrite))
            std::abort();
        const QByteArray edited = top + disk.readAll() + end;
        if (!disk.seek(0) || disk.write(edited) != edited.size())
            std::abort();
        disk.close();
        state.ResumeTiming();
        if (!store.Merge(palette) || list.Count() != 120000 + end.count('\n'))
            state.SkipWithError("Save failed");
    }
}
BENCHMARK_CAPTURE(ImportSave, unchanged, "", "")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ImportSave, comment_at_top, "* mine\r\n", "")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ImportSave, code_at_end, "", "#000000\r\n")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
