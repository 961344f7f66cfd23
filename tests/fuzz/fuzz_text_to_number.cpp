// SPDX-License-Identifier: MIT
// The reading of numbers from any text agrees with the C library's reading of
// the leading number that regular expressions find once blanks, tabs and line
// feeds are dropped: strtod for a sign, digits with at most one point and an
// exponent E or D; strtoull for "&H" and "&O" integers, which read signed up
// to 16 and up to 32 bits.
#include "ColourAPI.h"

#include <QRegularExpression>
#include <cfloat>
#include <cmath>
#include <cstdlib>

using namespace ColourAPI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QRegularExpression blanks("[ \t\n]"), radix("^&([hH][0-9a-fA-F]*|[oO][0-7]*)"),
        decimal("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?");
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString bare = QString(text).remove(blanks);
    double expected = 0;
    if (const QRegularExpressionMatch m = radix.match(bare); m.hasMatch()) {
        const QByteArray digits = m.captured(1).mid(1).toLatin1();
        const auto v = std::strtoull(digits.constData(), nullptr,
                                     m.captured(1).startsWith('o', Qt::CaseInsensitive) ? 8 : 16);
        expected = v <= 0xFFFF       ? double(int16_t(v))
                   : v <= 0xFFFFFFFF ? double(int32_t(v))
                                     : double(v);
    } else if (const QRegularExpressionMatch m = decimal.match(bare); m.hasMatch()) {
        expected = std::strtod(
            m.captured().replace('d', 'e').replace('D', 'e').toLatin1().constData(), nullptr);
        expected = std::isinf(expected) ? std::copysign(DBL_MAX, expected) : expected;
    }
    // The C library keeps values below the normal range, which may read as 0.
    const double value = TextToNumber(text);
    if (value != expected && (value != 0 || std::fabs(expected) >= DBL_MIN))
        std::abort();
    return 0;
}
