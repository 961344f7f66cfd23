// SPDX-License-Identifier: MIT
#include "SwatchDelegate.h"

#include "PaletteColours.h"

#include <QApplication>
#include <QPainter>

namespace {

// In pixels of the row: the bar's left edge and width (rim included), and
// where the text starts.
constexpr int SwatchLeft = 1;
constexpr int SwatchWidth = 6;
constexpr int TextLeft = SwatchLeft + SwatchWidth + 2;

} // namespace

void SwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    // The style draws the row without its text: background, selection and
    // focus, as on every other list.
    item.text.clear();
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (item.state & QStyle::State_Active) ? QPalette::Active
                                                                             : QPalette::Inactive;
    const QColor ink = item.palette.color(
        group, item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect row = item.rect;
    painter->save();
    const QString entry = index.data(Qt::EditRole).toString();
    if (PaletteColours::IsCode(entry)) {
        const Colour::Rgb8 colour = PaletteColours::CodeColour(entry);
        const int height = item.fontMetrics.ascent();
        const QRectF bar(row.left() + SwatchLeft, row.top() + (row.height() - height) / 2,
                         SwatchWidth, height);
        painter->setPen(QPen(ink, 1));
        painter->setBrush(QColor(colour.red, colour.green, colour.blue));
        painter->drawRect(bar.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter->setPen(ink);
    painter->setFont(item.font);
    painter->drawText(row.adjusted(TextLeft, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}
