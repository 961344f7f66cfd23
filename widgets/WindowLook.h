// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

class QLabel;
class QWidget;

// White, whatever the palette: the light half of an etched rule, and the
// sample's colour at start.
constexpr QColor White(255, 255, 255);

// A small window of the program's own, with a title bar and a close box, no
// buttons to minimise or maximise it.
constexpr Qt::WindowFlags SmallWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                             Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                             Qt::WindowCloseButtonHint;

// The look every window shares: its name and title, the window font and
// background.
void SetUpWindow(QWidget* window, const char* name, const QString& title);

// SetUpWindow, a fixed client size given in twips, and the program icon.
void SetUpFixedWindow(QWidget* window, const char* name, const QString& title, int widthTwips,
                      int heightTwips);

// A label at topLeft that takes the size of its text, with a transparent
// background.
QLabel* AddSizedLabel(QWidget* parent, const char* name, const QString& text, const QPoint& topLeft,
                      const QFont& font);

// Shows a small window of the program's beside owner (see ToolPlace: clear
// of the program's other windows, on the owner's screen), or where the user
// last put it during the run, or raises it when it shows already, and gives
// it the keyboard.
void PlaceBeside(QWidget* window, const QWidget* owner);
