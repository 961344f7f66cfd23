#include "ColourAPI.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace ColourAPI;

class TestColourApi : public QObject
{
    Q_OBJECT
private slots:
    void hexPair_data();
    void hexPair();
    void codeChannel_data();
    void codeChannel();
    void codeToColour_data();
    void codeToColour();
    void roundTripEveryColour();
    void shapeTest_data();
    void shapeTest();
    void textToNumber_data();
    void textToNumber();
    void textToNumberNeverOverflows_data();
    void textToNumberNeverOverflows();
    void rounding_data();
    void rounding();
};

void TestColourApi::hexPair_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("pair");
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("10") << 10 << "0A";
    QTest::newRow("15") << 15 << "0F";
    QTest::newRow("16") << 16 << "10";
    QTest::newRow("128") << 128 << "80";
    QTest::newRow("255") << 255 << "FF";
}

void TestColourApi::hexPair()
{
    QFETCH(int, value);
    QFETCH(QString, pair);
    QCOMPARE(HexPair(static_cast<qint16>(value)), pair);
}

void TestColourApi::codeChannel_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("value");
    QTest::newRow("red is the last pair") << "#0080FF" << 1 << 255;
    QTest::newRow("green") << "#0080FF" << 2 << 128;
    QTest::newRow("blue is the first pair") << "#0080FF" << 3 << 0;
    QTest::newRow("short code, one char") << "#12ab3" << 1 << 3;
    QTest::newRow("no hex digit") << "#GG0000" << 3 << 0;
    QTest::newRow("stops at non-hex") << "#1G0000" << 3 << 1;
    QTest::newRow("lower case blue") << "#ff8000" << 3 << 255;
    QTest::newRow("lower case green") << "#ff8000" << 2 << 128;
    QTest::newRow("lower case red") << "#ff8000" << 1 << 0;
    QTest::newRow("five F red") << "#FFFFF" << 1 << 15;
    QTest::newRow("five F green") << "#FFFFF" << 2 << 255;
    QTest::newRow("hash alone") << "#" << 3 << 0;
    QTest::newRow("empty") << "" << 1 << 0;
    QTest::newRow("channel 0") << "#FFFFFF" << 0 << 0;
    QTest::newRow("channel 4") << "#FFFFFF" << 4 << 0;
    QTest::newRow("channel -1") << "#FFFFFF" << -1 << 0;
    QTest::newRow("hello blue") << "hello" << 3 << 14;
    QTest::newRow("longer text") << "#0102030405" << 1 << 3;
    QTest::newRow("blank inside pair") << "#FFFF F" << 1 << 15;
}

void TestColourApi::codeChannel()
{
    QFETCH(QString, code);
    QFETCH(int, channel);
    QFETCH(int, value);
    QCOMPARE(CodeChannel(code, static_cast<qint16>(channel)), value);
}

void TestColourApi::codeToColour_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("colour");
    QTest::newRow("orange") << "#0080FF" << 33023;
    QTest::newRow("no hash") << "0080FF" << 0;
    QTest::newRow("white") << "#FFFFFF" << 0xFFFFFF;
    QTest::newRow("hash alone") << "#" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blue pair first") << "#FF0000" << 0xFF0000;
    QTest::newRow("length not tested") << "#0000FF12" << 0xFF;
}

void TestColourApi::codeToColour()
{
    QFETCH(QString, code);
    QFETCH(int, colour);
    QCOMPARE(CodeToColour(code), colour);
}

void TestColourApi::roundTripEveryColour()
{
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const QString code = ComposeCode(qint16(r), qint16(g), qint16(b));
                if (code.size() != 7 || CodeChannel(code, Red) != r ||
                    CodeChannel(code, Green) != g || CodeChannel(code, Blue) != b ||
                    CodeToColour(code) != r + 256 * g + 65536 * b) {
                    QFAIL(qPrintable(QStringLiteral("round trip fails for %1 %2 %3: %4")
                                         .arg(r)
                                         .arg(g)
                                         .arg(b)
                                         .arg(code)));
                }
            }
        }
    }
    QCOMPARE(ComposeCode(255, 128, 0), QStringLiteral("#0080FF"));
}

void TestColourApi::shapeTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("code") << "#FFFFFF" << true;
    QTest::newRow("not hex still passes") << "#GGGGGG" << true;
    QTest::newRow("six chars") << "#12345" << false;
    QTest::newRow("eight chars") << "#1234567" << false;
    QTest::newRow("no hash") << "1234567" << false;
    QTest::newRow("empty") << "" << false;
}

void TestColourApi::shapeTest()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(HasCodeShape(text), passes);
}

void TestColourApi::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("decimal") << "3.5" << 3.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("exponent E") << "1e2" << 100.0;
    QTest::newRow("exponent D") << "1D2" << 100.0;
    QTest::newRow("exponent sign") << "25E-1" << 2.5;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("blanks anywhere") << " 1 \t2\n3 " << 123.0;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("trailing text") << "42abc" << 42.0;
    QTest::newRow("leading text") << "abc42" << 0.0;
    QTest::newRow("hex") << "&HFF" << 255.0;
    QTest::newRow("hex lower") << "&hff" << 255.0;
    QTest::newRow("hex 16-bit signed") << "&HFFFF" << -1.0;
    QTest::newRow("hex 8000") << "&H8000" << -32768.0;
    QTest::newRow("hex 17 bits") << "&H10000" << 65536.0;
    QTest::newRow("hex 32-bit signed") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("hex stops") << "&H1G" << 1.0;
    QTest::newRow("hex no digits") << "&H" << 0.0;
    QTest::newRow("hex blanks") << "& H F F" << 255.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O78" << 7.0;
    QTest::newRow("octal 16-bit signed") << "&O177777" << -1.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("ampersand other") << "&X1" << 0.0;
    QTest::newRow("zero") << "000" << 0.0;
    QTest::newRow("non-ascii digit") << QString::fromUtf8("\xd9\xa3") << 0.0;
}

void TestColourApi::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(TextToNumber(text), number);
}

void TestColourApi::textToNumberNeverOverflows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    const double huge = std::numeric_limits<double>::max();
    QTest::newRow("huge exponent") << "1e999999999999999999" << huge;
    QTest::newRow("huge negative") << "-9e400" << -huge;
    QTest::newRow("many digits") << QString(400, QLatin1Char('9')) << huge;
    QTest::newRow("tiny") << "1e-999" << 0.0;
    QTest::newRow("tiny digits") << "0." + QString(400, QLatin1Char('0')) + "1" << 0.0;
    QTest::newRow("big but fits") << "1" + QString(300, QLatin1Char('0')) << 1e300;
    QTest::newRow("long hex") << "&H" + QString(40, QLatin1Char('F')) << 18446744073709551615.0;
}

void TestColourApi::textToNumberNeverOverflows()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    const double read = TextToNumber(text);
    QVERIFY(std::isfinite(read));
    QCOMPARE(read, number);
}

void TestColourApi::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("2.5 to even") << 2.5 << 2;
    QTest::newRow("3.5 to even") << 3.5 << 4;
    QTest::newRow("254.5 to even") << 254.5 << 254;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("below half") << 2.49 << 2;
    QTest::newRow("above half") << 2.51 << 3;
    QTest::newRow("upper limit") << 32767.4 << 32767;
    QTest::newRow("saturates up") << 1e12 << 32767;
    QTest::newRow("saturates down") << -1e12 << -32768;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 32767;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestColourApi::rounding()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(RoundToInteger(value), rounded);
}

QTEST_APPLESS_MAIN(TestColourApi)
#include "test_colour_api.moc"
