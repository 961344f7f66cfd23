// SPDX-License-Identifier: MIT
#include "TextBox.h"

#include <QMouseEvent>

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::setTextIfChanged(const QString& text)
{
    if (text != this->text()) {
        setText(text);
    }
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
}
