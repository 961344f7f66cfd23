// SPDX-License-Identifier: MIT
#include "WebColour.h"

#include <QTest>

using namespace WebColour;

// Each row: a colour's CSS forms, and its contrast with a second colour (the
// ratios worked out by hand from the WCAG 2 formula).
class TestWebColour : public QObject
{
    Q_OBJECT
private slots:
    void formsAndContrast_data()
    {
        QTest::addColumn<QList<int>>("pair"); // red, green, blue of each colour
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("texts"); // #RRGGBB, rgb(), hsl() of the first
        const auto row = [](const char* name, QList<int> pair, double ratio, const char* texts) {
            QTest::newRow(name) << pair << ratio << QString::fromUtf8(texts);
        };
        row("orange on black, red first", {255, 128, 0, 0, 0, 0}, 8.3397,
            "#FF8000 rgb(255, 128, 0) hsl(30, 100%, 50%)");
        row("white on black", {255, 255, 255, 0, 0, 0}, 21,
            "#FFFFFF rgb(255, 255, 255) hsl(0, 0%, 100%)");
        row("pink on black, hue just below 360", {255, 0, 128, 0, 0, 0}, 5.5637,
            "#FF0080 rgb(255, 0, 128) hsl(330, 100%, 50%)");
        row("#777777 on white", {119, 119, 119, 255, 255, 255}, 4.4781,
            "#777777 rgb(119, 119, 119) hsl(0, 0%, 47%)");
        row("dark brown on itself", {30, 20, 10, 30, 20, 10}, 1,
            "#1E140A rgb(30, 20, 10) hsl(30, 50%, 8%)");
    }

    void formsAndContrast()
    {
        QFETCH(QList<int>, pair);
        QFETCH(double, ratio);
        QFETCH(QString, texts);
        const double measured = ContrastRatio(RelativeLuminance(pair[0], pair[1], pair[2]),
                                              RelativeLuminance(pair[3], pair[4], pair[5]));
        QVERIFY2(qAbs(measured - ratio) < 1e-4, qPrintable(QString::number(measured)));
        QCOMPARE(QStringList({CssHex(pair[0], pair[1], pair[2]), CssRgb(pair[0], pair[1], pair[2]),
                              CssHsl(pair[0], pair[1], pair[2])})
                     .join(' '),
                 texts);
    }
};

QTEST_APPLESS_MAIN(TestWebColour)
#include "test_web_colour.moc"
