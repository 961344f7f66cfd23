// SPDX-License-Identifier: MIT
#include "FocusListView.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

void FocusListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (!hasFocus() || (model() != nullptr && model()->rowCount(rootIndex()) > 0)) {
        return;
    }
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void FocusListView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    viewport()->update();
}

void FocusListView::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    viewport()->update();
}
