// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

// The fonts of Tintaro's windows: Tahoma 8.25 pt (regular or bold) and Arial
// 9 pt bold, with close free substitutes where those are not installed.
QFont TahomaFont(bool bold = false);
QFont ArialFont(qreal pointSize, bool bold);
