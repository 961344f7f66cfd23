#pragma once

#include <QPoint>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

// Helpers that act on the real controls as a user would.

// Centre of a scroll bar's part (arrow, trough side, thumb) in its own
// coordinates, as the current style lays it out.
inline QPoint ScrollBarPart(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

inline void ClickPart(QScrollBar* bar, QStyle::SubControl part)
{
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, ScrollBarPart(bar, part));
}

// Selects a box's whole text by clicking it, then types over it.
inline void TypeInto(QWidget* box, const QString& text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClicks(box, text);
}
