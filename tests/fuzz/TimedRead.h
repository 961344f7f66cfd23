// SPDX-License-Identifier: MIT
#pragma once

#include "CssColourReader.h"

#include <chrono>
#include <cstdlib>

// A CSS colour read within a bound, for the fuzz targets that read colours.
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

inline Outcome<Colour::CssColour> TimedRead(const QString& text)
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
