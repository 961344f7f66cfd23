// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The file formats a palette is exported to.
enum class PaletteFormat { Gpl, Css, Scss, Tailwind, Json, Txt };

// "gpl", "css", "scss", "tailwind", "json", "txt", in any case.
std::optional<PaletteFormat> PaletteFormatFromName(QStringView name);
QString PaletteFormatName(PaletteFormat format);

// The format to write to path: the named one when name is given (nothing when
// it names no format), else the one of the file's extension, in any case:
// .gpl, .css, .scss, .json, .txt. A Tailwind theme is a .css file too, so it
// is only ever written when asked for by name.
std::optional<PaletteFormat> PaletteFormatForFile(const QString& path, QStringView name = {});

// The extension of the format's files, without the dot: "css" for Tailwind.
QString PaletteFormatExtension(PaletteFormat format);

// The Spanish reason for a format name that names none, listing the formats.
QString UnknownPaletteFormatText(QStringView name);
