// SPDX-License-Identifier: MIT
#include "CssColourWriter.h"

#include "ColourForms.h"
#include "CssForms.h"
#include "NamedColours.h"
#include "RoundTripDecimals.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace Colour {

namespace {

using RoundTripDecimals::Decimal;

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

    // A name of ASCII letters.
    void Append(const char16_t* name)
    {
        while (*name != u'\0' && size < int(sizeof buffer)) {
            buffer[size++] = char(*name++);
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

// The function's name, "(", then each number with the text that follows it.
QString WriteFunction(Rgb8 colour, const CssForms::Row& row)
{
    const Triple exact = ColourForms::FromRgb8(row.form, colour);
    const RoundTripDecimals::Choice choice = RoundTripDecimals::Choose(
        row.form, colour, exact, CssForms::HueIndex(row), row.startDecimals);
    Text text;
    text.Append(row.name);
    text.Append("(");
    for (int i = 0; i < 3; ++i) {
        text.Append(choice[i]);
        text.Append(row.after[i]);
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
    for (const CssForms::Row& row : CssForms::Rows) {
        if (row.formatOption && name.compare(QStringView(row.name), Qt::CaseInsensitive) == 0) {
            return row.format;
        }
    }
    return std::nullopt;
}

QString WriteCssColour(Rgb8 colour, CssFormat format)
{
    if (std::size_t(format) >= CssForms::Rows.size()) {
        return {};
    }
    colour = {std::clamp(colour.red, 0, 255), std::clamp(colour.green, 0, 255),
              std::clamp(colour.blue, 0, 255)};
    const CssForms::Row& row = CssForms::Rows[std::size_t(format)];
    return row.write ? row.write(colour) : WriteFunction(colour, row);
}

QString WriteBothColours(const ColourForms::Converted& colour)
{
    if (!colour.clipped) {
        return {};
    }
    return QStringLiteral("CSS: %1, recortado como lo pintan hoy los navegadores: %2")
        .arg(WriteCssColour(colour.colour, CssFormat::Hex),
             WriteCssColour(*colour.clipped, CssFormat::Hex));
}

} // namespace Colour

namespace CssForms {

QString WriteHex(Colour::Rgb8 colour)
{
    return Colour::Pairs(colour.red, colour.green, colour.blue);
}

QString WriteCode(Colour::Rgb8 colour)
{
    return Colour::Pairs(colour.blue, colour.green, colour.red);
}

QString WriteName(Colour::Rgb8 colour)
{
    const QString exact = NamedColours::ExactName(colour);
    return exact.isEmpty() ? QStringLiteral("≈ ") + NamedColours::NearestName(colour) : exact;
}

} // namespace CssForms
