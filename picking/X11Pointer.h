// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <optional>

// The pointer on X11 in the root window's device pixels. QCursor works in
// scaled pixels and rounds them: at twice the scale it could neither reach
// every other pixel nor tell which one the pointer is on.
namespace X11Pointer {

// Moves the pointer by a number of device pixels; false where the display
// is not X11.
bool MoveBy(QPoint step);

// Where the pointer is, asked of the server after every earlier request of
// this program (a move included); none where the display is not X11.
std::optional<QPoint> Position();

} // namespace X11Pointer
