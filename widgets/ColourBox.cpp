// SPDX-License-Identifier: MIT
#include "ColourBox.h"

#include "CssColourWriter.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

QColor ToQColor(ColourAPI::ColourValue value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QColor ToQColor(Colour::Rgb8 colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QMimeData* ColourMimeData(const QColor& colour)
{
    auto* data = new QMimeData;
    data->setColorData(colour);
    data->setText(Colour::WriteCssColour({colour.red(), colour.green(), colour.blue()},
                                         Colour::CssFormat::Hex));
    return data;
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
    m_hasColour = true;
    // What a screen reader says of the sample.
    setAccessibleDescription(
        QStringLiteral("Color %1")
            .arg(Colour::WriteCssColour({colour.red(), colour.green(), colour.blue()},
                                        Colour::CssFormat::Hex)));
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

void ColourBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_hasColour) {
        QFrame::mousePressEvent(event);
        return;
    }
    // Taken, so that the moves of this press come here; a click alone does
    // nothing, as before.
    m_pressPos = event->position().toPoint();
    event->accept();
}

void ColourBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_pressPos == QPoint(-1, -1) ||
        (event->position().toPoint() - m_pressPos).manhattanLength() <
            QApplication::startDragDistance()) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    m_pressPos = QPoint(-1, -1);
    const QColor colour = BackColour();
    QPixmap swatch(24, 24);
    swatch.fill(colour);
    auto* drag = new QDrag(this);
    drag->setMimeData(ColourMimeData(colour));
    drag->setPixmap(swatch);
    drag->exec(Qt::CopyAction);
}
