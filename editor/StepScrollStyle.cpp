// SPDX-License-Identifier: MIT
#include "StepScrollStyle.h"

#include <QApplication>
#include <QPointer>

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
