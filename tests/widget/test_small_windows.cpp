// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "AccessibilityWindow.h"
#include "AdjustWindow.h"
#include "EditorColour.h"
#include "MemoryColour.h"
#include "ScaleWindow.h"
#include "WindowFixture.h"

// The small windows beside the main one, "Accesibilidad" and "Ajustar
// color", and the About window over it.
class TestSmallWindows : public WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { AnswerMessages(); }
    void init() { OpenMainWindow(); }

    // "Accesibilidad" follows both samples, swaps them, and corrects the
    // editor's colour to the level chosen, or says none reaches it; every
    // control the keyboard reaches has a name.
    void accessibilityWindow()
    {
        c->Edited->Apply({0x3B, 0x82, 0xF6});
        w->Chosen()->Set({255, 255, 255});
        QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
        auto* a = w->findChild<AccessibilityWindow*>();
        QVERIFY(a && QTest::qWaitForWindowActive(a));
        const auto label = [a](const char* name) { return a->findChild<QLabel*>(name); };
        QWidget* swap = a->findChild<QPushButton*>("SwapButton");
        QWidget* fix = a->findChild<QPushButton*>("FixButton");
        // 3.678: cut, never rounded up.
        QCOMPARE(label("Ratio")->text() + " " + label("Verdicts")->text().section('\n', 0, 0),
                 "3.67:1 Texto normal: AA no, AAA no");
        QCOMPARE(label("Sample0")->accessibleName() + ", " + label("Sample2")->accessibleName(),
                 "Texto normal, Texto grande en negrita");
        Click(swap); // the editor's colour is the background now
        QCOMPARE(ShownAt(a, label("Sample0")->mapTo(a, QPoint(1, 1))), QColor(0x3B82F6).rgb());
        Click(fix);
        QCOMPARE(label("Verdicts")->text().section('\n', 0, 0), "Texto normal: AA sí, AAA no");
        QVERIFY(label("FixNote")->text().isEmpty() && c->Preview->BackColour() != QColor(0x3B82F6));
        w->Chosen()->Set({0x77, 0x77, 0x77});
        const QString before = Editor();
        // AAA for normal text, 7:1: no lightness reaches it.
        a->findChild<QComboBox*>("Level")->setCurrentIndex(1);
        Click(fix);
        QVERIFY(!label("FixNote")->text().isEmpty() && Editor() == before);
        QWidget* at = swap;
        for (int i = 0; i < 12; ++i, at = at->nextInFocusChain())
            QVERIFY2(!(at->focusPolicy() & Qt::TabFocus) || !at->accessibleName().isEmpty() ||
                         !at->property("text").toString().isEmpty(),
                     at->metaObject()->className());
    }

    // "Ajustar color" moves the main sliders and follows them, keyed and
    // named in order.
    void adjustWindow()
    {
        w->activateWindow();
        QVERIFY(!w->findChild<AdjustWindow*>() && QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier); // made when first asked for
        auto* adjust = w->findChild<AdjustWindow*>();
        QVERIFY(adjust && QTest::qWaitForWindowActive(adjust));
        const auto slider = [adjust](int i) {
            return adjust->findChild<QSlider*>(QString("Slider%1").arg(i));
        };
        const auto box = [adjust](int i) {
            return adjust->findChild<QDoubleSpinBox*>(QString("Box%1").arg(i));
        };
        QWidget* mapped = adjust->findChild<QLabel*>("MappedMark");
        // Tab runs down the rows, each slider then its box, each with a name of its own.
        QList<QWidget*> expected, seen;
        QSet<QString> names;
        for (int i = 0; i < 6; ++i)
            expected << slider(i) << box(i);
        for (QWidget* at = adjust->focusWidget(); seen.size() < 12; at = at->nextInFocusChain())
            if (expected.contains(at) && !seen.contains(at))
                seen << at, names << at->accessibleName();
        QVERIFY(seen == expected && names.size() == 12 && !names.contains(""));
        // OKLCH lightness 0.5 of a grey is 99 in each channel; HSL follows.
        TypeInto(c->Res, "#FFFFFF");
        Click(c->CmdGo);
        box(0)->setValue(0.5);
        QCOMPARE(Editor(), "99=99 99=99 99=99 #636363 #636363");
        QCOMPARE(slider(0)->value(), 500); // the box's slider follows it
        QCOMPARE(box(5)->value(), 38.8);
        // A main window change is followed: red is oklch(62.8% 0.2577 29.23).
        c->Edited->Apply({255, 0, 0});
        QCOMPARE(
            QList<double>({box(0)->value(), box(1)->value(), box(2)->value(), box(4)->value()}),
            QList<double>({0.628, 0.258, 29.2, 100}));
        // Beyond sRGB: mapped, marked, and the chroma asked for kept.
        QVERIFY(mapped->isHidden());
        QTest::keyClick(slider(1), Qt::Key_PageUp);
        QTest::keyClick(slider(1), Qt::Key_PageUp);
        QCOMPARE(box(1)->value(), 0.298);
        QVERIFY(!mapped->isHidden() && c->CScroll[0]->value() == 255);
        // Where clipping gives another colour, the mark shows both.
        QVERIFY(!qobject_cast<QLabel*>(mapped)->text().contains("#"));
        box(2)->setValue(150);
        box(0)->setValue(0.7);
        box(1)->setValue(0.37);
        QCOMPARE(qobject_cast<QLabel*>(mapped)->text(),
                 "Fuera de sRGB. CSS: #00C248;\nrecortado como lo pintan hoy los navegadores: "
                 "#00D300");
    }

    // "Escala" (Ctrl+E): the editor's colour's steps, its own among them, each
    // with its contrast on white and on black, following the editor; a click
    // copies a step; the steps go to the memory list named after the box.
    void scaleWindow()
    {
        c->Edited->Apply({0x3B, 0x82, 0xF6});
        QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
        auto* scale = w->findChild<ScaleWindow*>();
        QVERIFY(scale && QTest::qWaitForWindowActive(scale));
        const auto step = [scale](int n) {
            return scale->findChild<QPushButton*>(QString("Step%1").arg(n));
        };
        QCOMPARE(scale->focusWidget(), step(500));
        QCOMPARE(step(500)->accessibleName() + " " + step(50)->accessibleName(),
                 "500: #3B82F6, contraste 3.67:1 con blanco y 5.70:1 con negro (el color) "
                 "50: #F0F6FE, contraste 1.08:1 con blanco y 19.31:1 con negro");
        QTest::keyClick(step(950), Qt::Key_Space);
        QCOMPARE(QGuiApplication::clipboard()->text(), "#0F2850");
        QStringList names;
        connect(scale, &ScaleWindow::AddToMemory, this, [&names](const auto& steps) {
            for (const PaletteColours::NamedColour& s : steps)
                names << s.name;
        });
        auto* name = scale->findChild<QLineEdit*>("ScaleName");
        QCOMPARE(name->text(), "dodgerblue"); // the nearest CSS name, until one is written
        c->Edited->Apply({255, 0, 0});
        QVERIFY(name->text() == "red" && step(500)->accessibleName().startsWith("500: #FF0000"));
        name->setText("año");
        Click(scale->findChild<QPushButton*>("AddScale"));
        name->setText("marca");
        Click(scale->findChild<QPushButton*>("AddScale"));
        Click(scale->findChild<QPushButton*>("AddScale"));
        QCOMPARE(
            m_messages,
            QStringList({"Tintaro: «año» no sirve de nombre: empieza por una letra y lleva "
                         "solo letras sin acento, cifras, «-» y «_».",
                         "Tintaro: Se añadieron 11 colores.",
                         "Tintaro: No se añadió ningún color: los 11 ya estaban en la lista."}));
        QCOMPARE(names.size(), 22);
        QCOMPARE(names.first() + " " + names[10], "marca-50 marca-950");
        QVERIFY(w->MemListModel()->Items().size() == 11 && Entries().contains("#0000FF"));
        c->Edited->Apply({0, 0, 255});
        QCOMPARE(name->text(), "marca");
    }

    // The About window: layout, names, look and keys; centred over the main
    // window, and whole on the screen near its edges.
    void aboutWindow()
    {
        AboutMeFrm about(w.get());
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QCOMPARE(Layout(&about, {294, 214}),
                 "BInfoLbl0* BInfoLbl1* DataLbl HeaderIcon HeaderLbl* HeaderShp Line "
                 "NnfoLbl0 NnfoLbl1 OkBtn SLine0 SLine1");
        QCOMPARE(about.windowTitle() + " " + about.findChild<QLabel*>("HeaderLbl")->text(),
                 "Acerca de... Tintaro v1.0 Revisión: 1");
        QVERIFY((about.geometry().center() - w->geometry().center()).manhattanLength() <= 2);
        QTRY_COMPARE(about.windowIcon().availableSizes(),
                     (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
        QCOMPARE(about.findChild<QLabel*>("HeaderIcon")->pixmap().devicePixelRatio(),
                 about.devicePixelRatioF());
        // The header band white, the face below it the button colour.
        QCOMPARE(ShownAt(&about, {2, 2}), about.palette().color(QPalette::Base).rgb());
        QCOMPARE(ShownAt(&about, {2, 100}), about.palette().color(QPalette::Button).rgb());
        QTest::keyClick(about.findChild<QWidget*>("OkBtn"),
                        Qt::Key_Escape); // no cancel button: Esc does nothing
        QVERIFY(about.isVisible());
        QTest::keyClick(&about, Qt::Key_Return); // Enter presses "Aceptar"
        QVERIFY(!about.isVisible());
        const QRect screen = w->screen()->availableGeometry();
        for (const QPoint& corner : {screen.topLeft() - QPoint(200, 200), screen.bottomRight()}) {
            w->move(corner);
            AboutMeFrm near(w.get());
            near.show();
            QVERIFY(QTest::qWaitForWindowExposed(&near) && screen.contains(near.geometry()));
        }
    }
};

QTEST_MAIN(TestSmallWindows)
#include "test_small_windows.moc"
