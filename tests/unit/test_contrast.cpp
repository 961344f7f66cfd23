// SPDX-License-Identifier: MIT
// The accessibility logic. Reference values: the WCAG 2 formula worked by hand
// (#767676 is the lightest grey with 4.5:1 on white, #595959 with 7:1, and a
// grey's OKLCH lightness is the cube root of its linear value); the APCA-W3
// 0.0.98G test values published with the algorithm; the severity 1.0 matrices
// of Machado, Oliveira and Fernandes (2009), applied by hand to pure red,
// green and blue. OKLCH hues come from ColourForms, whose conversions
// test_css_colour checks against the published CSS Color 4 examples.
#include "Apca.h"
#include "ColourForms.h"
#include "ColourVision.h"
#include "Contrast.h"
#include "ContrastFix.h"
#include "ContrastFixNote.h"
#include "ContrastLine.h"

#include <QTest>
#include <cmath>

using Colour::Rgb8;
using ColourVision::Deficiency;

namespace {

// "RRGGBB RRGGBB": text and background, or a colour and how it is seen.
std::pair<Rgb8, Rgb8> Pair(const QByteArray& text)
{
    const auto hex = [&](int at) {
        const uint v = text.mid(at, 6).toUInt(nullptr, 16);
        return Rgb8{int(v >> 16), int((v >> 8) & 0xFF), int(v & 0xFF)};
    };
    return {hex(0), hex(7)};
}

QByteArray Hex(Rgb8 c)
{
    return QByteArray::number((c.red << 16) | (c.green << 8) | c.blue, 16).rightJustified(6, '0');
}

} // namespace

class TestContrast : public QObject
{
    Q_OBJECT
private slots:
    // The figure, then normal text AA and AAA, large text AA and AAA, controls.
    void ratio()
    {
        const auto of = [](const char* pair) {
            const auto [text, background] = Pair(pair);
            return Contrast::Ratio(text, background);
        };
        // The last three: colour pairs a hair under a level (4.4999999999921,
        // 6.99999999999024, 2.9999999999994).
        const std::pair<double, const char*> rows[] = {
            {of("777777 FFFFFF"), "4.47 00101"}, // 4.478, cut
            {of("767676 FFFFFF"), "4.54 10111"},
            {of("FFFFFF 595959"), "7.00 11111"},
            {of("949494 FFFFFF"), "3.03 00101"},
            {of("959595 FFFFFF"), "2.99 00000"},
            {of("000000 FFFFFF"), "21.00 11111"},
            {20.999999999999996, "21.00 11111"},
            {4.4999999999999, "4.49 00101"},
            {6.99999999999999, "6.99 10111"},
            {2.99999999999999, "2.99 00000"},
            {of("2671E5 060201"), "4.49 00101"},
            {of("6AAE58 05102B"), "6.99 10111"},
            {of("1C5F98 190102"), "2.99 00000"},
            {4.5, "4.50 10111"},
            {7, "7.00 11111"},
            {3, "3.00 00101"}, // each level itself is reached
        };
        // Worked out by hand from the WCAG 2 formula: orange on black, white
        // on black, pink on black, #777777 on white, a colour on itself.
        const std::pair<const char*, double> exact[] = {{"FF8000 000000", 8.3397},
                                                        {"FFFFFF 000000", 21},
                                                        {"FF0080 000000", 5.5637},
                                                        {"777777 FFFFFF", 4.4781},
                                                        {"1E140A 1E140A", 1}};
        for (const auto& [pair, ratio] : exact)
            QVERIFY2(std::abs(of(pair) - ratio) < 1e-4, pair);
        for (const auto& [ratio, expected] : rows) {
            const Contrast::Verdicts v = Contrast::Judge(ratio);
            QByteArray shown = Contrast::RatioFigure(ratio).toLatin1() + ' ';
            for (bool reached : {v.normalAa, v.normalAaa, v.largeAa, v.largeAaa, v.nonText}) {
                shown += reached ? '1' : '0';
            }
            QCOMPARE(shown, QByteArray(expected));
        }
        // The list sample's tooltip: the same figure with the window's comma, the
        // verdict for normal text.
        const std::pair<const char*, const char*> tips[] = {
            {"2671E5 060201", "4,49:1 — AA solo para texto grande"},
            {"6AAE58 05102B", "6,99:1 — AA"},
            {"1C5F98 190102", "2,99:1 — insuficiente para texto"},
            {"000000 FFFFFF", "21,00:1 — AAA"}};
        for (const auto& [pair, tip] : tips) {
            QCOMPARE(Contrast::Summary(of(pair)),
                     QString::fromUtf8(QByteArray("Contraste ") + tip));
        }
    }

