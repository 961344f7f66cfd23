// SPDX-License-Identifier: MIT
#pragma once

#include "FrozenScreen.h"

#include <QBackingStore>
#include <QWindow>
#include <memory>

// One screen covered by its frozen picture, with a cross pointer; reports
// where the pointer goes and the clicks. Where the X server holds the
// picture, the server paints it as the window's background, so showing a
// screenful costs this program nothing; elsewhere the window paints it.
class FrozenScreenWindow : public QWindow
{
    Q_OBJECT
public:
    explicit FrozenScreenWindow(const FrozenScreen& frozen);

signals:
    void PointerAt(QPointF local);
    void Released(Qt::MouseButton button, QPointF local);

protected:
    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    std::unique_ptr<QBackingStore> m_store; // only where the window paints
};
