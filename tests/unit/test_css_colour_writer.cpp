// SPDX-License-Identifier: MIT
// Writing CSS colours, the conversions behind them and the round trip.
// Reference values come from the CSS Color 4 text and from Björn Ottosson's
// XYZ to Oklab table.
#include "ColourForms.h"
#include "ColourSpaces.h"
#include "CssColourReader.h"
#include "CssColourWriter.h"
#include "CssForms.h"

#include <QRegularExpression>
#include <QTest>

using namespace Colour;

namespace {

Rgb8 Hex(const QString& rrggbb)
{
    const uint v = rrggbb.toUInt(nullptr, 16);
    return {int(v >> 16), int((v >> 8) & 0xFF), int(v & 0xFF)};
}

// Every text a writer format may give, as a pattern: lower-case name, single
// spaces, numbers without trailing zeros, "%" only where CSS wants it.
const char* const Shapes[] = {"#[0-9A-F]{6}",       "rgb\\(\\d+, \\d+, \\d+\\)",
                              "hsl\\(N, N%, N%\\)", "hwb\\(N N% N%\\)",
                              "lab\\(N N N\\)",     "lch\\(N N N\\)",
                              "oklab\\(N N N\\)",   "oklch\\(N N N\\)",
                              "(≈ )?[a-z]+",        "#[0-9A-F]{6}"};

// Whether every number of a written function is as short as it can be: the
// exact value with one decimal fewer, put in its place, reads back as
// another colour, or lands within 1e-6 of a step of a half.
bool NoNumberShorter(Rgb8 colour, CssFormat format, const QString& text)
{
    const CssForms::Row& row = CssForms::Rows[std::size_t(format)];
    const Triple exact = ColourForms::FromRgb8(row.form, colour);
    const QRegularExpression number(QStringLiteral("-?\\d+(\\.\\d+)?"));
    auto match = number.globalMatch(text);
    for (int i = 0; match.hasNext(); ++i) {
        const QRegularExpressionMatch m = match.next();
        const int decimals = int(m.capturedLength(1)) - 1;
        if (decimals <= 0) {
            continue;
        }
        double fewer =
            std::round(exact[i] * std::pow(10, decimals - 1)) / std::pow(10, decimals - 1);
        fewer = (i == CssForms::HueIndex(row) && fewer == 360) ? 0 : fewer;
        QString shorter = text;
        shorter.replace(m.capturedStart(), m.capturedLength(),
                        QString::number(fewer, 'f', decimals - 1));
        const Outcome<CssColour> back = ReadCssColour(shorter);
        if (back && back->colour == colour && !back->mapped && !back->nearHalf) {
            return false;
        }
    }
    return true;
}

} // namespace

