// SPDX-License-Identifier: MIT
#include "EightBit.h"

#include "ColourSpaces.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace EightBit {

namespace {

// Linear values 0 to 1 fall in this many equal slices; the curve is steepest
// near 0, where a slice still spans less than one level.
constexpr int Slices = 4096;

struct Tables
{
    std::array<double, 256> levels{};
    // halfSteps[n] is the linear value of level n + 0.5 (less HalfTolerance).
    std::array<double, 255> halfSteps{};
    // The linear values 1e-6 of a step below and above each half step.
    std::array<double, 255> belowHalf{};
    std::array<double, 255> aboveHalf{};
    // The level at the start of each slice, to begin the comparisons there.
    std::array<unsigned char, Slices> sliceLevels{};

    Tables()
    {
        for (int n = 0; n < 256; ++n) {
            levels[n] = ColourSpaces::SrgbToLinear(n / 255.0);
        }
        for (int n = 0; n < 255; ++n) {
            halfSteps[n] = ColourSpaces::SrgbToLinear((n + 0.5 - HalfTolerance) / 255.0);
            belowHalf[n] = ColourSpaces::SrgbToLinear((n + 0.5 - NearHalfSteps) / 255.0);
            aboveHalf[n] = ColourSpaces::SrgbToLinear((n + 0.5 + NearHalfSteps) / 255.0);
        }
        for (int k = 0; k < Slices; ++k) {
            const double start = double(k) / Slices;
            sliceLevels[k] = static_cast<unsigned char>(
                std::upper_bound(halfSteps.begin(), halfSteps.end(), start) - halfSteps.begin());
        }
    }
};

const Tables& TheTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

int FromLevel(double level)
{
    if (!(level > 0)) {
        return 0;
    }
    return level >= 255 ? 255 : static_cast<int>(std::floor(level + 0.5 + HalfTolerance));
}

int FromSrgb(double encoded)
{
    return FromLevel(encoded * 255);
}

int FromLinear(double linear)
{
    if (!(linear > 0)) {
        return 0; // also NaN; level 0 reaches up to the first half step, above 0
    }
    if (linear >= 1) {
        return 255;
    }
    const Tables& tables = TheTables();
    int level = tables.sliceLevels[static_cast<int>(linear * Slices)];
    while (level < 255 && linear >= tables.halfSteps[level]) {
        ++level;
    }
    return level;
}

bool NearHalf(double linear, int level)
{
    const Tables& tables = TheTables();
    return (level < 255 && linear > tables.belowHalf[level]) ||
           (level > 0 && linear < tables.aboveHalf[level - 1]);
}

double ToLinear(int level)
{
    return TheTables().levels[std::clamp(level, 0, 255)];
}

} // namespace EightBit
