// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "AccessibilityWindow.h"
#include "AdjustWindow.h"
#include "EditorColour.h"
#include "ScaleWindow.h"
#include "StepScrollStyle.h"
#include "WindowFixture.h"

// How the windows look: the main window's layout and drawing, every window
// against its picture in tests/widget/looks/, the focused slider's mark.
class TestLooks : public WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { AnswerMessages(); }
    void init() { OpenMainWindow(); }

    // The names are part of the design, misspellings included.
    void mainWindow()
    {
        QCOMPARE(
            Layout(w.get(), {323, 337}),
            "AboutMe CScroll0* CScroll1* CScroll2* CmdGo ColorFrme* ColorLbl0* ColorLbl1* "
            "ColorLbl2* DeleteFromList InfoLbl* Line0* Line1* Line2* LoadFromList MemFrme* "
            "MemList Preview* PreviewList* PrreviewFrme* Res SValue0 SValue1 SValue2 Save2List");
        QVERIFY((w->frameGeometry().center() - w->screen()->availableGeometry().center())
                    .manhattanLength() <= 4);
        for (TextBox* box : c->SValue)
            QCOMPARE(box->alignment(), Qt::AlignCenter);
        // The etched separator (shadow on row 295, white over it on row 296)
        // and the sunken frame around the white sample.
        const QImage image = w->grab().toImage();
        const auto pixel = [&image](QPoint p) { return image.pixel(p * image.devicePixelRatio()); };
        const QRgb shadow = w->palette().color(QPalette::Dark).rgb(), white = qRgb(255, 255, 255);
        for (int x : {8, 160, 311})
            QVERIFY(pixel({x, 295}) == shadow && pixel({x, 296}) == white);
        QVERIFY(pixel({7, 296}) != white && pixel({312, 296}) != white);
        const QPoint sample = c->Preview->mapTo(w.get(), QPoint());
        QVERIFY(pixel(sample) != white && pixel(sample + QPoint(40, 30)) == white);
        // Each channel's name in its colour, sliders drawn whole (arrows,
        // groove, thumb: several colours), and the window's face.
        const QColor names[3] = {QColor(0xC0, 0, 0), QColor(0, 0x80, 0), QColor(0, 0, 0x80)};
        for (int i = 0; i < 3; ++i) {
            const QImage label =
                w->findChild<QLabel*>(QString("ColorLbl%1").arg(i))->grab().toImage();
            QSet<QRgb> colours;
            for (int y = 0; y < label.height(); ++y)
                for (int x = 0; x < label.width(); ++x)
                    colours << label.pixel(x, y);
            QVERIFY2(colours.contains(names[i].rgb()), qPrintable(QString::number(i)));
            const QImage slider = c->CScroll[i]->grab().toImage();
            colours.clear();
            for (int x = 0; x < slider.width(); ++x)
                colours << slider.pixel(x, slider.height() / 2);
            QVERIFY(colours.size() >= 3);
        }
        QCOMPARE(ShownAt(w.get(), {2, 2}), w->palette().color(QPalette::Button).rgb());
    }

    // Every window looks as its picture in tests/widget/looks/ shows, at this
    // scale: a control drawn wrongly, in the wrong colour or place, shows. A
    // change of look that is meant: TINTARO_LOOKS=update, then check the new
    // pictures by eye before committing them.
    void looks()
    {
        const QImage unfocused = list->grab().toImage();
        for (int i = 0; i < 15 && !list->hasFocus(); ++i) // an empty list shows the focus too
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(list->grab().toImage() != unfocused);
        w->MemListModel()->SetItems({"#0080FF", "#FF8000", "#FFFFFF", "#000000", "nota"});
        Click(list->viewport(), Row(1));
        c->Edited->Apply({0x3B, 0x82, 0xF6});
        AboutMeFrm about(w.get());
        QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
        QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
        about.show();
        const QString folder = QFileInfo(__FILE__).absolutePath() + "/looks/";
        const QString scale = QString::number(w->devicePixelRatio());
        const QList<QWidget*> windows = {w.get(), &about, w->findChild<AdjustWindow*>(),
                                         w->findChild<AccessibilityWindow*>(),
                                         w->findChild<ScaleWindow*>()};
        for (QWidget* window : windows) {
            QVERIFY(window && QTest::qWaitForWindowExposed(window));
            const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QString name = folder + window->objectName() + "@" + scale + "x.png";
            if (qgetenv("TINTARO_LOOKS") == "update")
                QVERIFY(shown.save(name));
            const QImage expected = QImage(name).convertToFormat(QImage::Format_RGB32);
            // Blending may round differently on another processor: up to 8 in a
            // channel is rounding, more is a fault. -1: not even the size is right.
            int wrong = expected.size() == shown.size() ? 0 : -1;
            for (int y = 0; wrong >= 0 && y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
                    wrong += qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))),
                                  qAbs(qBlue(a) - qBlue(b))) > 8;
                }
            if (wrong != 0)
                shown.save(QDir::temp().filePath(QFileInfo(name).fileName()));
            QVERIFY2(wrong == 0, qPrintable(QString("%1: %2 pixels differ (see %3)")
                                                .arg(name)
                                                .arg(wrong)
                                                .arg(QDir::tempPath())));
        }
    }

    // The slider that Tab reaches is drawn differently from the others, in
    // every style, and the list sample with the focus is marked. Last: it
    // changes the sliders' style for the rest of the run.
    void focusedSliderIsMarked()
    {
        for (const char* style : {"Windows", "Fusion"}) {
            StepScrollStyle::Instance()->setBaseStyle(QStyleFactory::create(style));
            c->Res->setFocus();
            QCOMPARE(c->CScroll[0]->grab().toImage(), c->CScroll[1]->grab().toImage());
            QTest::keyClick(c->Res, Qt::Key_Tab); // on to the red slider
            QVERIFY(c->CScroll[0]->grab().toImage() != c->CScroll[1]->grab().toImage());
            const QImage unmarked = w->PreviewList()->grab().toImage();
            w->PreviewList()->setFocus();
            QVERIFY(w->PreviewList()->grab().toImage() != unmarked);
        }
    }
};

QTEST_MAIN(TestLooks)
#include "test_looks.moc"
