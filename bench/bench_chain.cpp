// SPDX-License-Identifier: MIT
// Timings on the real main window: the channel-editing chain that one slider
// step runs, a whole drag of a slider, loading a code into the sliders, and
// storing a code into a memory list shown by its list view.
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. The
// event loop does not run inside the timed loops (except where a benchmark
// says so), so the times are those of the handlers themselves.
#include "BenchData.h"
#include "ChannelEditor.h"
#include "IO_System.h"
#include "MainColor.h"
#include "MemoryListModel.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The application, made on first use and kept to the end of the process.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_chain";
    static char* argv[] = {name, nullptr};
    static const QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        auto* made = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Tintaro"));
        return made;
    }();
    Q_UNUSED(app);
}

// A freshly built main window, shown, with its first paint done.
std::unique_ptr<MainColor> ShownWindow()
{
    EnsureApplication();
    auto window = std::make_unique<MainColor>();
    window->show();
    QApplication::processEvents();
    return window;
}

// One step of the red slider: alternately 128 and 129, so every set changes
// the value and runs the whole chain (change handler, value box, code box,
// sample).
void BM_SliderStep(benchmark::State& state)
{
    const auto window = ShownWindow();
    QScrollBar* slider = window->Channels().CScroll[0];
    int value = 128;
    for (auto _ : state) {
        slider->setValue(value);
        value ^= 1; // 128 <-> 129
    }
    state.counters["value"] = slider->value();
}
BENCHMARK(BM_SliderStep);

// The same step followed by the event loop's turn that paints what it
// changed (slider, value box, code box, sample) into the backing store.
void BM_SliderStepPainted(benchmark::State& state)
{
    const auto window = ShownWindow();
    QScrollBar* slider = window->Channels().CScroll[0];
    int value = 128;
    for (auto _ : state) {
        slider->setValue(value);
        QApplication::processEvents();
        value ^= 1;
    }
}
BENCHMARK(BM_SliderStepPainted)->Unit(benchmark::kMicrosecond);

// A whole drag of the red slider's thumb from 0 to 255: the thumb is held
// down, so every position raises the scroll handling (QAbstractSlider emits
// sliderMoved and valueChanged for each setValue while it is down), and the
// release raises the change handling once more. Time per drag; per_step is
// the time of one of its 255 positions.
void BM_Drag(benchmark::State& state)
{
    const auto window = ShownWindow();
    QScrollBar* slider = window->Channels().CScroll[0];
    for (auto _ : state) {
        state.PauseTiming();
        slider->setValue(0);
        state.ResumeTiming();
        slider->setSliderDown(true);
        for (int position = 1; position <= 255; ++position) {
            slider->setValue(position);
        }
        slider->setSliderDown(false);
    }
    state.counters["per_step"] = benchmark::Counter(
        255, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Drag)->Unit(benchmark::kMicrosecond);

// Loading a code into the three sliders, as "&Cargar" and "&Ver" do: three
// sets, each running its chain. Two codes differing in every channel.
void BM_LoadCode(benchmark::State& state)
{
    const auto window = ShownWindow();
    const QString codes[2] = {QStringLiteral("#0080FF"), QStringLiteral("#FF7F00")};
    int which = 0;
    for (auto _ : state) {
        SetSlidersFromCode(window->Channels().CScroll, codes[which]);
        which ^= 1;
    }
}
BENCHMARK(BM_LoadCode);

void ListSizes(benchmark::internal::Benchmark* b)
{
    for (int size : BenchData::kSizes) {
        b->Arg(size);
    }
    b->Unit(benchmark::kMicrosecond);
}

// "&Guardar" of a new code into the window's own memory list, whose list view
// and selection follow every insertion: the exact-case scan, the sorted
// insertion, then a removal that keeps the list's size (timed too).
void BM_SaveEntryInWindow(benchmark::State& state)
{
    const auto window = ShownWindow();
    const QStringList codes = BenchData::SortedCodes(static_cast<int>(state.range(0)));
    const QStringList fresh = BenchData::CodesNotIn(codes, 1024);
    MemoryListModel* list = window->MemListModel();
    IO_System::FillMemoryList(codes, *list);
    // An entry in the middle is selected, as after a click.
    window->MemList()->setCurrentIndex(list->index(list->Count() / 2));
    QApplication::processEvents();
    qsizetype next = 0;
    for (auto _ : state) {
        const QString& code = fresh.at(next);
        next = (next + 1) % fresh.size();
        if (BenchData::FindExact(list->Items(), code) < 0) {
            list->RemoveAt(list->AddSorted(code));
        }
    }
}
BENCHMARK(BM_SaveEntryInWindow)->Apply(ListSizes);

// Filling the window's empty memory list from the read lines and letting the
// view lay itself out and paint, as the start-up does before the window shows.
void BM_FillListInWindow(benchmark::State& state)
{
    const auto window = ShownWindow();
    const QStringList codes = BenchData::SortedCodes(static_cast<int>(state.range(0)));
    MemoryListModel* list = window->MemListModel();
    for (auto _ : state) {
        state.PauseTiming();
        list->SetItems({});
        QApplication::processEvents();
        state.ResumeTiming();
        IO_System::FillMemoryList(codes, *list);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FillListInWindow)->Apply(ListSizes);

} // namespace

BENCHMARK_MAIN();
