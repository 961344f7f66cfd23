// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>

// Window layouts are designed in twips: 1440 per inch, 15 per pixel at 96
// dots per inch. Qt scales the pixels for high-density screens.
constexpr int TwipsToPixels(int twips)
{
    // Round half away from zero: 1600 twips is 106 2/3 pixels -> 107.
    return twips >= 0 ? (twips * 2 + 15) / 30 : -((-twips * 2 + 15) / 30);
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}
