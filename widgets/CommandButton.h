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

    // A button named name in the window font, placed at rect in parent.
    static CommandButton* Add(QWidget* parent, const char* name, const QString& text,
                              const QRect& rect);

protected:
    bool event(QEvent* event) override;
};
