// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

// Reads the X screen's pixels through shared memory (the MIT-SHM extension):
// the server writes them straight into memory this program maps, where a
// plain GetImage sends every pixel through the socket, which takes about a
// tenth of a second for a 3840 x 2160 screen. Usable only where the server
// offers the extension and the pixels are 32-bit xRGB, one X screen.
class SharedMemoryCapture
{
public:
    // The capture of the X display Qt uses; none where that display is not
    // X11, lacks the extension, has several X screens or another pixel layout.
    static std::optional<SharedMemoryCapture> Open();

    // The pixels of a rectangle of the root window (device pixels) as an
    // RGB32 image over the shared memory itself, held by every copy of the
    // image and kept for the next grab until 30 s after the last one. A null
    // image when the server cannot fill the memory (a display on another
    // machine cannot reach it) or the last grab's image is still shown.
    QImage Grab(const QRect& pixels) const;

private:
    SharedMemoryCapture(xcb_connection_t* connection, std::uint32_t root, std::uint8_t depth)
        : m_connection(connection), m_root(root), m_depth(depth)
    {
    }

    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    std::uint8_t m_depth;
};
