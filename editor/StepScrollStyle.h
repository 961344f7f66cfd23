// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// Scroll-bar behaviour the colour sliders rely on whatever the desktop's
// style: a click in the trough moves by one page step instead of jumping to
// the click position, as some styles do.
class StepScrollStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // One shared instance, owned by the application object.
    static StepScrollStyle* Instance();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    StepScrollStyle();
};
