// SPDX-License-Identifier: MIT
// Where the program is built without X11: no shared-memory capture (screens
// are read through Qt and each window paints its own) and no pointer in
// device pixels (QCursor moves it).
#include "SharedMemoryCapture.h"
#include "X11Pointer.h"

std::optional<SharedMemoryCapture> SharedMemoryCapture::Open()
{
    return std::nullopt;
}

std::vector<SharedMemoryCapture::Picture> SharedMemoryCapture::Grab(const std::vector<QRect>&) const
{
    return {};
}

bool SharedMemoryCapture::ShowAsBackground(WId, std::uint32_t)
{
    return false;
}

bool X11Pointer::MoveBy(QPoint)
{
    return false;
}

std::optional<QPoint> X11Pointer::Position()
{
    return std::nullopt;
}
