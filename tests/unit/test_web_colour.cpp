// SPDX-License-Identifier: MIT
#include "WebColour.h"

#include <QTest>

using namespace WebColour;

class TestWebColour : public QObject
{
    Q_OBJECT
private slots:
    // Expected ratios from the WCAG 2 formula worked out by hand.
    void contrast_data()
    {
        QTest::addColumn<QList<int>>("pair"); // red, green, blue of each colour
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, QList<int> pair, double ratio, const char* text) {
            QTest::newRow(name) << pair << ratio << QString::fromUtf8(text);
        };
        row("black on white", {0, 0, 0, 255, 255, 255}, 21.0, "Contraste 21.0:1 — AAA");
        row("white on black, same", {255, 255, 255, 0, 0, 0}, 21.0, "Contraste 21.0:1 — AAA");
        row("#595959 just AAA", {89, 89, 89, 255, 255, 255}, 7.0047, "Contraste 7.0:1 — AAA");
        row("#767676 just AA", {118, 118, 118, 255, 255, 255}, 4.5422, "Contraste 4.5:1 — AA");
        row("#777777 misses AA, cut not rounded", {119, 119, 119, 255, 255, 255}, 4.4781,
            "Contraste 4.4:1 — AA solo para texto grande");
        row("dark and light blue", {18, 52, 86, 171, 205, 239}, 7.6973, "Contraste 7.6:1 — AAA");
        row("red on white", {255, 0, 0, 255, 255, 255}, 3.9985,
            "Contraste 3.9:1 — AA solo para texto grande");
        row("same colour", {128, 128, 128, 128, 128, 128}, 1.0,
            "Contraste 1.0:1 — insuficiente para texto");
    }

    void contrast()
    {
        QFETCH(QList<int>, pair);
        QFETCH(double, ratio);
        QFETCH(QString, text);
        const double measured = ContrastRatio(RelativeLuminance(pair[0], pair[1], pair[2]),
                                              RelativeLuminance(pair[3], pair[4], pair[5]));
        QVERIFY2(qAbs(measured - ratio) < 1e-4, qPrintable(QString::number(measured)));
        QCOMPARE(ContrastText(measured), text);
    }
};

QTEST_APPLESS_MAIN(TestWebColour)
#include "test_web_colour.moc"
