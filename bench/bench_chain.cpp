// SPDX-License-Identifier: MIT
// The real main window on the offscreen platform (unless QT_QPA_PLATFORM
// says otherwise): the channel-editing chain of one slider step, a whole drag,
// a code loaded into the sliders, and "Guardar" into a list of 100,000
// entries shown by its list view. The event loop does not run inside the
// timed loops unless a benchmark says so.
#include "BenchData.h"
#include "EditorColour.h"
#include "IO_System.h"
#include "MainColor.h"
#include "MemoryListModel.h"

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A freshly built main window, shown and painted once.
std::unique_ptr<MainColor> ShownWindow()
{
    auto window = std::make_unique<MainColor>();
    window->show();
    QApplication::processEvents();
    return window;
}

// One step of the red slider (128 and 129 in turn): change handler, value
// box, code box and sample; with `painted`, the event loop's turn that paints
// them too.
void BM_SliderStep(benchmark::State& state, bool painted)
{
    const auto window = ShownWindow();
    QScrollBar* slider = window->Channels().CScroll[0];
    for (auto _ : state) {
        slider->setValue(slider->value() ^ 1);
        if (painted)
            QApplication::processEvents();
    }
}
BENCHMARK_CAPTURE(BM_SliderStep, chain, false);
BENCHMARK_CAPTURE(BM_SliderStep, painted, true)->Unit(benchmark::kMicrosecond);

// The thumb held down and dragged from 0 to 255, then released: 255 scroll
// chains and one change chain.
void BM_Drag(benchmark::State& state)
{
    const auto window = ShownWindow();
    QScrollBar* slider = window->Channels().CScroll[0];
    for (auto _ : state) {
        slider->setValue(0);
        slider->setSliderDown(true);
        for (int position = 1; position <= 255; ++position)
            slider->setValue(position);
        slider->setSliderDown(false);
    }
}
BENCHMARK(BM_Drag)->Unit(benchmark::kMicrosecond);

// "Cargar" and "Ver": a code into the three sliders, each running its chain.
void BM_LoadCode(benchmark::State& state)
{
    const auto window = ShownWindow();
    const QString codes[2] = {QStringLiteral("#0080FF"), QStringLiteral("#FF7F00")};
    int which = 0;
    for (auto _ : state)
        window->Edited()->Apply(CodeColour(codes[which ^= 1]));
}
BENCHMARK(BM_LoadCode);

// "Guardar" of new codes into the window's list of 100,000 entries, an entry
// in the middle selected: the scan, the sorted insertion with the view and
// the selection following it, and a removal that keeps the list's size.
void BM_SaveInWindow(benchmark::State& state)
{
    const auto window = ShownWindow();
    const QStringList codes = BenchData::SortedCodes(100000);
    const QStringList fresh = BenchData::CodesNotIn(codes, 1024);
    MemoryListModel* list = window->MemListModel();
    IO_System::FillMemoryList(codes, *list);
    window->MemList()->setCurrentIndex(list->index(list->Count() / 2));
    QApplication::processEvents();
    qsizetype next = 0;
    for (auto _ : state) {
        const QString& code = fresh.at(next++ % fresh.size());
        if (!list->Items().contains(code, Qt::CaseSensitive))
            list->RemoveAt(list->AddSorted(code));
    }
}
BENCHMARK(BM_SaveInWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
