// SPDX-License-Identifier: MIT
// Colour codes from any text, read as UTF-8 and as UTF-16 units. A channel is
// the value of its pair's leading hexadecimal digits, blanks, tabs and line
// feeds skipped (read here with QString::toInt); the packed colour is 0
// without "#"; the first three bytes come back from ComposeCode.
#include "ColourAPI.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

using namespace ColourAPI;

static int PairValue(const QString& text, int start)
{
    QString pair = text.mid(start, 2), digits;
    for (QChar c : pair.remove(QLatin1Char(' ')).remove('\t').remove('\n')) {
        if (c.unicode() > 127 || !std::isxdigit(c.unicode()))
            break;
        digits += c;
    }
    return digits.toInt(nullptr, 16);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2);
    for (const QString& text :
         {QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)), units}) {
        const int red = PairValue(text, 5), green = PairValue(text, 3), blue = PairValue(text, 1);
        if (CodeChannel(text, Red) != red || CodeChannel(text, Green) != green ||
            CodeChannel(text, Blue) != blue || CodeChannel(text, 0) != 0 ||
            CodeChannel(text, 4) != 0 ||
            CodeToColour(text) != (text.startsWith('#') ? red + 256 * green + 65536 * blue : 0) ||
            HasCodeShape(text) != (text.size() == 7 && text.startsWith('#')))
            std::abort();
    }
    if (size >= 3 && CodeToColour(ComposeCode(data[0], data[1], data[2])) !=
                         data[0] + 256 * data[1] + 65536 * data[2])
        std::abort();
    return 0;
}
