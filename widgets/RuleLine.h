// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// A horizontal rule from (x1, y) to (x2, y) in twips, `thickness` pixels
// thick, centred on y the way a pen of that width draws it (a 2-pixel line
// covers the pixel rows y - 1 and y). It ignores the mouse.
class RuleLine : public QWidget
{
    Q_OBJECT
public:
    // Painted in a colour of the system palette.
    RuleLine(QWidget* parent, int x1, int x2, int y, int thickness, QPalette::ColorRole role);
    // Painted in a fixed colour.
    RuleLine(QWidget* parent, int x1, int x2, int y, int thickness, const QColor& colour);
};
