// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QString>

// The program's message boxes: modal over parent, with an OK button, and at
// least as wide as a window manager's title bar needs to show the title
// whole (Qt sizes a box by its text alone, and a short text left the title
// "Infomación" cut to "Inf… ión").
namespace Messages {

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text);

} // namespace Messages
