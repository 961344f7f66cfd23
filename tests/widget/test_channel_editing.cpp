#include "ColourBox.h"
#include "MainColor.h"
#include "TextBox.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

// Drives the channel controls of the real main window as a user does and
// checks every control of the editor afterwards.
class TestChannelEditing : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsWhite();
    void typingIntoValueBox_data();
    void typingIntoValueBox();
    void textThatReadsAsTheSliderValueStays();
    void pastedNegativeResetsToZero();
    void slidersByArrowTroughAndKeyboard();
    void draggingTheThumb();
    void applyCode_data();
    void applyCode();
    void applyLowerCaseWhenAlreadyShown();
    void clickSelectsWholeText();
    void settingSameTextKeepsCaretAndSelection();

private:
    // Checks sliders, value boxes, code box and sample all at once.
    void verifyEditor(int red, int green, int blue, const QStringList& boxes, const QString& code);

    std::unique_ptr<MainColor> m_window;
    const ChannelControls* c = nullptr;
};

void TestChannelEditing::init()
{
    m_window = std::make_unique<MainColor>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    c = &m_window->Channels();
}

void TestChannelEditing::cleanup()
{
    m_window.reset();
}

void TestChannelEditing::verifyEditor(int red, int green, int blue, const QStringList& boxes,
                                      const QString& code)
{
    QCOMPARE(c->CScroll[0]->value(), red);
    QCOMPARE(c->CScroll[1]->value(), green);
    QCOMPARE(c->CScroll[2]->value(), blue);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(c->SValue[i]->text(), boxes[i]);
    }
    QCOMPARE(c->Res->text(), code);
    QCOMPARE(c->Preview->BackColour(), QColor(red, green, blue));
}

void TestChannelEditing::startsWhite()
{
    verifyEditor(255, 255, 255, {"255", "255", "255"}, "#FFFFFF");
}

void TestChannelEditing::typingIntoValueBox_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");
    QTest::newRow("12 into green") << 1 << "12" << 12 << "12"
                                   << "#FF0CFF";
    QTest::newRow("300 resets to 0") << 0 << "300" << 0 << "0"
                                     << "#FFFF00";
    QTest::newRow("3.5 rounds up, rewritten") << 2 << "3.5" << 4 << "4"
                                              << "#04FFFF";
    QTest::newRow("1e2 reads 100") << 1 << "1e2" << 100 << "100"
                                   << "#FF64FF";
    QTest::newRow("lone minus reads 0") << 0 << "-" << 0 << "0"
                                        << "#FFFF00";
    QTest::newRow("fourth character refused") << 2 << "1234" << 123 << "123"
                                              << "#7BFFFF";
    QTest::newRow("256 resets to 0") << 1 << "256" << 0 << "0"
                                     << "#FF00FF";
}

void TestChannelEditing::typingIntoValueBox()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(QString, code);

    TypeInto(c->SValue[box], typed);

    int values[3] = {255, 255, 255};
    QStringList boxes = {"255", "255", "255"};
    values[box] = value;
    boxes[box] = shown;
    verifyEditor(values[0], values[1], values[2], boxes, code);
}

void TestChannelEditing::textThatReadsAsTheSliderValueStays()
{
    TextBox* green = c->SValue[1];
    const auto verifyGreen = [&](int value, const QString& shown) {
        const QString pair = ColourAPI::HexPair(static_cast<qint16>(value));
        verifyEditor(255, value, 255, {"255", shown, "255"}, "#FF" + pair + "FF");
    };

    TypeInto(green, "2");
    QTest::keyClicks(green, ".5"); // 2.5 rounds to the even 2: no change
    verifyGreen(2, "2.5");

    TypeInto(green, "7");
    QTest::keyClick(green, Qt::Key_Home);
    QTest::keyClick(green, Qt::Key_0);
    verifyGreen(7, "07");

    TypeInto(green, "0");
    QTest::keyClick(green, Qt::Key_Backspace);
    verifyGreen(0, "");

    TypeInto(green, "-");
    verifyGreen(0, "-");
}

void TestChannelEditing::pastedNegativeResetsToZero()
{
    QApplication::clipboard()->setText(QStringLiteral("-1"));
    QTest::mouseClick(c->SValue[2], Qt::LeftButton);
    QTest::keyClick(c->SValue[2], Qt::Key_V, Qt::ControlModifier);
    verifyEditor(255, 255, 0, {"255", "255", "0"}, "#00FFFF");

    // A paste longer than the box allows is cut to three characters.
    QApplication::clipboard()->setText(QStringLiteral("12345"));
    QTest::mouseClick(c->SValue[0], Qt::LeftButton);
    QTest::keyClick(c->SValue[0], Qt::Key_V, Qt::ControlModifier);
    verifyEditor(123, 255, 0, {"123", "255", "0"}, "#00FF7B");
}

