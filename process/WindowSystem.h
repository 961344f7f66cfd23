// SPDX-License-Identifier: MIT
#pragma once

// Whether Qt can be expected to find a window system. Qt ends the process
// with a core dump when it finds none, so the program asks this before it
// makes its application object, and says in its own words what is missing.
namespace WindowSystem {

// True where Qt chooses for itself (not X11 or Wayland), when the
// environment names a platform or a display, or when the command line names
// one (commandLineNamesOne: -platform or -display was given).
bool CanConnect(bool commandLineNamesOne);

} // namespace WindowSystem
