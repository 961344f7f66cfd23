// SPDX-License-Identifier: MIT
#include "ColourAPI.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace ColourAPI {

QString HexPair(qint16 value)
{
    QString digits = QString::number(static_cast<quint16>(value), 16).toUpper();
    if (digits.size() == 1) {
        digits.prepend(QLatin1Char('0'));
    }
    return digits;
}

qint16 CodeChannel(QStringView code, qint16 channel)
{
    qsizetype start = -1; // 0-based position of the pair
    switch (channel) {
    case Red:
        start = 5;
        break;
    case Green:
        start = 3;
        break;
    case Blue:
        start = 1;
        break;
    default:
        break;
    }
    // "&H" and up to two characters of the code, read as a hexadecimal number.
    char16_t number[4] = {u'&', u'H'};
    qsizetype length = 2;
    for (qsizetype i = start; start >= 0 && i < code.size() && i < start + 2; ++i) {
        number[length++] = code[i].unicode();
    }
    return RoundToInteger(TextToNumber(QStringView(number, length)));
}

ColourValue CodeToColour(QStringView code)
{
    if (!code.startsWith(QLatin1Char('#'))) {
        return 0;
    }
    return PackColour(CodeChannel(code, Red), CodeChannel(code, Green), CodeChannel(code, Blue));
}

QString ComposeCode(qint16 red, qint16 green, qint16 blue)
{
    return QLatin1Char('#') + HexPair(blue) + HexPair(green) + HexPair(red);
}

bool HasCodeShape(QStringView text)
{
    return text.size() == 7 && text.front() == QLatin1Char('#');
}

namespace {

// Walks a text, stepping over the blanks, tabs and line feeds that the
// numeric reading ignores wherever they stand.
class NumberCursor
{
public:
    explicit NumberCursor(QStringView text) : m_text(text) {}

    // The next significant character, or 0 at the end.
    char16_t peek()
    {
        while (m_pos < m_text.size()) {
            const char16_t c = m_text[m_pos].unicode();
            if (c != u' ' && c != u'\t' && c != u'\n') {
                return c;
            }
            ++m_pos;
        }
        return 0;
    }
    void next() { ++m_pos; }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

int DigitValue(char16_t c, int base)
{
    int d = 99;
    if (c >= u'0' && c <= u'9') {
        d = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        d = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        d = c - u'A' + 10;
    }
    return d < base ? d : -1;
}

// "&H..." or "&O...", the cursor standing after "&".
double ReadRadixInteger(NumberCursor& in)
{
    const char16_t kind = in.peek();
    int base = 0;
    if (kind == u'h' || kind == u'H') {
        base = 16;
    } else if (kind == u'o' || kind == u'O') {
        base = 8;
    } else {
        return 0;
    }
    in.next();
    std::uint64_t value = 0;
    for (int d; (d = DigitValue(in.peek(), base)) >= 0; in.next()) {
        if (value > (std::numeric_limits<std::uint64_t>::max() - d) / base) {
            value = std::numeric_limits<std::uint64_t>::max();
        } else {
            value = value * base + d;
        }
    }
    // The reading of a typed integer: 16 bits as a signed 16-bit number,
    // 32 bits as a signed 32-bit number, anything wider as it is.
    if (value <= 0xFFFFu) {
        return static_cast<qint16>(static_cast<quint16>(value));
    }
    if (value <= 0xFFFFFFFFu) {
        return static_cast<qint32>(static_cast<quint32>(value));
    }
    return static_cast<double>(value);
}

double ReadDecimal(NumberCursor& in)
{
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }

    std::string mantissa;
    bool seenPoint = false;
    bool seenDigit = false;
    // Decimal places of the value's first non-zero digit: integer digits
    // count up, zeros after the point count down. Tells overflow from
    // underflow when the value does not fit a double.
    std::int64_t magnitude = 0;
    bool seenNonZero = false;
    for (;; in.next()) {
        const char16_t c = in.peek();
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
            if (c != u'0') {
                seenNonZero = true;
            }
            if (!seenPoint && seenNonZero) {
                ++magnitude;
            } else if (seenPoint && !seenNonZero) {
                --magnitude;
            }
            mantissa.push_back(static_cast<char>(c));
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            mantissa.push_back('.');
        } else {
            break;
        }
    }
    if (!seenDigit || !seenNonZero) {
        return 0;
    }

    // 64 bits wherever long has 32: the cap times ten plus a digit must fit.
    std::int64_t exponent = 0;
    const char16_t e = in.peek();
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        in.next();
        bool expNegative = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            expNegative = in.peek() == u'-';
            in.next();
        }
        constexpr std::int64_t cap = 1'000'000'000; // far beyond any double's range
        for (char16_t c; (c = in.peek()) >= u'0' && c <= u'9'; in.next()) {
            exponent = qMin(cap, exponent * 10 + (c - u'0'));
        }
        if (expNegative) {
            exponent = -exponent;
        }
    }

    const std::string number = mantissa + 'e' + std::to_string(exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

double TextToNumber(QStringView text)
{
    NumberCursor in(text);
    if (in.peek() == u'&') {
        in.next();
        return ReadRadixInteger(in);
    }
    return ReadDecimal(in);
}

qint16 RoundToInteger(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<qint16>::min();
    constexpr double highest = std::numeric_limits<qint16>::max();
    value = qBound(lowest - 1, value, highest + 1);
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1;
    }
    return static_cast<qint16>(qBound(lowest, rounded, highest));
}

} // namespace ColourAPI
