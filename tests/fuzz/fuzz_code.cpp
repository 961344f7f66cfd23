// SPDX-License-Identifier: MIT
// Colour codes from any text: CodeChannel, CodeToColour and ComposeCode.
//
// The input is read twice, as UTF-16 units and as UTF-8. Every channel of any
// text lies in 0..255 and equals the value of the pair's leading hexadecimal
// digits (blanks, tabs and line feeds skipped); CodeToColour packs the three
// channels when the text starts with "#" and is 0 otherwise. The first three
// bytes, taken as red, green and blue, must survive ComposeCode and the way
// back.
#include "ColourAPI.h"
#include "FuzzText.h"

#include <QString>
#include <cstddef>
#include <cstdint>

using namespace ColourAPI;

namespace {

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The channel as a plain reading of the pair: the characters at the channel's
// two positions (fewer when the text is short), without the ignored blanks,
// read as far as they are hexadecimal digits.
int ExpectedChannel(const QString& code, int channel)
{
    const int start = channel == 1 ? 5 : channel == 2 ? 3 : channel == 3 ? 1 : -1;
    if (start < 0)
        return 0;
    int value = 0;
    for (qsizetype i = start; i < start + 2 && i < code.size(); ++i) {
        const char16_t c = code[i].unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        const int digit = HexDigit(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

void CheckText(const QString& text)
{
    for (int channel = -1; channel <= 4; ++channel) {
        const int value = CodeChannel(text, static_cast<qint16>(channel));
        FUZZ_CHECK(value >= 0 && value <= 255, text);
        FUZZ_CHECK(value == ExpectedChannel(text, channel), text);
    }
    const ColourValue colour = CodeToColour(text);
    FUZZ_CHECK(colour >= 0 && colour <= 0xFFFFFF, text);
    if (text.startsWith(QLatin1Char('#'))) {
        FUZZ_CHECK(colour == PackColour(CodeChannel(text, Red), CodeChannel(text, Green),
                                        CodeChannel(text, Blue)),
                   text);
    } else {
        FUZZ_CHECK(colour == 0, text);
    }
    FUZZ_CHECK(HasCodeShape(text) == (text.size() == 7 && text.at(0) == QLatin1Char('#')), text);
}

void CheckComposition(int red, int green, int blue)
{
    const QString code = ComposeCode(static_cast<qint16>(red), static_cast<qint16>(green),
                                     static_cast<qint16>(blue));
    FUZZ_CHECK(HasCodeShape(code), code);
    FUZZ_CHECK(code == code.toUpper(), code);
    FUZZ_CHECK(CodeChannel(code, Red) == red, code);
    FUZZ_CHECK(CodeChannel(code, Green) == green, code);
    FUZZ_CHECK(CodeChannel(code, Blue) == blue, code);
    FUZZ_CHECK(CodeToColour(code) == red + 256 * green + 65536 * blue, code);
    FUZZ_CHECK(code.mid(1, 2) == HexPair(static_cast<qint16>(blue)), code);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckText(FuzzText::AsUtf16(data, size));
    CheckText(FuzzText::AsUtf8(data, size));
    if (size >= 3)
        CheckComposition(data[0], data[1], data[2]);
    return 0;
}
