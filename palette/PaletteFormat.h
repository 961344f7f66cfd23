// SPDX-License-Identifier: MIT
#pragma once

#include "PaletteNames.h"
#include "PaletteWriters.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <utility>

// The file formats a palette is exported to; each is the row of
// PaletteFormats at its place.
enum class PaletteFormat { Gpl, Css, Scss, Tailwind, Json, Txt, Tokens };

struct PaletteFormatRow
{
    PaletteFormat format;
    const char16_t* name;      // --export's
    const char16_t* extension; // of its files, without the dot
    const char16_t* label;     // the save dialog's file type, before "(*.extension)"
    PaletteWriters::Writer write;
    PaletteNames::Rule nameRule; // what a given name becomes in the format
};

// Every format, one row each, in the order --help and the error text name
// them. A new format is a row here and its writer in PaletteWriters; the
// writer gets each colour's name already valid and unique for the format
// (PaletteColours::FromEntries with the row's name rule).
inline constexpr std::array<PaletteFormatRow, 7> PaletteFormats{{
    {PaletteFormat::Gpl, u"gpl", u"gpl", u"Paleta de GIMP, Inkscape, Krita", PaletteWriters::Gimp,
     PaletteNames::AsGiven},
    {PaletteFormat::Css, u"css", u"css", u"Propiedades CSS", PaletteWriters::Css,
     PaletteNames::CssIdent},
    {PaletteFormat::Scss, u"scss", u"scss", u"Variables SCSS", PaletteWriters::Scss,
     PaletteNames::ScssVariable},
    {PaletteFormat::Tailwind, u"tailwind", u"css", u"Tema de Tailwind CSS",
     PaletteWriters::Tailwind, PaletteNames::CssIdent},
    {PaletteFormat::Json, u"json", u"json", u"JSON", PaletteWriters::Json, PaletteNames::AsGiven},
    {PaletteFormat::Txt, u"txt", u"txt", u"Texto, un color por línea", PaletteWriters::Txt,
     PaletteNames::AsGiven},
    {PaletteFormat::Tokens, u"tokens", u"tokens.json", u"Tokens de diseño", PaletteWriters::Tokens,
     PaletteNames::CssIdent},
}};

constexpr bool InPaletteFormatOrder()
{
    for (std::size_t i = 0; i < PaletteFormats.size(); ++i) {
        if (PaletteFormats[i].format != PaletteFormat(i))
            return false;
    }
    return true;
}
static_assert(InPaletteFormatOrder(), "each PaletteFormat is the row at its place");

// A format's name (PaletteFormats: "gpl", "css"...), in any case.
std::optional<PaletteFormat> PaletteFormatFromName(QStringView name);

// The format to write to path: the named one when name is given (nothing when
// it names no format), else the one named as the file's extension, in any
// case: .gpl, .css, .scss, .json, .txt, .tokens.json. A Tailwind theme is a .css file too,
// so it is only ever written when asked for by name.
std::optional<PaletteFormat> PaletteFormatForFile(const QString& path, QStringView name = {});

// The extension of the format's files, without the dot: "css" for Tailwind.
QString PaletteFormatExtension(PaletteFormat format);

// The names of all formats, apart by commas and the last by conjunction:
// "gpl, css, scss, tailwind, json y txt".
QString PaletteFormatList(QStringView conjunction);

// The Spanish reason for a format name that names none, listing the formats.
QString UnknownPaletteFormatText(QStringView name);

// The save dialog's file types, "Propiedades CSS (*.css)", each with its
// format; the formats of one extension side by side.
QList<std::pair<QString, PaletteFormat>> PaletteSaveTypes();

// Every extension of the formats once, in their order: gpl, css, scss...
QStringList PaletteExtensions();
