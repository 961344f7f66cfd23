// SPDX-License-Identifier: MIT
#include "CssValueReader.h"

#include "CssColourMix.h"
#include "CssFunctionReader.h"
#include "CssReadFailure.h"
#include "NamedColours.h"

#include <algorithm>
#include <array>

namespace CssValueReader {

namespace {

using CssReadFailure::Fail;
using CssTokens::Is;
using CssTokens::Token;
using CssTokens::Type;

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if ((u | 0x20) >= u'a' && (u | 0x20) <= u'f') {
        return (u | 0x20) - u'a' + 10;
    }
    return -1;
}

QString DependsOnPage()
{
    return QStringLiteral("depende de la página");
}

// The system colours of CSS Color 4, those in use and those deprecated: each
// is whatever the page's system shows.
constexpr std::array<const char16_t*, 42> SystemColours{u"accentcolor",
                                                        u"accentcolortext",
                                                        u"activetext",
                                                        u"buttonborder",
                                                        u"buttonface",
                                                        u"buttontext",
                                                        u"canvas",
                                                        u"canvastext",
                                                        u"field",
                                                        u"fieldtext",
                                                        u"graytext",
                                                        u"highlight",
                                                        u"highlighttext",
                                                        u"linktext",
                                                        u"mark",
                                                        u"marktext",
                                                        u"selecteditem",
                                                        u"selecteditemtext",
                                                        u"visitedtext",
                                                        u"activeborder",
                                                        u"activecaption",
                                                        u"appworkspace",
                                                        u"background",
                                                        u"buttonhighlight",
                                                        u"buttonshadow",
                                                        u"captiontext",
                                                        u"inactiveborder",
                                                        u"inactivecaption",
                                                        u"inactivecaptiontext",
                                                        u"infobackground",
                                                        u"infotext",
                                                        u"menu",
                                                        u"menutext",
                                                        u"scrollbar",
                                                        u"threeddarkshadow",
                                                        u"threedface",
                                                        u"threedhighlight",
                                                        u"threedlightshadow",
                                                        u"threedshadow",
                                                        u"window",
                                                        u"windowframe",
                                                        u"windowtext"};

CssValue FromRgb8(Colour::Rgb8 colour)
{
    return {ColourForms::Form::Rgb,
            {double(colour.red), double(colour.green), double(colour.blue)}};
}

Outcome<CssValue> ReadHex(QStringView input, const Token& token)
{
    const QStringView digits = token.name;
    for (QChar c : digits) {
        if (HexDigit(c) < 0) {
            return Fail(input, u"cifra hexadecimal no válida %1", QStringView(&c, 1));
        }
    }
    const qsizetype n = digits.size();
    if (n != 3 && n != 4 && n != 6 && n != 8) {
        return Fail(input, QStringLiteral("un color hexadecimal lleva 3, 4, 6 u 8 cifras"));
    }
    const bool shortForm = n < 6;
    const auto channel = [&](int i) {
        return shortForm ? HexDigit(digits[i]) * 17
                         : HexDigit(digits[2 * i]) * 16 + HexDigit(digits[2 * i + 1]);
    };
    CssValue value = FromRgb8({channel(0), channel(1), channel(2)});
    if (n == 4 || n == 8) {
        value.alpha = channel(3) / 255.0;
    }
    return value;
}

Outcome<CssValue> ReadName(QStringView input, const Token& token)
{
    if (const auto colour = NamedColours::Find(token.name)) {
        return FromRgb8(*colour);
    }
    if (Is(token.name, u"transparent")) {
        return Fail(input, QStringLiteral("es transparente, no un color"));
    }
    const bool system = std::any_of(SystemColours.begin(), SystemColours.end(),
                                    [&](const char16_t* name) { return Is(token.name, name); });
    if (system || Is(token.name, u"currentcolor")) {
        return Fail(token.text, DependsOnPage());
    }
    return Fail(input, QStringLiteral("no es un color CSS"));
}

} // namespace

Outcome<CssValue> Read(Cursor& cursor)
{
    if (cursor.AtEnd()) {
        return Fail(cursor.input, QStringLiteral("falta un color"));
    }
    const Token& token = *cursor.at++;
    switch (token.type) {
    case Type::Hash:
        return ReadHex(cursor.input, token);
    case Type::Ident:
        if (!cursor.AtEnd() && cursor.at->type == Type::Open &&
            CssFunctionReader::IsColourFunction(token.name)) {
            return Fail(cursor.input, QStringLiteral("sobra el espacio antes de «(»"));
        }
        return ReadName(cursor.input, token);
    case Type::Function:
        if (auto page = PageFunction(cursor, token)) {
            return *page;
        }
        if (cursor.depth == MaxDepth) {
            return Fail(cursor.input, QStringLiteral("demasiadas funciones anidadas"));
        }
        if (Is(token.name, u"color-mix")) {
            return CssColourMix::Read(cursor);
        }
        return CssFunctionReader::Read(cursor, token);
    default:
        return Fail(cursor.input, QStringLiteral("no es un color CSS"));
    }
}

std::optional<Failure> PageFunction(Cursor& cursor, const Token& function)
{
    if (!Is(function.name, u"var") && !Is(function.name, u"env") && !Is(function.name, u"attr")) {
        return std::nullopt;
    }
    int open = 1;
    const QChar* end = cursor.input.data() + cursor.input.size();
    while (!cursor.AtEnd() && open > 0) {
        const Token& token = *cursor.at++;
        open += (token.type == Type::Function || token.type == Type::Open) ? 1 : 0;
        open -= token.type == Type::Close ? 1 : 0;
        end = token.text.data() + token.text.size();
    }
    const QChar* start = function.text.data();
    return Fail(QStringView(start, end - start), DependsOnPage());
}

} // namespace CssValueReader
