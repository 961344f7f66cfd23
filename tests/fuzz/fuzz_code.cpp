// SPDX-License-Identifier: MIT
// Colour codes from any text: a channel is the value of its pair's leading
// hexadecimal digits, blanks, tabs and line feeds skipped (found here with
// regular expressions); the packed colour is 0 without "#"; the first three
// bytes come back from ComposeCode.
#include "ColourAPI.h"

#include <QRegularExpression>
#include <cstdlib>

using namespace ColourAPI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QRegularExpression blanks("[ \t\n]"), digits("^[0-9A-Fa-f]*");
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    int packed = 0;
    for (int channel = 0; channel <= 4; ++channel) { // 1 red, 2 green, 3 blue
        QString pair = channel % 4 ? text.mid(7 - 2 * channel, 2) : QString();
        const int value = digits.match(pair.remove(blanks)).captured().toInt(nullptr, 16);
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
