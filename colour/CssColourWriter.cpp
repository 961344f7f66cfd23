// SPDX-License-Identifier: MIT
#include "CssColourWriter.h"

#include "ColourForms.h"
#include "NamedColours.h"
#include "RoundTripDecimals.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace Colour {

namespace {

using ColourForms::Form;
using RoundTripDecimals::Decimal;

constexpr std::array<const char16_t*, 10> FormatNames{u"hex", u"rgb",   u"hsl",   u"hwb",  u"lab",
                                                      u"lch", u"oklab", u"oklch", u"name", u"code"};

// How a colour function is written: its name, then each number with the
// text that follows it; and the decimals to start the search from, enough
// for nearly every colour (one step of 8 bits is about 0.4 in percent, lab()
// and lch(), 0.002 in oklab() and oklch(), a quarter of a degree in hue).
struct Layout
{
    const char* name;
    Form form;
    int hueIndex;
    std::array<const char*, 3> after;
    std::array<int, 3> startDecimals;
};

constexpr Layout HslLayout{"hsl(", Form::Hsl, 0, {", ", "%, ", "%)"}, {2, 2, 2}};
constexpr Layout HwbLayout{"hwb(", Form::Hwb, 0, {" ", "% ", "%)"}, {2, 2, 2}};
constexpr Layout LabLayout{"lab(", Form::Lab, -1, {" ", " ", ")"}, {3, 3, 3}};
constexpr Layout LchLayout{"lch(", Form::Lch, 2, {" ", " ", ")"}, {3, 3, 2}};
constexpr Layout OklabLayout{"oklab(", Form::Oklab, -1, {" ", " ", ")"}, {5, 5, 5}};
constexpr Layout OklchLayout{"oklch(", Form::Oklch, 2, {" ", " ", ")"}, {5, 5, 2}};

// A small text buffer: the functions are at most about 60 characters.
class Text
{
public:
    void Append(const char* text)
    {
        while (*text != '\0' && size < int(sizeof buffer)) {
            buffer[size++] = *text++;
        }
    }

    void Append(long long value)
    {
        size = int(std::to_chars(buffer + size, buffer + sizeof buffer, value).ptr - buffer);
    }

    // The decimal exactly as RoundTripDecimals::Value reads it, without
    // trailing zeros.
    void Append(Decimal decimal)
    {
        long long magnitude = decimal.mantissa < 0 ? -decimal.mantissa : decimal.mantissa;
        if (decimal.mantissa < 0) {
            Append("-");
        }
        long long scale = 1;
        for (int i = 0; i < decimal.decimals; ++i) {
            scale *= 10;
        }
        Append(magnitude / scale);
        long long fraction = magnitude % scale;
        int digits = decimal.decimals;
        while (fraction != 0 && fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        if (fraction != 0) {
            Append(".");
            for (int i = digits - 1; i >= 0; --i) {
                buffer[size + i] = char('0' + fraction % 10);
                fraction /= 10;
            }
            size += digits;
        }
    }

    QString ToString() const { return QString::fromLatin1(buffer, size); }

private:
    char buffer[128] = {};
    int size = 0;
};

QString WriteFunction(Rgb8 colour, const Layout& layout)
{
    const Triple exact = ColourForms::FromRgb8(layout.form, colour);
    const RoundTripDecimals::Choice choice = RoundTripDecimals::Choose(
        layout.form, colour, exact, layout.hueIndex, layout.startDecimals);
    Text text;
    text.Append(layout.name);
    for (int i = 0; i < 3; ++i) {
        text.Append(choice[i]);
        text.Append(layout.after[i]);
    }
    return text.ToString();
}

QString Pairs(int first, int second, int third)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", first, second, third);
    return QString::fromLatin1(buffer, 7);
}

} // namespace

std::optional<CssFormat> CssFormatFromName(QStringView name)
{
    for (std::size_t i = 0; i < FormatNames.size(); ++i) {
        if (name.compare(QStringView(FormatNames[i]), Qt::CaseInsensitive) == 0) {
            return CssFormat(i);
        }
    }
    return std::nullopt;
}

QString CssFormatName(CssFormat format)
{
    return QString::fromUtf16(FormatNames[std::size_t(format)]);
}

QString WriteCssColour(Rgb8 colour, CssFormat format)
{
    colour = {std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255),
              std::clamp(colour.blue, 0, 255)};
    switch (format) {
    case CssFormat::Hex:
        return Pairs(colour.red, colour.green, colour.blue);
    case CssFormat::Code:
        return Pairs(colour.blue, colour.green, colour.red);
    case CssFormat::Rgb: {
        Text text;
        text.Append("rgb(");
        text.Append(colour.red);
        text.Append(", ");
        text.Append(colour.green);
        text.Append(", ");
        text.Append(colour.blue);
        text.Append(")");
        return text.ToString();
    }
    case CssFormat::Hsl:
        return WriteFunction(colour, HslLayout);
    case CssFormat::Hwb:
        return WriteFunction(colour, HwbLayout);
    case CssFormat::Lab:
        return WriteFunction(colour, LabLayout);
    case CssFormat::Lch:
        return WriteFunction(colour, LchLayout);
    case CssFormat::Oklab:
        return WriteFunction(colour, OklabLayout);
    case CssFormat::Oklch:
        return WriteFunction(colour, OklchLayout);
    case CssFormat::Name: {
        const QString exact = NamedColours::ExactName(colour);
        return exact.isEmpty() ? QStringLiteral("≈ ") + NamedColours::NearestName(colour) : exact;
    }
    }
    return {};
}

} // namespace Colour
