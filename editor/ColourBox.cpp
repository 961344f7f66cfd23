// SPDX-License-Identifier: MIT
#include "ColourBox.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

QColor ToQColor(ColourAPI::ColourValue value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ColourBox::ColourBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    // Until it is given a colour the box shows the system's button face.
    setBackgroundRole(QPalette::Button);
}

void ColourBox::SetBackColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setBackgroundRole(QPalette::Window);
    update();
}

QColor ColourBox::BackColour() const
{
    return palette().color(backgroundRole());
}

void ColourBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}