    // Text, background: Lc as published with APCA-W3.
    void apca()
    {
        const std::pair<const char*, double> rows[] = {
            {"888888 FFFFFF", 63.0565},  {"FFFFFF 888888", -68.5415}, {"000000 AAAAAA", 58.1463},
            {"AAAAAA 000000", -56.2411}, {"112233 DDEEFF", 91.6683},  {"DDEEFF 112233", -93.0677},
            {"112233 444444", 8.3233},   {"000000 FFFFFF", 106.04},   {"FFFFFF 000000", -107.88},
        };
        for (const auto& [pair, lc] : rows) {
            const auto [text, background] = Pair(pair);
            QVERIFY2(std::abs(Apca::Lc(text, background) - lc) < 0.005, pair);
        }
    }

    void line()
    {
        const auto [grey, white] = Pair("888888 FFFFFF");
        const ContrastLine::Report report = ContrastLine::Describe(grey, white);
        QCOMPARE(report.line, QStringLiteral("3.54:1  AA texto normal: no  AAA texto normal: no  "
                                             "AA texto grande: sí  AAA texto grande: no  "
                                             "Controles (1.4.11): sí  APCA Lc 63.0"));
        QVERIFY(!report.normalTextAa && ContrastLine::Describe(Rgb8{}, white).normalTextAa);
        // Lc 19.99999999995896 is shown as 19.9, never as more than it is.
        const auto [violet, purple] = Pair("2E1D78 934AA8");
        QVERIFY(ContrastLine::Describe(violet, purple).line.endsWith(u"APCA Lc 19.9"));
    }

    // A colour and how it is seen. Red, green and blue are linear 1 in one
    // channel: each gives a column of the matrix, clipped to 0-1 and encoded
    // by the sRGB curve; #C89664 needs every coefficient and nothing clipped.
    // Achromatopsia: luminance 0.2126 and 0.0722, encoded.
    void vision()
    {
        using enum Deficiency;
        const std::pair<Deficiency, const char*> rows[] = {
            {Protanopia, "FF0000 6d5f00"},    {Protanopia, "00FF00 ffe500"},
            {Protanopia, "0000FF 0059ff"},    {Deuteranopia, "FF0000 a39000"},
            {Deuteranopia, "00FF00 efd63a"},  {Deuteranopia, "0000FF 003dfb"},
            {Tritanopia, "FF0000 ff000f"},    {Tritanopia, "00FF00 00f7d9"},
            {Tritanopia, "0000FF 006b96"},    {Protanopia, "C89664 a69960"},
            {Deuteranopia, "C89664 b2a465"},  {Tritanopia, "C89664 d78b8a"},
            {Achromatopsia, "FF0000 7f7f7f"}, {Achromatopsia, "0000FF 4c4c4c"},
        };
        for (const auto& [deficiency, pair] : rows) {
            const QByteArray seen = Hex(ColourVision::Simulate(deficiency, Pair(pair).first));
            QCOMPARE(seen + ' ' + pair, QByteArray(pair).mid(7) + ' ' + pair);
        }
    }

