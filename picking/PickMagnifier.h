// SPDX-License-Identifier: MIT
#pragma once

#include "FrozenScreen.h"

#include <QWidget>

// Beside the pointer: the frozen pixels around the one under it, each drawn
// as a square, and that pixel's code. A window of its own over the frozen
// screens, small, so that following the pointer repaints only itself;
// clicks pass through it to the screen below.
class PickMagnifier : public QWidget
{
public:
    explicit PickMagnifier(FrozenScreens all);

    // Shows the pixels around the pixel of a screen under a point of it, below and right of the
    // point, or on the other side near the screen's edges.
    void Follow(const FrozenScreen& frozen, QPointF local);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FrozenScreens m_all;
    QImage m_cells;
    QColor m_centre;
};
