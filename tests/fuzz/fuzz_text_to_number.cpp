// SPDX-License-Identifier: MIT
// The reading of numbers from any text, read as UTF-8 and as UTF-16 units: it
// is always finite and agrees with the C library's reading of the text's
// leading number once blanks, tabs and line feeds are dropped (strtod for a
// sign, digits with at most one point and an exponent E or D; strtoull for
// "&H" and "&O" integers, which read signed up to 16 and up to 32 bits).
// Rounding gives the nearest integer, halves to even, within 16 bits.
#include "ColourAPI.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace ColourAPI;

static double Expected(const std::string& text)
{
    const char* t = text.c_str();
    const char* const digits = "0123456789";
    if (t[0] == '&') {
        const bool hex = t[1] == 'H' || t[1] == 'h';
        if (!hex && t[1] != 'O' && t[1] != 'o')
            return 0;
        const std::string number(t + 2,
                                 std::strspn(t + 2, hex ? "0123456789abcdefABCDEF" : "01234567"));
        const unsigned long long v = std::strtoull(number.c_str(), nullptr, hex ? 16 : 8);
        return v <= 0xFFFF ? double(int16_t(v)) : v <= 0xFFFFFFFF ? double(int32_t(v)) : double(v);
    }
    size_t end = t[0] == '+' || t[0] == '-';
    const size_t whole = std::strspn(t + end, digits);
    end += whole;
    const size_t fraction = t[end] == '.' ? std::strspn(t + end + 1, digits) : 0;
    end += t[end] == '.' ? 1 + fraction : 0;
    if (whole + fraction == 0)
        return 0;
    std::string number(t, end);
    if (t[end] != 0 && std::strchr("eEdD", t[end]) != nullptr) {
        const size_t sign = t[end + 1] == '+' || t[end + 1] == '-';
        const size_t exponent = std::strspn(t + end + 1 + sign, digits);
        if (exponent > 0)
            number += 'e' + std::string(t + end + 1, sign + exponent);
    }
    const double v = std::strtod(number.c_str(), nullptr);
    return std::isinf(v) ? std::copysign(DBL_MAX, v) : v;
}

static void CheckRounding(double v)
{
    const int r = RoundToInteger(v);
    const double off = std::fabs(r - v);
    if (std::isnan(v)   ? r != 0
        : v >= 32767.5  ? r != 32767
        : v <= -32768.5 ? r != -32768
                        : off > 0.5 || (off == 0.5 && r % 2 != 0))
        std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2);
    for (const QString& text :
         {QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)), units}) {
        std::string ascii; // non-ASCII characters end a number, as DEL does
        for (QChar c : text)
            if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
                ascii += c.unicode() < 128 ? char(c.unicode()) : '\x7f';
        const double value = TextToNumber(text), expected = Expected(ascii);
        // The C library keeps values below the normal range, which may read as 0.
        if (!std::isfinite(value) ||
            (value != expected && (value != 0 || std::fabs(expected) >= DBL_MIN)))
            std::abort();
        CheckRounding(value);
    }
    double raw = 0;
    if (size >= sizeof raw)
        CheckRounding((std::memcpy(&raw, data, sizeof raw), raw));
    return 0;
}
