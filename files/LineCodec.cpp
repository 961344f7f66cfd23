// SPDX-License-Identifier: MIT
#include "LineCodec.h"

namespace LineCodec {

namespace {

// Lone low surrogates U+DC80..U+DCFF stand for the bytes 0x80..0xFF that are
// not part of a valid UTF-8 sequence.
constexpr char16_t EscapeBase = 0xDC00;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at data[0] (at most size bytes
// available) and its code point, or 0 when the bytes there do not form one.
// Overlong forms, encoded surrogates and code points above U+10FFFF are
// rejected, following the well-formed byte ranges of Unicode.
int ValidSequence(const unsigned char* data, qsizetype size, char32_t& codePoint)
{
    const unsigned char lead = data[0];
    int length = 0;
    unsigned char low = 0x80; // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong below U+0800
        else if (lead == 0xED)
            high = 0x9F; // U+D800..U+DFFF
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // overlong below U+10000
        else if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (size < length || data[1] < low || data[1] > high)
        return 0;
    codePoint = (codePoint << 6) | (data[1] & 0x3F);
    for (int i = 2; i < length; ++i) {
        if (!IsContinuation(data[i]))
            return 0;
        codePoint = (codePoint << 6) | (data[i] & 0x3F);
    }
    return length;
}

// Appends the UTF-8 form of a code point.
char* PutUtf8(char* out, char32_t codePoint)
{
    if (codePoint < 0x80) {                    // GCOVR_EXCL_BR_LINE: callers write ASCII themselves
        *out++ = static_cast<char>(codePoint); // GCOVR_EXCL_LINE: callers write ASCII
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

} // namespace

QString DecodeLine(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    // One UTF-16 unit per byte at most: a 4-byte sequence gives two units.
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            *out++ = byte;
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const int length = ValidSequence(data + i, size - i, codePoint);
        if (length == 0) {
            *out++ = static_cast<char16_t>(EscapeBase + byte);
            ++i;
        } else if (codePoint >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
            i += length;
        } else {
            *out++ = static_cast<char16_t>(codePoint);
            i += length;
        }
    }
    text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
    return text;
}

QByteArray EncodeText(QStringView text)
{
    const char16_t* data = text.utf16();
    const qsizetype size = text.size();
    // At most three bytes per UTF-16 unit (a pair gives four bytes for two).
    QByteArray bytes(size * 3, Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = data[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (unit < 0xD800 || unit > 0xDFFF) {
            out = PutUtf8(out, unit);
        } else if (unit < 0xDC00 && i + 1 < size && data[i + 1] >= 0xDC00 &&
                   data[i + 1] <= 0xDFFF) {
            out = PutUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                   (char32_t(data[i + 1]) - 0xDC00));
            ++i;
        } else if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
            *out++ = static_cast<char>(unit - EscapeBase);
        } else {
            // Any other lone surrogate has no byte form; it never comes from a file.
            *out++ = '?';
        }
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

} // namespace LineCodec
