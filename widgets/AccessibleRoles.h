// SPDX-License-Identifier: MIT
#pragma once

// What assistive technology (a screen reader, through AT-SPI) is told of the
// program's windows: a top-level window is a window, not a filler; a colour
// sample is a picture of its colour, not a frame; a captioned frame is a
// group named by its caption. Within a window or a frame the controls come
// in reading order, top to bottom and left to right, whatever order the
// layout made them in, and the rule lines, mere decoration, are left out.
namespace AccessibleRoles {

// Installs the roles for the whole program; once is enough.
void Install();

} // namespace AccessibleRoles
