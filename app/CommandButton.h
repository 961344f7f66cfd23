// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

// A push button whose access key (Alt + the underlined letter) presses it at
// once, like a click. QPushButton animates the press first and clicks about
// a tenth of a second later, so a click or key that follows quickly would run
// before the button's command.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    CommandButton(const QString& text, QWidget* parent);

protected:
    bool event(QEvent* event) override;
};
