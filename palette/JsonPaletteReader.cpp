// SPDX-License-Identifier: MIT
#include "JsonPaletteReader.h"

#include "CssColourReader.h"
#include "PaletteColours.h"
#include "UntrustedText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace JsonPaletteReader {

namespace {

// One element's colour as a code.
Outcome<QString> ReadElement(const QJsonValue& element)
{
    const QJsonObject object = element.toObject();
    const QJsonValue css = element.isString() ? element : object.value(QLatin1String("css"));
    if (css.isString()) {
        const Outcome<Colour::CssColour> colour = Colour::ReadCssColour(css.toString());
        if (!colour)
            return Failed(colour.Reason());
        return PaletteColours::CodeOf(colour->colour);
    }
    const QString code = object.value(QLatin1String("code")).toString();
    if (PaletteColours::IsCode(code))
        return PaletteColours::CodeOf(PaletteColours::CodeColour(code));
    int channels[3] = {};
    const char* const names[3] = {"red", "green", "blue"};
    for (int i = 0; i < 3; ++i) {
        const QJsonValue value = object.value(QLatin1String(names[i]));
        channels[i] = value.toInt(-1);
        if (channels[i] < 0 || channels[i] > 255 || value.toDouble() != channels[i]) {
            return Failed(code.isEmpty() ? QStringLiteral("no lleva ningún color: ni «css», ni "
                                                          "«code», ni «red», «green» y «blue» "
                                                          "de 0 a 255")
                                         : UntrustedText::Quoted(code) +
                                               QStringLiteral(": no es un código de color"));
        }
    }
    return PaletteColours::CodeOf({channels[0], channels[1], channels[2]});
}

} // namespace

std::optional<Outcome<ImportedPalette>> Read(const QByteArray& bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    const QJsonArray array = document.array();
    ImportedPalette result;
    result.codes.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const Outcome<QString> code = ReadElement(array.at(i));
        if (!code)
            return Failed(QStringLiteral("Elemento %1: ").arg(i + 1) + code.Reason() + u'.');
        result.codes.append(*code);
        result.names.append(array.at(i).toObject().value(QLatin1String("name")).toString());
    }
    return result;
}

} // namespace JsonPaletteReader
