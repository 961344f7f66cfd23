// SPDX-License-Identifier: MIT
#include "CssColourReader.h"

#include "CssReadFailure.h"
#include "CssTokens.h"
#include "CssValueReader.h"

namespace Colour {

namespace {

using CssReadFailure::Fail;
using CssTokens::Type;

// The text without the CSS whitespace around it, as messages quote it.
QStringView Trimmed(QStringView text)
{
    while (!text.isEmpty() && CssTokens::IsBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && CssTokens::IsBlank(text.back())) {
        text.chop(1);
    }
    return text;
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
    const QStringView input = Trimmed(text);
    const CssTokens::Tokens tokens = CssTokens::Split(input);
    if (tokens.fault == CssTokens::Fault::OutOfRange) {
        return Fail(input, u"valor fuera de rango %1", tokens.culprit);
    }
    if (tokens.list.isEmpty()) {
        return Fail(input, QStringLiteral("está vacío"));
    }
    CssValueReader::Cursor cursor{input, tokens.list.begin(), tokens.list.end()};
    const bool function = tokens.list.front().type == Type::Function;
    const Outcome<CssValue> value = CssValueReader::Read(cursor);
    if (!value) {
        return Failed(value.Reason());
    }
    if (!cursor.AtEnd()) {
        if (!function) {
            return Fail(input, QStringLiteral("no es un color CSS"));
        }
        const QStringView rest = input.sliced(cursor.at->text.data() - input.data());
        return Fail(input, u"sobra %1 tras «)»", rest);
    }
    return ColourForms::ToRgb8(value->form, value->channels);
}

} // namespace Colour
