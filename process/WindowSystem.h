// SPDX-License-Identifier: MIT
#pragma once

class QString;

// Whether the display Qt is going to use can be reached. Qt ends the process
// with a core dump when it can reach none, so the program asks this before it
// makes its application object, and says in its own words what is missing.
namespace WindowSystem {

// Follows Qt's own choice of platform for this command line (argc, argv:
// -platform, -display) and environment (QT_QPA_PLATFORM, DISPLAY,
// WAYLAND_DISPLAY, XDG_SESSION_TYPE) and connects to each display Qt would
// try, X11 or Wayland, until one answers. True when one does, when Qt is
// given a platform that needs no display, and where Qt chooses for itself
// (not X11 or Wayland); else false, and tried says in Spanish what could not
// be reached: «no hay conexión con la pantalla «:89» (DISPLAY)».
bool CanConnect(int argc, char** argv, QString& tried);

} // namespace WindowSystem