class TestCssColourWriter : public QObject
{
    Q_OBJECT

private slots:
    void writes_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        // clang-format off
        const char* const rows[][3] = {
            {"ff8000", "hex", "#FF8000"}, {"ff8000", "CODE", "#0080FF"},
            // No channel on a half step: hsl(30, 100%, 50%) has green 127.5,
            // hsl(238, 100%, 50%) green 8.5, hsl(0, 0%, 50%) grey 127.5.
            {"ff8000", "rgb", "rgb(255, 128, 0)"}, {"ff8000", "hsl", "hsl(30.1, 100%, 50%)"},
            {"ff8000", "hwb", "hwb(30.1 0% 0%)"}, {"808080", "hsl", "hsl(0, 0%, 50.2%)"},
            {"0008ff", "hsl", "hsl(238.1, 100%, 50%)"}, {"0008ff", "hwb", "hwb(238.1 0% 0%)"},
            // lch(56 88.3 28) has red a hair over 1 and green 36.5000005.
            {"ff2545", "lch", "lch(56 88.3 28.1)"},
            {"808080", "oklch", "oklch(0.6 0 0)"}, {"808080", "name", "gray"},
            {"00ffff", "name", "aqua"}, {"ff00ff", "name", "fuchsia"},
            {"010101", "name", "≈ black"}, {"000000", "lab", "lab(0 0 0)"},
            {"ffffff", "oklab", "oklab(1 0 0)"}};
        // clang-format on
        for (const auto& r : rows) {
            QTest::newRow(qPrintable(QString::fromLatin1(r[0]) + u' ' + QLatin1String(r[1])))
                << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1])
                << QString::fromUtf8(r[2]);
        }
    }

    void writes()
    {
        QFETCH(QString, colour);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(WriteCssColour(Hex(colour), *CssFormatFromName(format)), expected);
    }

    // A colour outside sRGB is also kept clipped, as browsers paint it today.
    void writesBothColoursOutsideSrgb()
    {
        const char* const rows[][2] = {
            {"oklch(0.7 0.4 150)", "CSS: #00C248, recortado como lo pintan hoy los navegadores: "
                                   "#00D600"},
            {"color(srgb 1.2 0.3 -0.2)", "CSS: #FF7E51, recortado como lo pintan hoy los "
                                         "navegadores: #FF4D00"},
            {"color(srgb 1.001 0.3 0.2)", ""},
            {"rgb(300 0 0)", ""}};
        for (const auto& [text, both] : rows) {
            QCOMPARE(WriteBothColours(*ReadCssColour(QString::fromUtf8(text))),
                     QString::fromUtf8(both));
        }
    }

    void roundTripsASampleOfTheCube()
    {
        QList<int> levels{0, 1, 2, 127, 128, 253, 254, 255};
        for (int v = 5; v < 255; v += 14) {
            levels.append(v);
        }
        for (int f = 0; f < 10; ++f) {
            const QRegularExpression shape(u'^' +
                                           QString::fromUtf8(Shapes[f]).replace(
                                               u'N', QStringLiteral("-?\\d+(\\.\\d*[1-9])?")) +
                                           u'$');
            for (int r : levels) {
                for (int g : levels) {
                    for (int b : levels) {
                        const QString text = WriteCssColour({r, g, b}, CssFormat(f));
                        QVERIFY2(shape.match(text).hasMatch(), qPrintable(text));
                        if (f == int(CssFormat::Name) || f == int(CssFormat::Code)) {
                            continue;
                        }
                        const Outcome<CssColour> back = ReadCssColour(text);
                        QVERIFY2(back && back->colour == (Rgb8{r, g, b}) && !back->nearHalf,
                                 qPrintable(text));
                        if (f >= int(CssFormat::Hsl) && (r + g + b) % 3 == 0) {
                            QVERIFY2(NoNumberShorter({r, g, b}, CssFormat(f), text),
                                     qPrintable(text));
                        }
                    }
                }
            }
        }
    }

    void formatNames()
    {
        for (int f = 0; f < 10; ++f) {
            QCOMPARE(CssFormatFromName(QString::fromUtf16(CssForms::Rows[f].name).toUpper()),
                     CssFormat(f));
        }
        QCOMPARE(CssFormatFromName(u"okl"), std::nullopt);
    }

    void convertsLikeThePublishedValues()
    {
        // Ottosson's XYZ (D65) to Oklab examples, three decimals.
        const double table[][6] = {{0.950, 1.000, 1.089, 1.000, 0.000, 0.000},
                                   {1.000, 0.000, 0.000, 0.450, 1.236, -0.019},
                                   {0.000, 1.000, 0.000, 0.922, -0.671, 0.263},
                                   {0.000, 0.000, 1.000, 0.153, -1.415, -0.449}};
        for (const auto& t : table) {
            const Triple lab = ColourSpaces::XyzToOklab({t[0], t[1], t[2]});
            for (int i = 0; i < 3; ++i) {
                QVERIFY(std::abs(lab[i] - t[3 + i]) < 0.0015);
            }
        }
        const Triple blue = ColourForms::FromRgb8(ColourForms::Form::Lab, {0, 0, 255});
        // The text gives blue as lab(29.567% 68.298 -112.0294), from older matrices.
        for (int i = 0; i < 3; ++i) {
            QVERIFY(std::abs(blue[i] - std::array{29.567, 68.298, -112.0294}[i]) < 0.02);
        }
        const Triple oklch = ColourForms::FromRgb8(ColourForms::Form::Oklch, {0, 0, 255});
        QVERIFY(std::abs(oklch[0] - 0.452) < 0.0005 && std::abs(oklch[2] - 264.1) < 0.05);
        const Triple hsl = ColourForms::FromRgb8(ColourForms::Form::Hsl, {255, 128, 0});
        QVERIFY(std::abs(hsl[0] - 60 * 128 / 255.0) < 1e-9 && hsl[1] == 100 && hsl[2] == 50);
        QCOMPARE(ColourForms::ToRgb8(ColourForms::Form::Hsl, {30, 100, 25}).colour,
                 (Rgb8{128, 64, 0}));
        QVERIFY(ColourForms::ToRgb8(ColourForms::Form::Oklch, {0.7, 0.4, 150}).mapped);
        // Display-p3 green keeps its lower Oklab lightness (0.849 against lime's
        // 0.866) instead of being clipped to lime.
        const Outcome<CssColour> p3 = ReadCssColour(u"color(display-p3 0 1 0)");
        QVERIFY(p3->mapped && p3->colour.red < 10 && p3->colour.green < 255 &&
                p3->colour.blue > 20);
    }
};

QTEST_APPLESS_MAIN(TestCssColourWriter)
#include "test_css_colour_writer.moc"
