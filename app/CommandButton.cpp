// SPDX-License-Identifier: MIT
#include "CommandButton.h"

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
