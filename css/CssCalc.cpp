// SPDX-License-Identifier: MIT
#include "CssCalc.h"

#include "CssReadFailure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace CssCalc {

namespace {

using CssReadFailure::Fail;
using CssTokens::Is;
using CssTokens::Token;
using CssTokens::Type;
using CssValueReader::Cursor;

// Reads one math expression; every method leaves the cursor after what it
// read.
class Expression
{
public:
    Expression(Cursor& cursor, const Keywords& keywords, CssForms::Channel channel)
        : m_cursor(cursor), m_keywords(keywords), m_channel(channel)
    {
    }

    // A math function's arguments, its token just passed: calc() takes one
    // sum, min() and max() one or more, clamp() three, all up to ")".
    Outcome<Quantity> Function(const Token& function)
    {
        if (m_cursor.depth == CssValueReader::MaxDepth) {
            return Fail(m_cursor.input, QStringLiteral("demasiadas funciones anidadas"));
        }
        ++m_cursor.depth;
        QVarLengthArray<Quantity, 3> arguments;
        while (true) {
            Outcome<Quantity> argument = Sum();
            if (!argument) {
                return argument;
            }
            arguments.append(*argument);
            if (m_cursor.AtEnd()) {
                return Fail(m_cursor.input, QStringLiteral("falta «)»"));
            }
            const Token& after = *m_cursor.at++;
            if (after.type == Type::Close) {
                break;
            }
            if (after.type != Type::Comma || Is(function.name, u"calc") || arguments.size() == 3) {
                return Fail(m_cursor.input, u"valor no válido %1", after.text);
            }
        }
        --m_cursor.depth;
        const QStringView whole(function.text.data(),
                                m_cursor.at[-1].text.data() + 1 - function.text.data());
        // Twice, so that a unit one argument brings (a percentage taken as a
        // number) reaches those before it too.
        Quantity result = arguments[0];
        for (int pass = 0; pass < 2; ++pass) {
            for (Quantity& argument : arguments) {
                if (!Same(result, argument)) {
                    return Fail(m_cursor.input, u"valor no válido %1", whole);
                }
            }
        }
        if (Is(function.name, u"clamp")) {
            if (arguments.size() != 3) {
                return Fail(m_cursor.input, u"valor no válido %1", whole);
            }
            result.value =
                std::max(arguments[0].value, std::min(arguments[1].value, arguments[2].value));
        } else if (!Is(function.name, u"calc")) {
            const bool least = Is(function.name, u"min");
            for (const Quantity& argument : arguments) {
                result.value = least ? std::min(result.value, argument.value)
                                     : std::max(result.value, argument.value);
            }
        }
        if (!std::isfinite(result.value)) {
            return Fail(m_cursor.input, u"valor fuera de rango %1", whole);
        }
        return result;
    }

private:
    // Brings a and b to one unit where they can meet (a percentage with a
    // number, a number with an angle in a hue); false where they cannot.
    bool Same(Quantity& a, Quantity& b) const
    {
        for (Quantity* q : {&a, &b}) {
            Quantity& other = q == &a ? b : a;
            if (q->unit == Unit::Percentage && other.unit == Unit::Number && !m_channel.hue) {
                *q = {q->value * m_channel.reference / 100, Unit::Number};
            }
            if (q->unit == Unit::Number && other.unit == Unit::Angle && m_channel.hue) {
                q->unit = Unit::Angle;
            }
        }
        return a.unit == b.unit;
    }

    const Token* Peek() const { return m_cursor.AtEnd() ? nullptr : m_cursor.at; }

    bool IsDelim(const Token* token, char16_t c) const
    {
        return token != nullptr && token->type == Type::Delim && token->text.front() == c;
    }

