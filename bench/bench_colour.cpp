// SPDX-License-Identifier: MIT
// Timings of the colour-code conversions, one call per iteration.
#include "ColourAPI.h"

#include <QString>
#include <benchmark/benchmark.h>

using namespace ColourAPI;

namespace {

// Every channel value in turn, so the one- and two-digit forms both count.
void BM_HexPair(benchmark::State& state)
{
    qint16 value = 0;
    for (auto _ : state) {
        QString pair = HexPair(value);
        benchmark::DoNotOptimize(pair);
        value = static_cast<qint16>((value + 1) & 0xFF);
    }
}
BENCHMARK(BM_HexPair);

// The three channels of one code, as "&Cargar" and "&Ver" read them.
void BM_CodeChannel(benchmark::State& state)
{
    const QString code = QStringLiteral("#0080FF");
    qint16 channel = Red;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CodeChannel(code, channel));
        channel = static_cast<qint16>(channel == Blue ? Red : channel + 1);
    }
}
BENCHMARK(BM_CodeChannel);

// A whole code to a packed colour, as the list sample is painted.
void BM_CodeToColour(benchmark::State& state)
{
    const QString code = QStringLiteral("#0080FF");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CodeToColour(code));
    }
}
BENCHMARK(BM_CodeToColour);

// The composition of a code from three values, as every chain ends.
void BM_ComposeCode(benchmark::State& state)
{
    qint16 value = 0;
    for (auto _ : state) {
        QString code = ComposeCode(value, static_cast<qint16>(255 - value), 128);
        benchmark::DoNotOptimize(code);
        value = static_cast<qint16>((value + 1) & 0xFF);
    }
}
BENCHMARK(BM_ComposeCode);

// Typical value-box texts, one benchmark each.
void BM_TextToNumber(benchmark::State& state, const char* input)
{
    const QString text = QString::fromLatin1(input);
    state.SetLabel(input);
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextToNumber(text));
    }
}
BENCHMARK_CAPTURE(BM_TextToNumber, integer, "255");
BENCHMARK_CAPTURE(BM_TextToNumber, fraction, "3.5");
BENCHMARK_CAPTURE(BM_TextToNumber, exponent, "1e2");
BENCHMARK_CAPTURE(BM_TextToNumber, hex, "&HFF");

// A value-box text as the chain reads it: number, then rounding.
void BM_TextToChannel(benchmark::State& state)
{
    const QString text = QStringLiteral("3.5");
    for (auto _ : state) {
        benchmark::DoNotOptimize(RoundToInteger(TextToNumber(text)));
    }
}
BENCHMARK(BM_TextToChannel);

} // namespace
