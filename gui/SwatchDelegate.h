// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

// Draws each memory list entry that is a colour code with a small swatch of
// its colour before the code; the entry's text stays the code, and a row is
// as high as before. The list is narrow (a code and a half wide once its
// scroll bar shows), so the swatch is a slim upright bar in the room the
// text's margin took, and the text follows it closely. The bar has a rim in
// the row's text colour (the highlighted text's on the selected row), so it
// shows on any background: white on white, black in a dark high-contrast
// scheme, any colour on the selection. Other entries leave the bar's room
// empty, so the codes line up.
class SwatchDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
