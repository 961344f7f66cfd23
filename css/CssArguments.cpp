// SPDX-License-Identifier: MIT
#include "CssArguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace CssArguments {

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsSeparator(QChar c)
{
    return IsBlank(c) || c == u',' || c == u'/';
}

qsizetype SkipDigits(QStringView text, qsizetype at)
{
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// Length of the CSS number at the start of word, 0 if there is none.
qsizetype NumberLength(QStringView word)
{
    qsizetype at = (!word.isEmpty() && (word[0] == u'+' || word[0] == u'-')) ? 1 : 0;
    const qsizetype integerEnd = SkipDigits(word, at);
    bool digits = integerEnd > at;
    at = integerEnd;
    if (at + 1 < word.size() && word[at] == u'.' && IsDigit(word[at + 1])) {
        at = SkipDigits(word, at + 1);
        digits = true;
    }
    if (!digits) {
        return 0;
    }
    if (at < word.size() && (word[at] == u'e' || word[at] == u'E')) {
        qsizetype exponent = at + 1;
        if (exponent < word.size() && (word[exponent] == u'+' || word[exponent] == u'-')) {
            ++exponent;
        }
        if (exponent < word.size() && IsDigit(word[exponent])) {
            at = SkipDigits(word, exponent);
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

std::optional<double> ToDouble(QStringView digits, bool& overflow)
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
        overflow = Overflows(ascii.substr(ascii[0] == '-' || ascii[0] == '+' ? 1 : 0));
        if (overflow) {
            return std::nullopt;
        }
        return 0.0;
    }
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> DegreesPer(QStringView unit)
{
    if (unit.compare(u"deg", Qt::CaseInsensitive) == 0) {
        return 1.0;
    }
    if (unit.compare(u"grad", Qt::CaseInsensitive) == 0) {
        return 0.9;
    }
    if (unit.compare(u"rad", Qt::CaseInsensitive) == 0) {
        return 180 / std::numbers::pi;
    }
    if (unit.compare(u"turn", Qt::CaseInsensitive) == 0) {
        return 360.0;
    }
    return std::nullopt;
}

bool IsName(QStringView word)
{
    if (word.isEmpty() || IsDigit(word[0])) {
        return false;
    }
    for (QChar c : word) {
        if (!IsLetter(c) && !IsDigit(c) && c != u'-') {
            return false;
        }
    }
    return true;
}

// Reads one word into a token; false with fault set when it is not valid.
bool ReadWord(QStringView word, Token& token, Fault& fault)
{
    token.text = word;
    const qsizetype length = NumberLength(word);
    if (length == 0) {
        if (word.compare(u"none", Qt::CaseInsensitive) == 0) {
            token.type = Type::None;
            return true;
        }
        token.type = Type::Name;
        fault = IsName(word) ? Fault::None : Fault::BadValue;
        return fault == Fault::None;
    }
    bool overflow = false;
    const std::optional<double> number = ToDouble(word.first(length), overflow);
    if (!number) {
        fault = overflow ? Fault::OutOfRange : Fault::BadValue;
        return false;
    }
    const QStringView unit = word.sliced(length);
    token.value = *number;
    if (unit.isEmpty()) {
        token.type = Type::Number;
    } else if (unit == u"%") {
        token.type = Type::Percentage;
    } else if (const std::optional<double> factor = DegreesPer(unit)) {
        token.type = Type::Angle;
        token.value *= *factor;
    } else {
        fault = Fault::BadValue;
        return false;
    }
    // Scaling can overflow too: 1e308turn is no angle.
    if (!std::isfinite(token.value)) {
        fault = Fault::OutOfRange;
        return false;
    }
    return true;
}

} // namespace

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

Arguments Scan(QStringView inside)
{
    Arguments result;
    qsizetype at = 0;
    while (at < inside.size()) {
        const QChar c = inside[at];
        if (IsBlank(c)) {
            ++at;
            continue;
        }
        if (result.tokens.size() == MaxTokens) {
            result.fault = Fault::TooMany;
            return result;
        }
        Token token;
        if (c == u',' || c == u'/') {
            token.type = c == u',' ? Type::Comma : Type::Slash;
            token.text = inside.sliced(at, 1);
            ++at;
        } else {
            qsizetype end = at;
            while (end < inside.size() && !IsSeparator(inside[end])) {
                ++end;
            }
            if (!ReadWord(inside.sliced(at, end - at), token, result.fault)) {
                result.culprit = token.text;
                return result;
            }
            at = end;
        }
        result.tokens.append(token);
    }
    return result;
}

} // namespace CssArguments
