// SPDX-License-Identifier: MIT
#include "StepScrollStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

StepScrollStyle::StepScrollStyle() : QProxyStyle()
{
    setParent(QCoreApplication::instance());
}

StepScrollStyle* StepScrollStyle::Instance()
{
    static QPointer<StepScrollStyle> instance;
    if (!instance) {
        instance = new StepScrollStyle;
    }
    return instance;
}

int StepScrollStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* returnData) const
{
    if (hint == SH_ScrollBar_LeftClickAbsolutePosition) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void StepScrollStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar || !option->state.testFlag(State_HasFocus)) {
        return;
    }
    // Inside the thumb's bevel, in the thumb's text colour so that it shows
    // on the button face in any colour scheme.
    const QRect mark =
        subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(2, 2, -3, -3);
    if (mark.isValid()) {
        painter->save();
        QPen dotted(option->palette.color(QPalette::ButtonText));
        dotted.setDashPattern({1, 1});
        dotted.setCapStyle(Qt::FlatCap);
        painter->setPen(dotted);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(mark);
        painter->restore();
    }
}
