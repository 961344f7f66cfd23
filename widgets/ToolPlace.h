// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where a tool window of the given frame size goes, given the frame of the
// window it belongs to (owner), the frames of the program's other windows
// and the room of the screen that holds the owner (its available
// geometry): beside the owner where there is room (right, then left), else
// below or above it, else beside one of the other windows, else at the
// free place nearest the owner; never over a window of the program where
// that can be avoided (else over as little of them as can be), and wholly
// on the screen whenever the window fits on it (else from its top left).
QRect ToolPlace(QSize size, const QRect& owner, const QList<QRect>& others, const QRect& room);