    // Text, background, level: the fixed colour; "?" and the colour proposed
    // when none of the text's hue reaches the level; "-" when none at all does.
    void fix()
    {
        const std::tuple<const char*, double, const char*> rows[] = {
            {"777777 FFFFFF", 4.5, "767676"}, // darker
            {"777777 FFFFFF", 7, "595959"},
            {"707070 000000", 4.5, "757575"}, // lighter
            {"767676 FFFFFF", 4.5, "767676"}, // already enough
            // Both ways reach it; the nearer wins: 0.431 lighter against
            // 0.459 darker; 0.268 darker against 0.301 lighter.
            {"767676 767676", 4.5, "fefefe"},
            {"777777 777777", 3, "2e2e2e"},
            {"777777 777777", 4.5, "060606"}, // only darker
            {"FFFF00 FFFFFF", 21, "?000000"}, // black has no hue
            {"3B82F6 777777", 7, "-"},        // white 4.48, black 4.69
            {"000000 808080", 21, "-"},
        };
        for (const auto& [pair, level, expected] : rows) {
            const auto [text, background] = Pair(pair);
            const ContrastFix::Result r = ContrastFix::Find(text, background, level);
            using enum ContrastFix::Kind;
            const QByteArray shown = r.kind == Unreachable ? "-"
                                     : r.kind == Proposed  ? '?' + Hex(r.colour)
                                                           : Hex(r.colour);
            QCOMPARE(QByteArray(pair) + ' ' + shown, QByteArray(pair) + ' ' + expected);
            QVERIFY((r.kind == Reached) == (Hex(text) == expected));
        }
    }

    // Coloured texts on white keep their OKLCH hue within a degree and reach
    // the level; chroma goes only where sRGB cannot hold it at the new
    // lightness (the light, saturated orange and green), and the note says so.
    void fixKeepsHue()
    {
        const auto lch = [](Rgb8 c) { return ColourForms::FromRgb8(ColourForms::Form::Oklch, c); };
        const std::pair<const char*, bool> texts[] = {
            {"F59E0B", true}, {"10B981", true}, {"3B82F6", false}, {"F0503D", false}};
        for (const auto& [hex, cut] : texts)
            for (const double level : {4.5, 7.0}) {
                const auto [text, white] = Pair(QByteArray(hex) + " FFFFFF");
                const ContrastFix::Result r = ContrastFix::Find(text, white, level);
                const double turn = std::abs(lch(r.colour)[2] - lch(text)[2]);
                const double chromaLost = lch(text)[1] - lch(r.colour)[1];
                QVERIFY2(r.kind == ContrastFix::Kind::Fixed && r.ratio >= level &&
                             Contrast::Ratio(r.colour, white) == r.ratio && turn <= 1 &&
                             (level == 7 || cut == (chromaLost > 0.005)) && chromaLost > -0.005,
                         QByteArray(QByteArray(hex) + ' ' + QByteArray::number(level) + " gave " +
                                    Hex(r.colour) + " turned " + QByteArray::number(turn) +
                                    " chroma lost " + QByteArray::number(chromaLost))
                             .constData());
            }
        const auto note = [](const char* pair, double level) {
            const auto [text, background] = Pair(pair);
            return ContrastFixNote::Text(ContrastFix::Find(text, background, level), level);
        };
        const std::tuple<const char*, double, const char*> notes[] = {
            {"F59E0B FFFFFF", 4.5,
             "Corregido a #A76900 (4,50:1): luminosidad 0,769 → 0,575; croma reducido de 0,165 a "
             "0,125 para caber en sRGB; el tono se mantiene."},
            {"3B82F6 FFFFFF", 4.5,
             "Corregido a #2D72E5 (4,51:1): luminosidad 0,623 → 0,574; croma y tono se mantienen."},
            {"FFFF00 FFFFFF", 21,
             "Ningún color de este tono alcanza 21:1 con este fondo. El más cercano que lo alcanza "
             "es #000000 (21,00:1): «Usar la propuesta» lo aplica."},
            {"3B82F6 777777", 7,
             "Ningún color alcanza 7:1 con este fondo (el mejor da 4,68:1): no se ha cambiado "
             "nada."},
            {"767676 FFFFFF", 4.5, "El color ya alcanza 4,5:1 (4,54:1): no se ha cambiado nada."}};
        for (const auto& [pair, level, expected] : notes)
            QCOMPARE(note(pair, level), QString::fromUtf8(expected));
    }
};

QTEST_APPLESS_MAIN(TestContrast)
#include "test_contrast.moc"
