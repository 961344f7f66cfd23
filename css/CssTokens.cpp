// SPDX-License-Identifier: MIT
#include "CssTokens.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace CssTokens {

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c.unicode() >= 0x80;
}

bool IsNameChar(QChar c)
{
    return IsNameStart(c) || IsDigit(c) || c == u'-';
}

QChar At(QStringView text, qsizetype at)
{
    return at < text.size() ? text[at] : QChar();
}

// Whether a name starts at "at": a letter, "_" or non-ASCII character, or "-"
// followed by one of those or by another "-".
bool StartsName(QStringView text, qsizetype at)
{
    if (At(text, at) == u'-') {
        return IsNameStart(At(text, at + 1)) || At(text, at + 1) == u'-';
    }
    return IsNameStart(At(text, at));
}

bool StartsNumber(QStringView text, qsizetype at)
{
    qsizetype digit = at;
    if (At(text, at) == u'+' || At(text, at) == u'-') {
        ++digit;
    }
    if (At(text, digit) == u'.') {
        ++digit;
    }
    return IsDigit(At(text, digit));
}

qsizetype SkipDigits(QStringView text, qsizetype at)
{
    while (IsDigit(At(text, at))) {
        ++at;
    }
    return at;
}

qsizetype SkipName(QStringView text, qsizetype at)
{
    while (IsNameChar(At(text, at))) {
        ++at;
    }
    return at;
}

// The end of the number that starts at "at" (StartsNumber).
qsizetype NumberEnd(QStringView text, qsizetype at)
{
    if (At(text, at) == u'+' || At(text, at) == u'-') {
        ++at;
    }
    at = SkipDigits(text, at);
    if (At(text, at) == u'.' && IsDigit(At(text, at + 1))) {
        at = SkipDigits(text, at + 1);
    }
    if (At(text, at) == u'e' || At(text, at) == u'E') {
        qsizetype exponent = at + 1;
        if (At(text, exponent) == u'+' || At(text, exponent) == u'-') {
            ++exponent;
        }
        if (IsDigit(At(text, exponent))) {
            at = SkipDigits(text, exponent);
        }
    }
    return at;
}

// True when a number too large or too small for a double is large: the
// position of its first significant digit plus its exponent is above zero.
bool Overflows(const std::string& number)
{
    const std::size_t e = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const bool negative = number[e + 1] == '-';
        for (std::size_t i = e + 1; i < number.size(); ++i) {
            if (number[i] >= '0' && number[i] <= '9') {
                exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
            }
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t first = mantissa.find_first_of("123456789");
    const long long integerDigits =
        static_cast<long long>(point == std::string::npos ? mantissa.size() : point);
    const long long position = static_cast<long long>(first);
    const long long order =
        position < integerDigits ? integerDigits - position : integerDigits - position + 1;
    return order + exponent > 0;
}

// The number's value, correctly rounded; a number too small for a double is
// 0, one too large none.
std::optional<double> ToDouble(QStringView digits)
{
    std::string ascii;
    ascii.reserve(std::size_t(digits.size()));
    for (QChar c : digits) {
        ascii.push_back(char(c.unicode()));
    }
    const std::size_t start = ascii[0] == '+' ? 1 : 0;
    double value = 0;
    const auto [end, error] =
        std::from_chars(ascii.data() + start, ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (Overflows(ascii.substr(ascii[0] == '-' || ascii[0] == '+' ? 1 : 0))) {
            return std::nullopt;
        }
        return 0.0;
    }
    return value;
}

} // namespace

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool Is(QStringView name, const char16_t* lower)
{
    qsizetype i = 0;
    for (; lower[i] != u'\0'; ++i) {
        if (i == name.size()) {
            return false;
        }
        char16_t c = name[i].unicode();
        if (c >= u'A' && c <= u'Z') {
            c = char16_t(c - u'A' + u'a');
        }
        if (c != lower[i]) {
            return false;
        }
    }
    return i == name.size();
}

Tokens Split(QStringView text)
{
    Tokens result;
    qsizetype at = 0;
    bool space = false;
    while (at < text.size()) {
        const QChar c = text[at];
        if (IsBlank(c)) {
            space = true;
            ++at;
            continue;
        }
        if (c == u'/' && At(text, at + 1) == u'*') {
            const qsizetype close = text.indexOf(QStringView(u"*/"), at + 2);
            at = close < 0 ? text.size() : close + 2;
            continue;
        }
        // GCOVR_EXCL_START: the reader passes at most as many characters as tokens
        if (result.list.size() == MaxTokens) {
            result.fault = Fault::TooMany;
            return result;
        }
        // GCOVR_EXCL_STOP
        Token token;
        token.spaceBefore = space;
        space = false;
        const qsizetype start = at;
        if (StartsNumber(text, at)) {
            at = NumberEnd(text, at);
            const std::optional<double> value = ToDouble(text.sliced(start, at - start));
            if (!value) {
                result.fault = Fault::OutOfRange;
                result.culprit = text.sliced(start, at - start);
                return result;
            }
            token.value = *value;
            token.type = Type::Number;
            if (At(text, at) == u'%') {
                token.type = Type::Percentage;
                ++at;
            } else if (StartsName(text, at)) {
                token.type = Type::Dimension;
                const qsizetype unit = at;
                at = SkipName(text, at);
                token.name = text.sliced(unit, at - unit);
            }
        } else if (StartsName(text, at)) {
            at = SkipName(text, at);
            token.name = text.sliced(start, at - start);
            token.type = Type::Ident;
            if (At(text, at) == u'(') {
                token.type = Type::Function;
                ++at;
            }
        } else if (c == u'#' && IsNameChar(At(text, at + 1))) {
            at = SkipName(text, at + 1);
            token.type = Type::Hash;
            token.name = text.sliced(start + 1, at - start - 1);
        } else {
            constexpr struct
            {
                char16_t c;
                Type type;
            } Single[] = {
                {u',', Type::Comma}, {u'/', Type::Slash}, {u'(', Type::Open}, {u')', Type::Close}};
            token.type = Type::Delim;
            for (const auto& single : Single) {
                token.type = c == single.c ? single.type : token.type;
            }
            ++at;
        }
        token.text = text.sliced(start, at - start);
        result.list.append(token);
    }
    return result;
}

} // namespace CssTokens
