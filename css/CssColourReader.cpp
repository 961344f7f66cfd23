// SPDX-License-Identifier: MIT
#include "CssColourReader.h"

#include "CssFunctionReader.h"
#include "CssReadFailure.h"
#include "NamedColours.h"

namespace Colour {

namespace {

using CssReadFailure::Fail;

bool Is(QStringView text, const char16_t* name)
{
    return text.compare(QStringView(name), Qt::CaseInsensitive) == 0;
}

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

Outcome<CssColour> ReadHex(QStringView input)
{
    const QStringView digits = input.sliced(1);
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
    return CssColour{{channel(0), channel(1), channel(2)}, false};
}

Outcome<CssColour> ReadName(QStringView input)
{
    if (const auto colour = NamedColours::Find(input)) {
        return CssColour{*colour, false};
    }
    if (Is(input, u"transparent")) {
        return Fail(input, QStringLiteral("es transparente, no un color"));
    }
    if (Is(input, u"currentcolor")) {
        return Fail(input, QStringLiteral("depende del elemento, no es un color fijo"));
    }
    return Fail(input, QStringLiteral("no es un color CSS"));
}

} // namespace

QString TooLongText()
{
    return QStringLiteral("texto demasiado largo (más de %1 caracteres)").arg(MaxCssColourLength);
}

Outcome<CssColour> ReadCssColour(QStringView text)
{
    if (text.size() > MaxCssColourLength) {
        const QString start = text.first(20).toString() + u'…';
        return Fail(start, TooLongText());
    }
    const QStringView input = text.trimmed();
    if (input.isEmpty()) {
        return Fail(input, QStringLiteral("está vacío"));
    }
    if (input[0] == u'#') {
        return ReadHex(input);
    }
    const qsizetype open = input.indexOf(u'(');
    if (open > 0 && input[0].isLetter()) {
        return CssFunctionReader::Read(input, open);
    }
    if (open >= 0) {
        return Fail(input, QStringLiteral("no es un color CSS"));
    }
    return ReadName(input);
}

} // namespace Colour
