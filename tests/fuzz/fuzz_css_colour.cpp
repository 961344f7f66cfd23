// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes, taken as UTF-8, go to the reader. Every read
// ends within a bound (below); a colour read must have channels 0 to 255 and
// come back the same through its hex form and its oklch() form; a refusal must
// say why.
#include "CssColourReader.h"
#include "CssColourWriter.h"
#include "TimedRead.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Outcome<Colour::CssColour> result = TimedRead(text);
    if (!result) {
        if (result.Reason().isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const Colour::Rgb8 c = result->colour;
    if (c.red < 0 || c.red > 255 || c.green < 0 || c.green > 255 || c.blue < 0 || c.blue > 255) {
        std::abort();
    }
    for (Colour::CssFormat format : {Colour::CssFormat::Hex, Colour::CssFormat::Oklch}) {
        const Outcome<Colour::CssColour> back =
            Colour::ReadCssColour(Colour::WriteCssColour(c, format));
        if (!back || !(back->colour == c)) {
            std::abort();
        }
    }
    return 0;
}
