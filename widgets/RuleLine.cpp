// SPDX-License-Identifier: MIT
#include "RuleLine.h"

#include "Twips.h"

RuleLine::RuleLine(QWidget* parent, int x1, int x2, int y, int thickness, QPalette::ColorRole role)
    : QWidget(parent)
{
    const int left = TwipsToPixels(x1);
    setGeometry(left, TwipsToPixels(y) - thickness / 2, TwipsToPixels(x2) - left, thickness);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setBackgroundRole(role);
    setAutoFillBackground(true);
}

RuleLine::RuleLine(QWidget* parent, int x1, int x2, int y, int thickness, const QColor& colour)
    : RuleLine(parent, x1, x2, y, thickness, QPalette::Window)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}
