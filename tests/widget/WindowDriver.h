// SPDX-License-Identifier: MIT
#pragma once

#include "ChannelEditor.h"
#include "ColourBox.h"
#include "TextBox.h"

#include <QList>
#include <QPoint>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

// Helpers that act on the real controls as a user would, and check them.

// Centre of a scroll bar's part (arrow, trough side, thumb) in its own
// coordinates, as the current style lays it out.
inline QPoint ScrollBarPart(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    option.state |= QStyle::State_Horizontal; // the sliders are all horizontal
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

// Checks sliders, value boxes (by default the slider values), code box and
// sample all at once.
inline void VerifyEditor(const ChannelControls& c, const QList<int>& rgb, const QString& code,
                         const QStringList& boxes = {})
{
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(c.CScroll[i]->value(), rgb[i]);
        QCOMPARE(c.SValue[i]->text(), boxes.isEmpty() ? QString::number(rgb[i]) : boxes[i]);
    }
    QCOMPARE(c.Res->text(), code);
    QCOMPARE(c.Preview->BackColour(), QColor(rgb[0], rgb[1], rgb[2]));
}
