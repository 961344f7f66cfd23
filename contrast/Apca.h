// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QString>

// The lightness contrast of text on a background as the Accessible Perceptual
// Contrast Algorithm predicts it (APCA-W3, constants 0.0.98G-4g). Unlike the
// WCAG ratio it depends on which colour is the text: Lc is positive for dark
// text on a light background, negative for light text on a dark one, about
// 106 for black on white and -108 for white on black, and 0 below Lc 10.
namespace Apca {

double Lc(Colour::Rgb8 text, Colour::Rgb8 background);

// Lc as shown, to one decimal cut towards 0 ("63.0", "-30.3"): the figure
// never shows more contrast than there is, wherever it is shown.
QString Figure(double lc);

} // namespace Apca