    Outcome<Quantity> Sum()
    {
        Outcome<Quantity> left = Product();
        while (left && (IsDelim(Peek(), u'+') || IsDelim(Peek(), u'-'))) {
            const Token& sign = *m_cursor.at++;
            // CSS wants whitespace on both sides: "1 -2" is two numbers.
            if (!sign.spaceBefore || m_cursor.AtEnd() || !m_cursor.at->spaceBefore) {
                return Fail(m_cursor.input, u"valor no válido %1", sign.text);
            }
            Outcome<Quantity> right = Product();
            if (!right) {
                return right;
            }
            Quantity a = *left;
            Quantity b = *right;
            if (!Same(a, b)) {
                return Fail(m_cursor.input, u"valor no válido %1", sign.text);
            }
            a.value = sign.text.front() == u'+' ? a.value + b.value : a.value - b.value;
            left = a;
        }
        return left;
    }

    Outcome<Quantity> Product()
    {
        Outcome<Quantity> left = Value();
        while (left && (IsDelim(Peek(), u'*') || IsDelim(Peek(), u'/') ||
                        (Peek() != nullptr && Peek()->type == Type::Slash))) {
            const Token& op = *m_cursor.at++;
            Outcome<Quantity> right = Value();
            if (!right) {
                return right;
            }
            Quantity a = *left;
            const Quantity b = *right;
            if (op.text.front() == u'*' && a.unit == Unit::Number) {
                a = {a.value * b.value, b.unit};
            } else if (b.unit == Unit::Number) {
                a.value = op.text.front() == u'*' ? a.value * b.value : a.value / b.value;
            } else {
                return Fail(m_cursor.input, u"valor no válido %1", op.text);
            }
            left = a;
        }
        return left;
    }

    Outcome<Quantity> Value()
    {
        if (m_cursor.AtEnd()) {
            return Fail(m_cursor.input, QStringLiteral("falta «)»"));
        }
        const Token& token = *m_cursor.at++;
        switch (token.type) {
        case Type::Number:
            return Quantity{token.value, Unit::Number};
        case Type::Percentage:
            return Quantity{token.value, Unit::Percentage};
        case Type::Dimension:
            if (const auto degrees = DegreesPer(token.name)) {
                return Quantity{token.value * *degrees, Unit::Angle};
            }
            break;
        case Type::Ident:
            for (const Keyword& keyword : m_keywords) {
                if (Is(token.name, keyword.name)) {
                    return Quantity{keyword.value, Unit::Number};
                }
            }
            if (Is(token.name, u"pi")) {
                return Quantity{std::numbers::pi, Unit::Number};
            }
            if (Is(token.name, u"e")) {
                return Quantity{std::numbers::e, Unit::Number};
            }
            break;
        case Type::Open: {
            if (m_cursor.depth == CssValueReader::MaxDepth) {
                return Fail(m_cursor.input, QStringLiteral("demasiadas funciones anidadas"));
            }
            ++m_cursor.depth;
            Outcome<Quantity> inside = Sum();
            --m_cursor.depth;
            if (inside && (m_cursor.AtEnd() || m_cursor.at->type != Type::Close)) {
                return Fail(m_cursor.input, QStringLiteral("falta «)»"));
            }
            ++m_cursor.at;
            return inside;
        }
        case Type::Function:
            if (auto page = CssValueReader::PageFunction(m_cursor, token)) {
                return *page;
            }
            if (IsMathFunction(token.name)) {
                return Function(token);
            }
            break;
        default:
            break;
        }
        return Fail(m_cursor.input, u"valor no válido %1", token.text);
    }

    Cursor& m_cursor;
    const Keywords& m_keywords;
    CssForms::Channel m_channel;
};

} // namespace

bool IsMathFunction(QStringView name)
{
    return Is(name, u"calc") || Is(name, u"min") || Is(name, u"max") || Is(name, u"clamp");
}

std::optional<double> DegreesPer(QStringView unit)
{
    if (Is(unit, u"deg")) {
        return 1.0;
    }
    if (Is(unit, u"grad")) {
        return 0.9;
    }
    if (Is(unit, u"rad")) {
        return 180 / std::numbers::pi;
    }
    if (Is(unit, u"turn")) {
        return 360.0;
    }
    return std::nullopt;
}

Outcome<Quantity> Read(Cursor& cursor, const Token& function, const Keywords& keywords,
                       CssForms::Channel channel)
{
    return Expression(cursor, keywords, channel).Function(function);
}

} // namespace CssCalc
