// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Helpers shared by the fuzz targets.
namespace FuzzText {

// The input read as UTF-16 code units, two bytes each in the machine's order
// (a last odd byte is dropped). Any unit may come out, lone surrogates too.
inline QString AsUtf16(const std::uint8_t* data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    if (size >= 2)
        std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

// The input decoded as UTF-8, invalid sequences replaced as Qt does it.
inline QString AsUtf8(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Reports a broken property and aborts, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "FAILED: %s\n  text (UTF-16 hex): %s\n", what,
                 QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)
                     .toHex(' ')
                     .constData());
    std::abort();
}

} // namespace FuzzText

#define FUZZ_CHECK(condition, text)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzText::Fail(#condition, text);                                                      \
    } while (false)
