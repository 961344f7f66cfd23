// SPDX-License-Identifier: MIT
#pragma once

#include "PaletteColours.h"

#include <QList>
#include <QString>

// The text of each palette file format (PaletteExport says what each holds);
// paletteName is only used where the format has a place for it.
namespace PaletteWriters {

using Colours = QList<PaletteColours::NamedColour>;
using Writer = QString (*)(const Colours& colours, const QString& paletteName);

QString Gimp(const Colours& colours, const QString& paletteName);
QString Css(const Colours& colours, const QString& paletteName);
QString Scss(const Colours& colours, const QString& paletteName);
QString Tailwind(const Colours& colours, const QString& paletteName);
QString Json(const Colours& colours, const QString& paletteName);
QString Txt(const Colours& colours, const QString& paletteName);
QString Tokens(const Colours& colours, const QString& paletteName);

} // namespace PaletteWriters
