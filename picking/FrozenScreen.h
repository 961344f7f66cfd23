// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

// A screen's picture and where its pixels lie among all the screens' pixels.
// Qt 6 keeps each screen's top-left corner at its place in device pixels
// (only sizes are scaled), so the screens' pictures lie side by side there.
struct FrozenScreen
{
    QScreen* screen;
    QImage picture;
    std::uint32_t pixmap; // the same picture held by the X server, or 0
    QRect Pixels() const { return {screen->geometry().topLeft(), picture.size()}; }
    // The pixel under a point of the screen (its own coordinates). At a
    // scale above 1 the point has a fraction that picks the pixel.
    QPoint PixelAt(QPointF local) const
    {
        const double ratio = picture.devicePixelRatio();
        return {
            std::clamp(static_cast<int>(std::floor(local.x() * ratio)), 0, picture.width() - 1),
            std::clamp(static_cast<int>(std::floor(local.y() * ratio)), 0, picture.height() - 1)};
    }
};

using FrozenScreens = std::shared_ptr<const std::vector<FrozenScreen>>;
