// SPDX-License-Identifier: MIT
#include "WindowSystem.h"

#include <QtGlobal>

namespace WindowSystem {

bool CanConnect(bool commandLineNamesOne)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    // Only the environment is read: no connection is tried, so a start with
    // a display costs nothing more. A platform named on purpose (offscreen,
    // a Wayland socket of its default name) is left to Qt.
    return commandLineNamesOne || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(commandLineNamesOne)
    return true;
#endif
}

} // namespace WindowSystem
