// SPDX-License-Identifier: MIT
#include "FrozenScreenWindow.h"

#include "SharedMemoryCapture.h"

#include <QCursor>
#include <QEnterEvent>
#include <QExposeEvent>
#include <QMouseEvent>
#include <QPainter>

FrozenScreenWindow::FrozenScreenWindow(const FrozenScreen& frozen) : m_picture(frozen.picture)
{
    // A tool tip's type keeps the window from holding the program open once
    // the main window is closed; the window manager is bypassed as well.
    setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
             Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint);
    setObjectName(QStringLiteral("PickWindow"));
    setTitle(QStringLiteral("Tintaro: tomar color"));
    setCursor(Qt::CrossCursor);
    setScreen(frozen.screen);
    setGeometry(frozen.screen->geometry());
    create();
    if (frozen.pixmap == 0 || !SharedMemoryCapture::ShowAsBackground(winId(), frozen.pixmap)) {
        m_store = std::make_unique<QBackingStore>(this);
    }
}

bool FrozenScreenWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        emit PointerAt(static_cast<QEnterEvent*>(event)->position());
    }
    return QWindow::event(event);
}

void FrozenScreenWindow::exposeEvent(QExposeEvent*)
{
    if (!m_store || !isExposed()) {
        return;
    }
    const QRect all(QPoint(0, 0), size());
    m_store->resize(size());
    m_store->beginPaint(all);
    QPainter painter(m_store->paintDevice());
    painter.drawImage(QPointF(0, 0), m_picture);
    painter.end();
    m_store->endPaint();
    m_store->flush(all);
}

void FrozenScreenWindow::mouseMoveEvent(QMouseEvent* event)
{
    emit PointerAt(event->position());
}

void FrozenScreenWindow::mouseReleaseEvent(QMouseEvent* event)
{
    emit Released(event->button(), event->position());
}
