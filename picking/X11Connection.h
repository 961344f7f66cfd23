// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>
#include <xcb/xcb.h>

// The X connection Qt's own windows use; none where Qt runs on another
// platform (Wayland, offscreen) or no application exists.
inline xcb_connection_t* QtXcbConnection()
{
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}
