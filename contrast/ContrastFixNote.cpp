// SPDX-License-Identifier: MIT
#include "ContrastFixNote.h"

namespace ContrastFixNote {

namespace {

QString Number(double value)
{
    return Contrast::WithComma(QString::number(value, 'f', 3));
}

QString Code(Colour::Rgb8 colour)
{
    // As CSS writes it: red first.
    return QStringLiteral("#%1")
        .arg((colour.red << 16) | (colour.green << 8) | colour.blue, 6, 16, QLatin1Char('0'))
        .toUpper();
}

// "4,5:1", "7:1"
QString Level(double level)
{
    return Contrast::WithComma(QString::number(level)) + QStringLiteral(":1");
}

} // namespace

QString Text(const ContrastFix::Result& result, double level)
{
    using ContrastFix::Kind;
    switch (result.kind) {
    case Kind::Reached:
        return QStringLiteral("El color ya alcanza %1 (%2): no se ha cambiado nada.")
            .arg(Level(level), Contrast::WindowRatio(result.ratio));
    case Kind::Fixed: {
        QString changes =
            QStringLiteral("luminosidad %1 → %2").arg(Number(result.from[0]), Number(result.to[0]));
        const bool cut = result.chromaCut && Number(result.from[1]) != Number(result.to[1]);
        changes += cut ? QStringLiteral("; croma reducido de %1 a %2 para caber en sRGB; el tono "
                                        "se mantiene")
                             .arg(Number(result.from[1]), Number(result.to[1]))
                       : QStringLiteral("; croma y tono se mantienen");
        return QStringLiteral("Corregido a %1 (%2): %3.")
            .arg(Code(result.colour), Contrast::WindowRatio(result.ratio), changes);
    }
    case Kind::Proposed:
        return QStringLiteral("Ningún color de este tono alcanza %1 con este fondo. El más "
                              "cercano que lo alcanza es %2 (%3): «Usar la propuesta» lo aplica.")
            .arg(Level(level), Code(result.colour), Contrast::WindowRatio(result.ratio));
    case Kind::Unreachable:
        break;
    }
    return QStringLiteral("Ningún color alcanza %1 con este fondo (el mejor da %2): no se ha "
                          "cambiado nada.")
        .arg(Level(level), Contrast::WindowRatio(result.best));
}

} // namespace ContrastFixNote
