// SPDX-License-Identifier: MIT
#include "CaptionFrame.h"

#include <QPainter>

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect box = rect().adjusted(0, top, -2, -2);

    // Etched border: a shadow rectangle with a light one a pixel below and
    // to the right.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.translated(1, 1));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box);

    const QString caption = title();
    if (!caption.isEmpty()) {
        const int left = 6;
        const QRect textRect(left, 0, metrics.horizontalAdvance(caption) + 2, metrics.height());
        painter.fillRect(textRect, palette().color(backgroundRole()));
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(textRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
    }
}
