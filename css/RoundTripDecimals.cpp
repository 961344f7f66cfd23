// SPDX-License-Identifier: MIT
#include "RoundTripDecimals.h"

#include <cmath>

namespace RoundTripDecimals {

namespace {

constexpr std::array<double, MaxDecimals + 1> PowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4,
                                                          1e5, 1e6, 1e7, 1e8};

Decimal Round(double value, int decimals, bool hue)
{
    Decimal result{std::llround(value * PowersOfTen[decimals]), decimals};
    if (hue && result.mantissa == std::llround(360 * PowersOfTen[decimals])) {
        result.mantissa = 0;
    }
    return result;
}

} // namespace

double Value(Decimal decimal)
{
    return double(decimal.mantissa) / PowersOfTen[decimal.decimals];
}

Choice Choose(ColourForms::Form form, Colour::Rgb8 colour, const Colour::Triple& exact,
              int hueIndex, const std::array<int, 3>& startDecimals)
{
    Choice choice{};
    Colour::Triple trial{};
    const auto comesBack = [&] {
        const ColourForms::Converted back = ColourForms::ToRgb8(form, trial);
        return back.colour == colour && !back.mapped && !back.nearHalf;
    };
    const auto start = [&](const std::array<int, 3>& decimals) {
        for (int i = 0; i < 3; ++i) {
            choice[i] = Round(exact[i], decimals[i], i == hueIndex);
            trial[i] = Value(choice[i]);
        }
    };
    start(startDecimals);
    if (!comesBack()) {
        start({MaxDecimals, MaxDecimals, MaxDecimals});
        if (!comesBack()) {
            return choice;
        }
    }
    // Number by number from the first, decimals go while the text still
    // comes back. A later number rounded shorter can let an earlier one lose
    // one more, so the passes go on until one changes nothing: then no
    // number comes back with one decimal fewer.
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < 3; ++i) {
            for (int decimals = choice[i].decimals - 1; decimals >= 0; --decimals) {
                const Decimal fewer = Round(exact[i], decimals, i == hueIndex);
                const double kept = trial[i];
                trial[i] = Value(fewer);
                // The same value with fewer digits (0.60 for 0.600) needs no trial.
                if (trial[i] != kept && !comesBack()) {
                    trial[i] = kept;
                    break;
                }
                changed = changed || trial[i] != kept;
                choice[i] = fewer;
            }
        }
    }
    return choice;
}

} // namespace RoundTripDecimals
