// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QString>

// The WCAG 2.2 contrast of two 8-bit colours and the levels it reaches. Each
// level is judged on the exact ratio; the figure shown is cut to two
// decimals, never rounded up, so it never shows a level that the ratio misses.
namespace Contrast {

using Colour::Rgb8;

// The minimum ratios: normal text AA (1.4.3) and AAA (1.4.6); large text (at
// least 24 px, or 18.66 px bold) AA and AAA; controls and graphics (1.4.11).
inline constexpr double NormalTextAa = 4.5;
inline constexpr double NormalTextAaa = 7;
inline constexpr double LargeTextAa = 3;
inline constexpr double LargeTextAaa = 4.5;
inline constexpr double NonText = 3;

struct Verdicts
{
    bool normalAa{};
    bool normalAaa{};
    bool largeAa{};
    bool largeAaa{};
    bool nonText{};

    friend bool operator==(const Verdicts&, const Verdicts&) = default;
};

// WCAG 2 relative luminance, 0 (black) to 1 (white): the channels through
// the sRGB curve (EightBit::ToLinear), weighted 0.2126, 0.7152 and 0.0722.
double Luminance(Rgb8 colour);

// (lighter + 0.05) / (darker + 0.05): 1 (the same luminance) to 21 (black
// and white), in either order.
double Ratio(Rgb8 first, Rgb8 second);

Verdicts Judge(double ratio);

// "4.54": two decimals, cut. 21 computed a hair below (20.999...) still
// shows 21.00; a ratio below one of the levels never shows that level.
QString RatioFigure(double ratio);

// A figure as the windows show it, with the Spanish decimal comma ("4,54");
// the command line and CSS keep the point.
QString WithComma(QString figure);

// "4,54:1": RatioFigure with the decimal comma, as the windows show a ratio.
QString WindowRatio(double ratio);

// "Contraste 4,54:1 — AA": the ratio as WindowRatio shows it and the verdict
// for normal text, both from the exact ratio: AAA from 7, AA from 4.5, large
// text only from 3.
QString Summary(double ratio);

} // namespace Contrast
