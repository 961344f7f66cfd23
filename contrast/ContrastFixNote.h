// SPDX-License-Identifier: MIT
#pragma once

#include "ContrastFix.h"

#include <QString>

// What "Corregir" did or proposes, in a sentence for the window, numbers with
// the decimal comma: "Corregido a #A76900 (4,50:1): luminosidad 0,769 → 0,575;
// croma reducido de 0,165 a 0,125 para caber en sRGB; el tono se mantiene."
namespace ContrastFixNote {

// level: the ratio that was asked for.
QString Text(const ContrastFix::Result& result, double level);

} // namespace ContrastFixNote
