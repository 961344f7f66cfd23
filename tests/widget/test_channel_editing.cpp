// SPDX-License-Identifier: MIT
#include "ColourBox.h"
#include "MainColor.h"
#include "StepScrollStyle.h"
#include "TextBox.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <memory>

// Drives the channel controls of the real main window as a user does and
// checks every control of the editor afterwards.
class TestChannelEditing : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = std::make_unique<MainColor>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        c = &m_window->Channels();
    }

    void cleanup() { m_window.reset(); }

    void typingIntoValueBox_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("code");
        const auto row = [](const char* name, int box, const char* typed, int value,
                            const char* shown, const char* code) {
            QTest::newRow(name) << box << QString(typed) << value << QString(shown)
                                << QString(code);
        };
        row("12 into green", 1, "12", 12, "12", "#FF0CFF");
        row("300 resets to 0", 0, "300", 0, "0", "#FFFF00");
        row("256 resets to 0", 1, "256", 0, "0", "#FF00FF");
        row("3.5 rounds up, rewritten", 2, "3.5", 4, "4", "#04FFFF");
        row("2.5 rounds to even, kept", 2, "2.5", 2, "2.5", "#02FFFF");
        row("1e2 reads 100", 1, "1e2", 100, "100", "#FF64FF");
        row("0 then emptied, kept", 0, "0\b", 0, "", "#FFFF00");
        row("lone minus reads 0", 0, "-", 0, "0", "#FFFF00");
        row("fourth character refused", 2, "1234", 123, "123", "#7BFFFF");
    }

    void typingIntoValueBox()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, shown);
        QFETCH(QString, code);
        TypeInto(c->SValue[box], typed);
        QList<int> values = {255, 255, 255};
        QStringList boxes = {"255", "255", "255"};
        values[box] = value;
        boxes[box] = shown;
        VerifyEditor(*c, values, code, boxes);
    }

    // Whatever is pasted into any box, the sliders stay in range, each value
    // box reads as its slider and the code box holds the sliders' code or,
    // after a paste into it, at most seven characters "Ver" can apply.
    void pastedTextKeepsTheEditorSound_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("negative") << "-1";
        QTest::newRow("too long") << "12345678901";
        QTest::newRow("control characters") << QString("\t7\n\x01\x7f\r");
        QTest::newRow("non-ASCII code") << QString::fromUtf8("#\xc3\x84\xc3\x96\xc3\x9c"
                                                             "123");
        QTest::newRow("huge number") << "1e999";
        QTest::newRow("hex") << "&HFFFF";
    }

    void pastedTextKeepsTheEditorSound()
    {
        QFETCH(QString, pasted);
        QApplication::clipboard()->setText(pasted);
        QList<TextBox*> boxes = {c->SValue[0], c->SValue[1], c->SValue[2], c->Res};
        for (TextBox* box : boxes) {
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            if (box == c->Res) {
                QVERIFY(c->Res->text().size() <= 7);
                QTest::mouseClick(c->CmdGo, Qt::LeftButton);
            }
            qint16 rgb[3];
            for (int i = 0; i < 3; ++i) {
                rgb[i] = static_cast<qint16>(c->CScroll[i]->value());
                QVERIFY(rgb[i] >= 0 && rgb[i] <= 255);
                QCOMPARE(ColourAPI::RoundToInteger(ColourAPI::TextToNumber(c->SValue[i]->text())),
                         rgb[i]);
            }
            if (box != c->Res || ColourAPI::HasCodeShape(c->Res->text())) {
                QCOMPARE(c->Preview->BackColour(), QColor(rgb[0], rgb[1], rgb[2]));
            }
            if (box != c->Res) {
                QCOMPARE(c->Res->text(), ColourAPI::ComposeCode(rgb[0], rgb[1], rgb[2]));
            }
        }
    }

    void slidersByArrowTroughAndKeyboard()
    {
        VerifyEditor(*c, {255, 255, 255}, "#FFFFFF"); // the start
        QScrollBar* red = c->CScroll[0];
        ClickPart(red, QStyle::SC_ScrollBarSubLine);
        VerifyEditor(*c, {254, 255, 255}, "#FFFFFE");
        ClickPart(red, QStyle::SC_ScrollBarSubPage);
        VerifyEditor(*c, {249, 255, 255}, "#FFFFF9");
        ClickPart(red, QStyle::SC_ScrollBarAddPage);
        ClickPart(red, QStyle::SC_ScrollBarAddPage);
        ClickPart(red, QStyle::SC_ScrollBarAddLine); // stays at the end of the range
        VerifyEditor(*c, {255, 255, 255}, "#FFFFFF");

        QScrollBar* blue = c->CScroll[2];
        blue->setFocus();
        QTest::keyClick(blue, Qt::Key_Left);
        VerifyEditor(*c, {255, 255, 254}, "#FEFFFF");
        QTest::keyClick(blue, Qt::Key_Home);
        QTest::keyClick(blue, Qt::Key_Left); // stays at the start of the range
        QTest::keyClick(blue, Qt::Key_Right);
        VerifyEditor(*c, {255, 255, 1}, "#01FFFF");
    }

    void draggingTheThumb()
    {
        QScrollBar* green = c->CScroll[1];
        const QPoint thumb = ScrollBarPart(green, QStyle::SC_ScrollBarSlider);
        QTest::mousePress(green, Qt::LeftButton, Qt::NoModifier, thumb);
        QTest::mouseMove(green, thumb - QPoint(60, 0));
        QVERIFY(green->isSliderDown());
        // While the thumb is held, the other controls already follow it.
        const int dragged = green->value();
        QVERIFY(dragged < 255);
        const QString code = "#FF" + ColourAPI::HexPair(static_cast<qint16>(dragged)) + "FF";
        VerifyEditor(*c, {255, dragged, 255}, code);
        QTest::mouseRelease(green, Qt::LeftButton, Qt::NoModifier, thumb - QPoint(60, 0));
        VerifyEditor(*c, {255, dragged, 255}, code);
    }

    void applyCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("rgb");
        QTest::addColumn<QString>("code");
        QTest::newRow("orange, last pair is red")
            << "#0080FF" << QList<int>{255, 128, 0} << "#0080FF";
        QTest::newRow("lower case") << "#ff8000" << QList<int>{0, 128, 255} << "#FF8000";
        QTest::newRow("non-hex reads leading digits")
            << "#GG1G0A" << QList<int>{10, 1, 0} << "#00010A";
        QTest::newRow("six characters ignored")
            << "#12345" << QList<int>{255, 255, 255} << "#12345";
        QTest::newRow("no hash ignored") << "X0080FF" << QList<int>{255, 255, 255} << "X0080FF";
    }

    void applyCode()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, rgb);
        QFETCH(QString, code);
        TypeInto(c->Res, typed);
        QTest::mouseClick(c->CmdGo, Qt::LeftButton);
        VerifyEditor(*c, rgb, code);
    }

    void applyLowerCaseWhenAlreadyShown()
    {
        TypeInto(c->Res, QStringLiteral("#FF8000"));
        QTest::mouseClick(c->CmdGo, Qt::LeftButton);
        TypeInto(c->Res, QStringLiteral("#ff8000"));
        // Alt+V presses "Ver" from the code box, as the user would.
        QTest::keyClick(m_window.get(), Qt::Key_V, Qt::AltModifier);
        VerifyEditor(*c, {0, 128, 255}, "#ff8000");
    }

    void clickSelectsWholeText()
    {
        for (TextBox* box : {c->SValue[0], c->SValue[1], c->SValue[2], c->Res}) {
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(3, box->height() / 2));
            QCOMPARE(box->selectedText(), box->text());
            QCOMPARE(box->selectionStart(), 0);
        }
    }

    void settingSameTextKeepsCaretAndSelection()
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

    // A one-line box keeps the first line of pasted or committed text, so
    // "Guardar" can never store a line break.
    void lineBreaksKeepFirstLine()
    {
        const QList<QStringList> rows = {
            {"#1\r3456", "#1"}, {"#2\n3456", "#2"}, {"#3\r\n456", "#3"}, {"7\n89", "7"}};
        for (const QStringList& row : rows) {
            TextBox* box = row[1].startsWith('#') ? c->Res : c->SValue[1];
            for (bool byKeys : {true, false}) {
                QTest::mouseClick(box, Qt::LeftButton);
                QApplication::clipboard()->setText(row[0]);
                QInputMethodEvent commit; // an input method committing the text
                commit.setCommitString(row[0]);
                byKeys ? QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier)
                       : void(QApplication::sendEvent(box, &commit));
                QCOMPARE(box->text(), row[1]);
            }
        }
    }

    // Alt with a key that is no access key types nothing; access keys and
    // AltGr (Ctrl+Alt) characters still work.
    void altKeysTypeNothing()
    {
        TypeInto(c->Res, QStringLiteral("#0080FF"));
        for (TextBox* box : {c->Res, c->SValue[0]}) {
            for (Qt::Key key : {Qt::Key_R, Qt::Key_A, Qt::Key_1, Qt::Key_Period}) {
                QTest::mouseClick(box, Qt::LeftButton); // whole text selected
                QTest::keyClick(box, key, Qt::AltModifier);
            }
        }
        VerifyEditor(*c, {255, 255, 255}, "#0080FF");
        QTest::keyClick(c->SValue[0], Qt::Key_V, Qt::AltModifier);
        VerifyEditor(*c, {255, 128, 0}, "#0080FF");
        QTest::mouseClick(c->Res, Qt::LeftButton);
        QTest::keyClick(c->Res, Qt::Key_At, Qt::AltModifier | Qt::ControlModifier);
        QCOMPARE(c->Res->text(), QStringLiteral("@"));
    }

    // The slider that Tab reaches is drawn differently from the others.
    void focusedSliderIsMarked()
    {
        for (const char* style : {"Windows", "Fusion"}) {
            StepScrollStyle::Instance()->setBaseStyle(QStyleFactory::create(style));
            c->Res->setFocus();
            QCOMPARE(c->CScroll[0]->grab().toImage(), c->CScroll[1]->grab().toImage());
            QTest::keyClick(c->Res, Qt::Key_Tab); // on to the red slider
            QVERIFY(c->CScroll[0]->grab().toImage() != c->CScroll[1]->grab().toImage());
        }
    }

private:
    std::unique_ptr<MainColor> m_window;
    const ChannelControls* c = nullptr;
};

QTEST_MAIN(TestChannelEditing)
#include "test_channel_editing.moc"
