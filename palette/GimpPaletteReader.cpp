// SPDX-License-Identifier: MIT
#include "GimpPaletteReader.h"

#include "PaletteColours.h"
#include "UntrustedText.h"

namespace GimpPaletteReader {

namespace {

const QStringView Magic = u"GIMP Palette";

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The next run of characters other than blanks and tabs, taken off line.
QStringView NextToken(QStringView& line)
{
    qsizetype start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    qsizetype end = start;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    const QStringView token = line.sliced(start, end - start);
    line = line.sliced(end);
    return token;
}

using UntrustedText::Quoted;

// Reads one channel.
Outcome<int> ReadChannel(QStringView token)
{
    // A sign is read, so that -1 is told to be out of range.
    const QStringView number =
        token.startsWith(u'-') || token.startsWith(u'+') ? token.sliced(1) : token;
    bool digits = !number.isEmpty();
    for (QChar c : number)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits)
        return Failed(Quoted(token) + QStringLiteral(" no es un número entero."));
    bool ok = false;
    const int value = token.toInt(&ok);
    if (!ok || value < 0 || value > 255)
        return Failed(Quoted(token) + QStringLiteral(" no está entre 0 y 255."));
    return value;
}

} // namespace

bool IsGimpPalette(QStringView text)
{
    const qsizetype end = text.indexOf(u'\n');
    return (end < 0 ? text : text.first(end)).trimmed() == Magic;
}

Outcome<ImportedPalette> Read(QStringView text)
{
    ImportedPalette result;
    int number = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        line = line.trimmed(); // also the CR of CR LF
        if (number == 1 || line.isEmpty() || line.startsWith(u'#') || line.startsWith(u"Name:") ||
            line.startsWith(u"Columns:"))
            continue;
        int channels[3] = {};
        for (int& channel : channels) {
            const QStringView token = NextToken(line);
            const Outcome<int> read =
                token.isEmpty() ? Failed(QStringLiteral("faltan valores: una línea de color "
                                                        "lleva rojo, verde y azul."))
                                : ReadChannel(token);
            if (!read)
                return Failed(QStringLiteral("Línea %1: ").arg(number) + read.Reason());
            channel = *read;
        }
        result.codes.append(PaletteColours::CodeOf({channels[0], channels[1], channels[2]}));
        // The rest of the line is the name; GIMP writes "Untitled" for none.
        const QStringView name = line.trimmed();
        result.names.append(name == u"Untitled" ? QString() : name.toString());
    }
    return result;
}

} // namespace GimpPaletteReader
