// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QWindow>
#include <cstdint>
#include <optional>
#include <vector>

struct xcb_connection_t;

// Reads the X screen's pixels through shared memory (the MIT-SHM extension):
// the server writes them straight into memory this program maps, where a
// plain GetImage sends every pixel through the socket, which takes about a
// tenth of a second for a 3840 x 2160 screen. Where the server also makes
// pixmaps over such memory, the same memory is a pixmap on the server too,
// which can be a window's background: the server then shows the picture
// with no pixel copied or sent by this program. Usable only where the server
// offers the extension and the pixels are 32-bit xRGB, one X screen.
class SharedMemoryCapture
{
public:
    struct Picture
    {
        QImage image;
        std::uint32_t pixmap;
    };

    // The capture of the X display Qt uses; none where that display is not
    // X11, lacks the extension, has several X screens or another pixel layout.
    static std::optional<SharedMemoryCapture> Open();

    // The pixels of rectangles of the root window (device pixels), all taken
    // at one moment: each as an RGB32 image over the shared memory itself
    // and, where the server can, a pixmap over the same memory (else 0).
    // Every copy of an image holds the memory and the pixmap; the memory is
    // kept for the next grab until 30 s after the last one. Empty when the
    // server cannot fill the memory (a display on another machine cannot
    // reach it) or the last grab's images are still shown.
    std::vector<Picture> Grab(const std::vector<QRect>& areas) const;

    // Has the server paint a window of this display with a grabbed pixmap
    // (the picture's size and place match the window's in device pixels);
    // false where it cannot, for a window of another pixel depth.
    static bool ShowAsBackground(WId window, std::uint32_t pixmap);

private:
    SharedMemoryCapture(xcb_connection_t* connection, std::uint32_t root, std::uint8_t depth,
                        bool sharedPixmaps)
        : m_connection(connection), m_root(root), m_depth(depth), m_sharedPixmaps(sharedPixmaps)
    {
    }

    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    std::uint8_t m_depth;
    bool m_sharedPixmaps;
};
