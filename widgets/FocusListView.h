// SPDX-License-Identifier: MIT
#pragma once

#include <QListView>

// A list view that shows it has the keyboard focus even when it is empty:
// the styles draw the focus mark on the current entry only, so Tab landing
// on an empty list showed nothing.
class FocusListView : public QListView
{
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
