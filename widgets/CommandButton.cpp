// SPDX-License-Identifier: MIT
#include "CommandButton.h"

#include "WindowFonts.h"

#include <QShortcutEvent>

CommandButton::CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    // Enter presses the button that has the focus; no button is a default.
    setAutoDefault(true);
}

bool CommandButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && isEnabled()) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous()) {
            if (focusPolicy() & Qt::TabFocus) {
                setFocus(Qt::ShortcutFocusReason);
            }
            click();
            return true;
        }
    }
    return QPushButton::event(event);
}

CommandButton* CommandButton::Add(QWidget* parent, const char* name, const QString& text,
                                  const QRect& rect)
{
    auto* button = new CommandButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(TahomaFont());
    button->setGeometry(rect);
    return button;
}
