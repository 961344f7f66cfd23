// SPDX-License-Identifier: MIT
#pragma once

#include "ColourForms.h"
#include "Rgb8.h"

#include <QString>
#include <array>

namespace Colour {

// The forms a colour is written in; each is the row of CssForms::Rows at its
// place.
enum class CssFormat { Hex, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Name, Code };

} // namespace Colour

// Every form a colour is written in, one row each, read by the writer, the
// reader (for the colour functions), the "Copiar como" menu, --format and
// --help. A new form is a CssFormat value and its row here; a colour function
// in a new space also needs that space's conversion in ColourForms.
namespace CssForms {

// What a number of a colour function takes: a hue (number or angle), or a
// number or percentage, where 100% stands for the reference value.
struct Channel
{
    bool hue = false;
    double reference = 0;
};

constexpr Channel Hue{true, 0};
constexpr Channel Percent{false, 100};

// Writes a form that is no colour function (defined in CssColourWriter.cpp).
using Writer = QString (*)(Colour::Rgb8 colour);

// #RRGGBB, upper case.
QString WriteHex(Colour::Rgb8 colour);
// The program's own code: # and the blue, green, red pairs.
QString WriteCode(Colour::Rgb8 colour);
// The CSS name of exactly this colour, else "≈ " and the nearest.
QString WriteName(Colour::Rgb8 colour);

struct Row
{
    Colour::CssFormat format;
    const char16_t* name;                            // --format's, and the function's name
    Writer write = nullptr;                          // for a form that is no colour function
    const char16_t* alias = nullptr;                 // another name the reader takes (rgba, hsla)
    ColourForms::Form form = ColourForms::Form::Rgb; // the function's numbers
    bool commas = false;                             // the reader also takes them apart by commas
    std::array<Channel, 3> channels = {};
    // The writer's text after each number, and the decimals its search for
    // the fewest starts from: enough for nearly every colour (one step of 8
    // bits is about 0.4 in percent, lab() and lch(), 0.002 in oklab() and
    // oklch(), a quarter of a degree in hue).
    std::array<const char*, 3> after = {};
    std::array<int, 3> startDecimals = {};
    const char* copyLabel = nullptr; // in the "Copiar como" menu
    bool formatOption = true;        // --format takes it
    // What --help says of it after its name; a long note holds its own line
    // break.
    const char16_t* formatNote = nullptr;
};

using ColourForms::Form;

inline constexpr std::array<Row, 10> Rows{{
    {.format = Colour::CssFormat::Hex, .name = u"hex", .write = WriteHex},
    {.format = Colour::CssFormat::Rgb,
     .name = u"rgb",
     .alias = u"rgba",
     .form = Form::Rgb,
     .commas = true,
     .channels = {{{false, 255}, {false, 255}, {false, 255}}},
     .after = {", ", ", ", ")"},
     .startDecimals = {0, 0, 0},
     .copyLabel = "rgb()"},
    {.format = Colour::CssFormat::Hsl,
     .name = u"hsl",
     .alias = u"hsla",
     .form = Form::Hsl,
     .commas = true,
     .channels = {Hue, Percent, Percent},
     .after = {", ", "%, ", "%)"},
     .startDecimals = {2, 2, 2},
     .copyLabel = "hsl()"},
    {.format = Colour::CssFormat::Hwb,
     .name = u"hwb",
     .form = Form::Hwb,
     .channels = {Hue, Percent, Percent},
     .after = {" ", "% ", "%)"},
     .startDecimals = {2, 2, 2},
     .copyLabel = "hwb()"},
    {.format = Colour::CssFormat::Lab,
     .name = u"lab",
     .form = Form::Lab,
     .channels = {{Percent, {false, 125}, {false, 125}}},
     .after = {" ", " ", ")"},
     .startDecimals = {3, 3, 3},
     .copyLabel = "lab()"},
    {.format = Colour::CssFormat::Lch,
     .name = u"lch",
     .form = Form::Lch,
     .channels = {{Percent, {false, 150}, Hue}},
     .after = {" ", " ", ")"},
     .startDecimals = {3, 3, 2},
     .copyLabel = "lch()"},
    {.format = Colour::CssFormat::Oklab,
     .name = u"oklab",
     .form = Form::Oklab,
     .channels = {{{false, 1}, {false, 0.4}, {false, 0.4}}},
     .after = {" ", " ", ")"},
     .startDecimals = {5, 5, 5},
     .copyLabel = "oklab()"},
    {.format = Colour::CssFormat::Oklch,
     .name = u"oklch",
     .form = Form::Oklch,
     .channels = {{{false, 1}, {false, 0.4}, Hue}},
     .after = {" ", " ", ")"},
     .startDecimals = {5, 5, 2},
     .copyLabel = "oklch()"},
    {.format = Colour::CssFormat::Name,
     .name = u"name",
     .write = WriteName,
     .formatNote = u"(el nombre CSS, o el más\ncercano tras «≈ »)"},
    {.format = Colour::CssFormat::Code,
     .name = u"code",
     .write = WriteCode,
     .formatNote = u"(el código de Tintaro,\nazul, verde y rojo)"},
}};

constexpr bool InFormatOrder()
{
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        if (Rows[i].format != Colour::CssFormat(i)) {
            return false;
        }
    }
    return true;
}
static_assert(InFormatOrder(), "each CssFormat is the row at its place");

// Which number of a colour function is a hue, or -1.
inline int HueIndex(const Row& row)
{
    for (int i = 0; i < 3; ++i) {
        if (row.channels[std::size_t(i)].hue) {
            return i;
        }
    }
    return -1;
}

} // namespace CssForms
