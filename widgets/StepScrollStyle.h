// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// Scroll-bar behaviour the colour sliders rely on whatever the desktop's
// style: a click in the trough moves by one page step instead of jumping to
// the click position, as some styles do, and the slider with the keyboard
// focus shows a dotted focus rectangle on its thumb, which most styles leave
// out for scroll bars.
class StepScrollStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // One shared instance, owned by the application object.
    static StepScrollStyle* Instance();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    StepScrollStyle();
};
