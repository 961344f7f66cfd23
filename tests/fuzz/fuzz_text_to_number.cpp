// SPDX-License-Identifier: MIT
// The numeric reading of any text: TextToNumber and RoundToInteger.
//
// The input is read twice, as UTF-16 units and as UTF-8. The number is always
// finite and equals a plain reading of the text's leading number: decimal
// through the C library's strtod (an exponent letter D read as E, a result too
// large for a double as the largest finite double of its sign), "&H" and "&O"
// integers digit by digit. Blanks, tabs and line feeds are ignored wherever
// they stand. Rounding gives the nearest integer, halves to even, within the
// 16-bit range. Run with -timeout to catch a reading that is not linear.
#include "ColourAPI.h"
#include "FuzzText.h"

#include <QString>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace ColourAPI;

namespace {

QString WithoutBlanks(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            result.append(c);
    }
    return result;
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// 0..15 for an ASCII hexadecimal digit, -1 for anything else.
int DigitValue(char16_t c)
{
    const QString digits = QStringLiteral("0123456789abcdef");
    return c < 0x80 ? static_cast<int>(digits.indexOf(QChar(c).toLower())) : -1;
}

// "&H" or "&O" and its digits; text has no blanks and starts with "&".
double ExpectedRadix(const QString& text)
{
    if (text.size() < 2)
        return 0;
    const char16_t kind = text[1].unicode();
    const int base = (kind == u'h' || kind == u'H') ? 16 : (kind == u'o' || kind == u'O') ? 8 : 0;
    if (base == 0)
        return 0;
    std::uint64_t value = 0;
    bool wide = false; // more than 64 bits
    for (qsizetype i = 2; i < text.size(); ++i) {
        const int digit = DigitValue(text[i].unicode());
        if (digit < 0 || digit >= base)
            break;
        if (value > (UINT64_MAX - static_cast<std::uint64_t>(digit)) / base)
            wide = true;
        else
            value = value * base + digit;
    }
    if (wide)
        return static_cast<double>(UINT64_MAX); // wider than 64 bits saturates
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(value);
    if (value <= 0xFFFFFFFF)
        return static_cast<std::int32_t>(value);
    return static_cast<double>(value);
}

// Sign, digits with at most one point, exponent; text has no blanks.
double ExpectedDecimal(const QString& text)
{
    std::string number;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        number += static_cast<char>(text[i++].unicode());
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digit = true;
        } else if (text[i] == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        number += static_cast<char>(text[i].unicode());
    }
    if (!digit)
        return 0;
    if (i < text.size() && QStringLiteral("eEdD").contains(text[i])) {
        std::string exponent = "e";
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            exponent += static_cast<char>(text[i++].unicode());
        bool exponentDigit = false;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            exponent += static_cast<char>(text[i].unicode());
            exponentDigit = true;
        }
        if (exponentDigit)
            number += exponent;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value))
        return value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

void CheckRounding(double value, const QString& text)
{
    const int rounded = RoundToInteger(value);
    FUZZ_CHECK(rounded >= -32768 && rounded <= 32767, text);
    if (value >= 32767.5) {
        FUZZ_CHECK(rounded == 32767, text);
    } else if (value <= -32768.5) {
        FUZZ_CHECK(rounded == -32768, text);
    } else {
        const double distance = std::fabs(rounded - value);
        FUZZ_CHECK(distance <= 0.5, text);
        FUZZ_CHECK(distance < 0.5 || rounded % 2 == 0, text);
    }
}

void CheckText(const QString& text)
{
    const double value = TextToNumber(text);
    FUZZ_CHECK(std::isfinite(value), text);

    const QString bare = WithoutBlanks(text);
    FUZZ_CHECK(TextToNumber(bare) == value, text);
    const double expected =
        bare.startsWith(QLatin1Char('&')) ? ExpectedRadix(bare) : ExpectedDecimal(bare);
    // Below the normal range the C library keeps subnormal values; reading
    // them as 0 is as good.
    const bool subnormal = expected != 0 && std::fabs(expected) < DBL_MIN;
    const bool agrees = value == expected || (subnormal && value == 0);
    if (!agrees)
        std::fprintf(stderr, "read %.17g, expected %.17g\n", value, expected);
    FUZZ_CHECK(agrees, text);

    CheckRounding(value, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckText(FuzzText::AsUtf16(data, size));
    CheckText(FuzzText::AsUtf8(data, size));
    // The rounding alone, on any eight bytes read as a double.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (!std::isnan(value))
            CheckRounding(value, QString());
        else
            FUZZ_CHECK(RoundToInteger(value) == 0, QString());
    }
    return 0;
}
