// SPDX-License-Identifier: MIT
#include "ColourLinesReader.h"

#include "CssColourReader.h"
#include "PaletteColours.h"

namespace ColourLinesReader {

Outcome<ImportedPalette> Read(QStringView text)
{
    ImportedPalette result;
    int number = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const Outcome<Colour::CssColour> colour = Colour::ReadCssColour(line);
        if (!colour)
            return Failed(QStringLiteral("Línea %1: ").arg(number) + colour.Reason() + u'.');
        result.codes.append(PaletteColours::CodeOf(colour->colour));
    }
    return result;
}

} // namespace ColourLinesReader
