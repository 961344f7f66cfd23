// SPDX-License-Identifier: MIT
// Colour codes from any text: a channel is the value of its pair's leading
// hexadecimal digits, blanks, tabs and line feeds skipped (read here with
// strspn and QByteArray::toInt); the packed colour is 0 without "#"; the first three
// bytes come back from ComposeCode.
#include "ColourAPI.h"

#include <cstdlib>
#include <cstring>

using namespace ColourAPI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    int packed = 0;
    for (int channel = 0; channel <= 4; ++channel) { // 1 red, 2 green, 3 blue
        QByteArray pair = (channel % 4 ? text.mid(7 - 2 * channel, 2) : QString()).toLatin1();
        pair.replace(" ", "").replace("\t", "").replace("\n", "");
        const qsizetype digits = qsizetype(std::strspn(pair.constData(), "0123456789abcdefABCDEF"));
        const int value = pair.left(digits).toInt(nullptr, 16);
        packed += channel % 4 ? value << (8 * channel - 8) : 0;
        if (CodeChannel(text, qint16(channel)) != value)
            std::abort();
    }
    if (CodeToColour(text) != (text.startsWith('#') ? packed : 0) ||
        HasCodeShape(text) != (text.size() == 7 && text.startsWith('#')) ||
        (size >= 3 && CodeToColour(ComposeCode(data[0], data[1], data[2])) !=
                          data[0] + 256 * data[1] + 65536 * data[2]))
        std::abort();
    return 0;
}