void TestChannelEditing::slidersByArrowTroughAndKeyboard()
{
    QScrollBar* red = c->CScroll[0];
    ClickPart(red, QStyle::SC_ScrollBarSubLine);
    verifyEditor(254, 255, 255, {"254", "255", "255"}, "#FFFFFE");
    ClickPart(red, QStyle::SC_ScrollBarSubPage);
    verifyEditor(249, 255, 255, {"249", "255", "255"}, "#FFFFF9");
    ClickPart(red, QStyle::SC_ScrollBarAddPage);
    verifyEditor(254, 255, 255, {"254", "255", "255"}, "#FFFFFE");
    ClickPart(red, QStyle::SC_ScrollBarAddPage);
    verifyEditor(255, 255, 255, {"255", "255", "255"}, "#FFFFFF");
    ClickPart(red, QStyle::SC_ScrollBarAddLine); // stays at the end of the range
    verifyEditor(255, 255, 255, {"255", "255", "255"}, "#FFFFFF");

    QScrollBar* blue = c->CScroll[2];
    blue->setFocus();
    QTest::keyClick(blue, Qt::Key_Left);
    verifyEditor(255, 255, 254, {"255", "255", "254"}, "#FEFFFF");
    QTest::keyClick(blue, Qt::Key_Home);
    verifyEditor(255, 255, 0, {"255", "255", "0"}, "#00FFFF");
    QTest::keyClick(blue, Qt::Key_Left); // stays at the start of the range
    QTest::keyClick(blue, Qt::Key_Right);
    verifyEditor(255, 255, 1, {"255", "255", "1"}, "#01FFFF");
}

void TestChannelEditing::draggingTheThumb()
{
    QScrollBar* green = c->CScroll[1];
    const QPoint thumb = ScrollBarPart(green, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(green, Qt::LeftButton, Qt::NoModifier, thumb);
    QVERIFY(green->isSliderDown());
    QTest::mouseMove(green, thumb - QPoint(60, 0));
    // While the thumb is held, the other controls already follow it.
    const int dragged = green->value();
    QVERIFY(dragged < 255);
    verifyEditor(255, dragged, 255, {"255", QString::number(dragged), "255"},
                 "#FF" + ColourAPI::HexPair(static_cast<qint16>(dragged)) + "FF");
    QTest::mouseRelease(green, Qt::LeftButton, Qt::NoModifier, thumb - QPoint(60, 0));
    QVERIFY(!green->isSliderDown());
    verifyEditor(255, dragged, 255, {"255", QString::number(dragged), "255"},
                 "#FF" + ColourAPI::HexPair(static_cast<qint16>(dragged)) + "FF");
}

void TestChannelEditing::applyCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("rgb");
    QTest::addColumn<QString>("code");
    QTest::newRow("orange") << "#0080FF" << QList<int>{255, 128, 0} << "#0080FF";
    QTest::newRow("last pair is red") << "#0000FF" << QList<int>{255, 0, 0} << "#0000FF";
    QTest::newRow("first pair is blue") << "#FF0000" << QList<int>{0, 0, 255} << "#FF0000";
    QTest::newRow("lower case") << "#ff8000" << QList<int>{0, 128, 255} << "#FF8000";
    QTest::newRow("non-hex reads leading digits") << "#GG1G0A" << QList<int>{10, 1, 0} << "#00010A";
    QTest::newRow("six characters ignored") << "#12345" << QList<int>{255, 255, 255} << "#12345";
    QTest::newRow("no hash ignored") << "X0080FF" << QList<int>{255, 255, 255} << "X0080FF";
}

void TestChannelEditing::applyCode()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, rgb);
    QFETCH(QString, code);

    TypeInto(c->Res, typed);
    QTest::mouseClick(c->CmdGo, Qt::LeftButton);

    const auto box = [&](int i) { return QString::number(rgb[i]); };
    verifyEditor(rgb[0], rgb[1], rgb[2], {box(0), box(1), box(2)}, code);
}

void TestChannelEditing::applyLowerCaseWhenAlreadyShown()
{
    TypeInto(c->Res, QStringLiteral("#FF8000"));
    QTest::mouseClick(c->CmdGo, Qt::LeftButton);
    TypeInto(c->Res, QStringLiteral("#ff8000"));
    // Alt+V presses "Ver" from the code box, as the user would.
    QTest::keyClick(m_window.get(), Qt::Key_V, Qt::AltModifier);
    verifyEditor(0, 128, 255, {"0", "128", "255"}, "#ff8000");
}

void TestChannelEditing::clickSelectsWholeText()
{
    for (TextBox* box : {c->SValue[0], c->SValue[1], c->SValue[2], c->Res}) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(3, box->height() / 2));
        QCOMPARE(box->selectedText(), box->text());
        QCOMPARE(box->selectionStart(), 0);
    }
}

void TestChannelEditing::settingSameTextKeepsCaretAndSelection()
{
    c->Res->setSelection(2, 3);
    c->SValue[0]->setCursorPosition(1);
    // A chain that rewrites the value box and the code box with what they
    // already hold must leave the user's caret and selection alone.
    m_window->Editor()->CScroll_Change(0);
    m_window->Editor()->SValue_Change(0);
    QCOMPARE(c->SValue[0]->cursorPosition(), 1);
    QVERIFY(!c->SValue[0]->hasSelectedText());
    QCOMPARE(c->Res->selectionStart(), 2);
    QCOMPARE(c->Res->selectedText(), QStringLiteral("FFF"));
}

QTEST_MAIN(TestChannelEditing)
#include "test_channel_editing.moc"
