// SPDX-License-Identifier: MIT
// Where the program is built without X11: no shared-memory capture (screens
// are read through Qt) and no pointer in device pixels (QCursor moves it).
#include "SharedMemoryCapture.h"
#include "X11Pointer.h"

std::optional<SharedMemoryCapture> SharedMemoryCapture::Open()
{
    return std::nullopt;
}

QImage SharedMemoryCapture::Grab(const QRect&) const
{
    return {};
}

bool X11Pointer::MoveBy(QPoint)
{
    return false;
}

std::optional<QPoint> X11Pointer::Position()
{
    return std::nullopt;
}
