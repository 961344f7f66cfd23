// SPDX-License-Identifier: MIT
#include "CssValueReader.h"

#include "CssFunctionReader.h"
#include "CssReadFailure.h"
#include "NamedColours.h"

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
    if (Is(token.name, u"currentcolor")) {
        return Fail(input, QStringLiteral("depende del elemento, no es un color fijo"));
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
        if (cursor.depth == MaxDepth) {
            return Fail(cursor.input, QStringLiteral("demasiadas funciones anidadas"));
        }
        return CssFunctionReader::Read(cursor, token);
    default:
        return Fail(cursor.input, QStringLiteral("no es un color CSS"));
    }
}

} // namespace CssValueReader
