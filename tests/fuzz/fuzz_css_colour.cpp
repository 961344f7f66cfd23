// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes, taken as UTF-8, go to the reader. Every read
// ends within a bound (below); a colour read must have channels 0 to 255 and
// come back the same through its hex form and its oklch() form; a refusal must
// say why.
#include "CssColourReader.h"
#include "CssColourWriter.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The slowest reads, numbers of 4,000 digits, take about 30 microseconds in a
// plain build, where 1 ms would do as a bound; a colour the gamut mapping
// searches takes 1.5. This target is only built under AddressSanitizer and
// UndefinedBehaviorSanitizer with coverage, which slow them to about 400 and 5
// (900 and 15 for the slowest hundredth): 1 ms would leave no margin there,
// 10 ms leaves ten times the slowest, far below the 5 s at which libFuzzer
// calls a read hung. A read over it is timed twice more before it counts, so
// that the program being paused (two shared cores) or the first read filling
// the 8-bit tables is not taken for a slow read.
constexpr std::chrono::milliseconds Bound{10};

Outcome<Colour::CssColour> TimedRead(const QString& text)
{
    for (int attempt = 1;; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        Outcome<Colour::CssColour> result = Colour::ReadCssColour(text);
        if (std::chrono::steady_clock::now() - start <= Bound) {
            return result;
        }
        if (attempt == 3) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Outcome<Colour::CssColour> result = TimedRead(text);
    if (!result) {
        if (result.Reason().isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const Colour::Rgb8 c = result->colour;
    if (c.red < 0 || c.red > 255 || c.green < 0 || c.green > 255 || c.blue < 0 || c.blue > 255) {
        std::abort();
    }
    for (Colour::CssFormat format : {Colour::CssFormat::Hex, Colour::CssFormat::Oklch}) {
        const Outcome<Colour::CssColour> back =
            Colour::ReadCssColour(Colour::WriteCssColour(c, format));
        if (!back || !(back->colour == c)) {
            std::abort();
        }
    }
    return 0;
}
