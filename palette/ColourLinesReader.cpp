// SPDX-License-Identifier: MIT
#include "ColourLinesReader.h"

#include "CssColourReader.h"
#include "PaletteColours.h"

namespace ColourLinesReader {

PaletteImportResult Read(QStringView text)
{
    PaletteImportResult result;
    int number = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const Colour::CssReadResult colour = Colour::ReadCssColour(line);
        if (!colour.ok)
            return PaletteImportResult::Failure(QStringLiteral("Línea %1: ").arg(number) +
                                                colour.error + u'.');
        result.codes.append(PaletteColours::CodeOf(colour.colour));
    }
    return result;
}

} // namespace ColourLinesReader
