// SPDX-License-Identifier: MIT
#include "UntrustedText.h"

namespace UntrustedText {

namespace {

bool NeedsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

QString Hex(unsigned value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString Escaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text.sliced(i, 2);
            ++i;
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            out += QStringLiteral("\\x") + Hex(c - 0xDC00, 2);
        } else if (QChar::isSurrogate(c) || (NeedsEscape(c) && c > 0xFF)) {
            out += QStringLiteral("\\u") + Hex(c, 4);
        } else if (NeedsEscape(c)) {
            out += QStringLiteral("\\x") + Hex(c, 2);
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QString Quoted(QStringView text)
{
    qsizetype cut = qMin(text.size(), QuotedLength);
    // A character of two code units is kept whole or left out whole.
    if (cut < text.size() && cut > 0 && text[cut - 1].isHighSurrogate() &&
        text[cut].isLowSurrogate())
        --cut;
    return u'«' + Escaped(text.first(cut)) + (cut < text.size() ? u"…»" : u"»");
}

} // namespace UntrustedText
