// SPDX-License-Identifier: MIT
#include "ColourAPI.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace ColourAPI;

class TestColourApi : public QObject
{
    Q_OBJECT
private slots:
    void codeChannel_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("value");
        QTest::newRow("red is the last pair") << "#0080FF" << 1 << 255;
        QTest::newRow("green") << "#0080FF" << 2 << 128;
        QTest::newRow("blue is the first pair") << "#0080FF" << 3 << 0;
        QTest::newRow("lower case") << "#ff8000" << 3 << 255;
        QTest::newRow("short code, one char") << "#12ab3" << 1 << 3;
        QTest::newRow("no hex digit") << "#GG0000" << 3 << 0;
        QTest::newRow("stops at non-hex") << "#1G0000" << 3 << 1;
        QTest::newRow("blank inside pair") << "#FFFF F" << 1 << 15;
        QTest::newRow("longer text") << "#0102030405" << 1 << 3;
        QTest::newRow("channel 0") << "#FFFFFF" << 0 << 0;
        QTest::newRow("channel 4") << "#FFFFFF" << 4 << 0;
    }

    void codeChannel()
    {
        QFETCH(QString, code);
        QFETCH(int, channel);
        QFETCH(int, value);
        QCOMPARE(CodeChannel(code, static_cast<qint16>(channel)), value);
    }

    void codeToColour()
    {
        QCOMPARE(CodeToColour(u"#0080FF"), 0x0080FF);
        QCOMPARE(CodeToColour(u"#FF0000"), 0xFF0000); // blue pair first
        QCOMPARE(CodeToColour(u"#0000FF12"), 0xFF);   // the length is not looked at
        QCOMPARE(CodeToColour(u"0080FF"), 0);         // no "#"
    }

    void roundTripEveryColour()
    {
        for (int r = 0; r < 256; ++r) {
            for (int g = 0; g < 256; ++g) {
                for (int b = 0; b < 256; ++b) {
                    const QString code = ComposeCode(qint16(r), qint16(g), qint16(b));
                    if (code.size() != 7 || CodeChannel(code, Red) != r ||
                        CodeChannel(code, Green) != g || CodeChannel(code, Blue) != b ||
                        CodeToColour(code) != r + 256 * g + 65536 * b) {
                        QFAIL(qPrintable(QString::asprintf("round trip fails for %d %d %d: %s", r,
                                                           g, b, qPrintable(code))));
                    }
                }
            }
        }
        // Pairs in upper case, padded to two digits.
        QCOMPARE(ComposeCode(255, 10, 0), QStringLiteral("#000AFF"));
    }

    void shapeTest()
    {
        QVERIFY(HasCodeShape(u"#FFFFFF"));
        QVERIFY(HasCodeShape(u"#GGGGGG")); // the characters after "#" are not looked at
        QVERIFY(!HasCodeShape(u"#12345"));
        QVERIFY(!HasCodeShape(u"#1234567"));
        QVERIFY(!HasCodeShape(u"1234567"));
        QVERIFY(!HasCodeShape(u""));
    }

    void textToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        const double huge = std::numeric_limits<double>::max();
        QTest::newRow("integer") << "12" << 12.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("second point ends") << "1.2.3" << 1.2;
        QTest::newRow("exponent E") << "1e2" << 100.0;
        QTest::newRow("exponent D, sign") << "25D-1" << 2.5;
        QTest::newRow("exponent without digits") << "1e+" << 1.0;
        QTest::newRow("blanks, tabs, LF anywhere") << "- 1 \t2\n3 " << -123.0;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("trailing text") << "42abc" << 42.0;
        QTest::newRow("leading text") << "abc42" << 0.0;
        QTest::newRow("non-ascii digit") << QString::fromUtf8("\xd9\xa3") << 0.0;
        QTest::newRow("hex, blanks, lower case") << "& h f F" << 255.0;
        QTest::newRow("hex 16-bit signed") << "&H8000" << -32768.0;
        QTest::newRow("hex 17 bits") << "&H10000" << 65536.0;
        QTest::newRow("hex 32-bit signed") << "&HFFFFFFFF" << -1.0;
        QTest::newRow("hex stops") << "&H1G" << 1.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("octal 16-bit signed") << "&O177777" << -1.0;
        QTest::newRow("ampersand other") << "&X1" << 0.0;
        QTest::newRow("huge exponent") << "1e999999999999999999" << huge;
        QTest::newRow("huge negative") << "-9e400" << -huge;
        QTest::newRow("many digits") << QString(400, QLatin1Char('9')) << huge;
        QTest::newRow("tiny") << "1e-999" << 0.0;
        QTest::newRow("big but fits") << "1" + QString(300, QLatin1Char('0')) << 1e300;
        QTest::newRow("long hex") << "&H" + QString(40, QLatin1Char('F')) << 18446744073709551615.0;
    }

    void textToNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        const double read = TextToNumber(text);
        QVERIFY(std::isfinite(read));
        QCOMPARE(read, number);
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("2.5 to even") << 2.5 << 2;
        QTest::newRow("3.5 to even") << 3.5 << 4;
        QTest::newRow("-0.5 to even") << -0.5 << 0;
        QTest::newRow("-1.5 to even") << -1.5 << -2;
        QTest::newRow("above half") << 2.51 << 3;
        QTest::newRow("upper limit") << 32767.4 << 32767;
        QTest::newRow("saturates up") << 1e12 << 32767;
        QTest::newRow("saturates down") << -1e12 << -32768;
        QTest::newRow("infinity") << qInf() << 32767;
        QTest::newRow("nan") << qQNaN() << 0;
    }

    void rounding()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(RoundToInteger(value), rounded);
    }
};

QTEST_APPLESS_MAIN(TestColourApi)
#include "test_colour_api.moc"
