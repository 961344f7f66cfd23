// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QString>

// One line that tells the contrast of text on a background, for the command
// line and for anything else that wants the whole verdict as text:
//
//   4.54:1  AA texto normal: sí  AAA texto normal: no  AA texto grande: sí
//   AAA texto grande: sí  Controles (1.4.11): sí  APCA Lc 71.6
//
// (on one line). First the WCAG ratio, cut to two decimals; then each WCAG
// level, "sí" or "no", judged on the exact ratio; last the APCA Lc, signed
// (negative for light text on a dark background) and cut towards 0 to one
// decimal, so neither figure shows more contrast than there is. Items are
// two spaces apart, decimals take a point, as in CSS.
namespace ContrastLine {

struct Report
{
    QString line;
    bool normalTextAa{}; // normal text reaches AA (4.5:1): the exit status
};

Report Describe(Colour::Rgb8 text, Colour::Rgb8 background);

} // namespace ContrastLine
