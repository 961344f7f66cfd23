// SPDX-License-Identifier: MIT
#include "ColourAPI.h"

#include <QTest>
#include <cfloat>

using namespace ColourAPI;

// Compares a result with the expected one, both shown with their input.
#define COMPARE_FOR(input, actual, expected)                                                       \
    QCOMPARE(QString(input) + " -> " + QVariant(actual).toString(),                                \
             QString(input) + " -> " + QVariant(expected).toString())

// The colour-code rules and the reading of numbers from text, one table each.
class TestColourApi : public QObject
{
    Q_OBJECT
private slots:
    // A code's channels 1 to 3 (red, green, blue), channels 0 and 4, the
    // packed colour (0xBBGGRR) and whether it has a code's shape.
    void codes()
    {
        // clang-format off
        const QString cases[][2] = {
            {"#0080FF", "255 128 0 0 0x80ff shape"}, {"#ff8000", "0 128 255 0 0xff8000 shape"},
            {"#12ab3", "3 171 18 0 0x12ab03"}, {"#1G0A0X", "0 10 1 0 0x10a00 shape"},
            {"#FFFF F", "15 255 255 0 0xffff0f shape"}, {"#0102030405", "3 2 1 0 0x10203"},
            {"0080FF", "15 15 8 0 0x0"}, {"#GGGGGG", "0 0 0 0 0x0 shape"}, {"", "0 0 0 0 0x0"}};
        // clang-format on
        for (const auto& [code, expected] : cases) {
            const QString seen = QString::asprintf(
                "%d %d %d %d %#x%s", CodeChannel(code, Red), CodeChannel(code, Green),
                CodeChannel(code, Blue), CodeChannel(code, 0) + CodeChannel(code, 4),
                CodeToColour(code), HasCodeShape(code) ? " shape" : "");
            COMPARE_FOR(code, seen, expected);
        }
    }

    // Blanks, tabs and line feeds are skipped anywhere; "&H" and "&O"
    // integers read signed up to 16 bits and up to 32 bits.
    void textToNumber()
    {
        // clang-format off
        const std::pair<QString, double> cases[] = {
            {"12", 12}, {"", 0}, {"-", 0}, {"+7", 7}, {".5", 0.5}, {"1.2.3", 1.2}, {"1e2", 100},
            {"25D-1", 2.5}, {"1e+", 1}, {"- 1 \t2\n3 ", -123}, {"1\r2", 1}, {"42abc", 42},
            {"abc42", 0}, {QString::fromUtf8("\xd9\xa3"), 0}, {"& h f F", 255}, {"&H8000", -32768},
            {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&H1G", 1}, {"&O78", 7}, {"&O177777", -1},
            {"&X1", 0}, {"1e999999999999999999", DBL_MAX}, {"-9e400", -DBL_MAX}, {"0.0005e312", DBL_MAX},
            {QString(400, '9'), DBL_MAX}, {"1e-999", 0}, {"1" + QString(300, '0'), 1e300},
            {"&H" + QString(40, 'F'), 18446744073709551615.0}};
        // clang-format on
        for (const auto& [text, number] : cases)
            COMPARE_FOR(text, TextToNumber(text), number);
    }

    void rounding()
    {
        const std::pair<double, int> cases[] = {
            {2.5, 2},         {3.5, 4},      {-0.5, 0},       {-1.5, -2},      {2.51, 3},
            {32767.4, 32767}, {1e12, 32767}, {-1e12, -32768}, {qInf(), 32767}, {qQNaN(), 0}};
        for (const auto& [value, rounded] : cases)
            COMPARE_FOR(QString::number(value), int(RoundToInteger(value)), rounded);
    }
};

QTEST_APPLESS_MAIN(TestColourApi)
#include "test_colour_api.moc"
