// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "AccessibilityWindow.h"
#include "AdjustWindow.h"
#include "EditorColour.h"
#include "MemoryColour.h"
#include "ScaleWindow.h"
#include "ToolPlace.h"
#include "ValueSlider.h"
#include "WindowFixture.h"

// As much of r on the screen's room as fits there.
static bool OnScreen(const QRect& r, const QRect& room)
{
    const QRect in = r & room;
    return in.width() == qMin(r.width(), room.width()) &&
           in.height() == qMin(r.height(), room.height());
}

// The small windows beside the main one, "Accesibilidad" and "Ajustar
// color", and the About window over it.
class TestSmallWindows : public WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { AnswerMessages(); }
    void init() { OpenMainWindow(); }

    // "Accesibilidad" follows both samples, says which is text and which
    // background, swaps them, and corrects the editor's colour to the level
    // chosen with a note of what changed (kept until a colour changes), or
    // says none reaches it; every result is read with its figure, and every
    // control the keyboard reaches has a name.
    void accessibilityWindow()
    {
        c->Edited->Apply({0x3B, 0x82, 0xF6});
        w->Chosen()->Set({255, 255, 255});
        QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
        auto* a = w->findChild<AccessibilityWindow*>();
        QVERIFY(a && QTest::qWaitForWindowActive(a));
        const auto label = [a](const char* name) { return a->findChild<QLabel*>(name); };
        const auto spoken = [&label](const char* name) {
            return QAccessible::queryAccessibleInterface(label(name))->text(QAccessible::Name);
        };
        QWidget* swap = a->findChild<QPushButton*>("SwapButton");
        QWidget* fix = a->findChild<QPushButton*>("FixButton");
        QWidget* copy = a->findChild<QPushButton*>("CopyFixButton");
        // 3.678: cut, never rounded up; the decimal comma of the windows.
        QCOMPARE(label("Ratio")->text() + " " + label("Verdicts")->text().section('\n', 0, 0),
                 "3,67:1 Texto normal: AA no, AAA no");
        QCOMPARE(spoken("Ratio") + " | " + spoken("Verdicts") + " | " + spoken("Apca") + " | " +
                     spoken("SeenRatio3"),
                 QString::fromUtf8("Contraste: 3,67:1 | Niveles WCAG: Texto normal: AA no, AAA no; "
                                   "Texto grande: AA sí, AAA no; Controles y gráficos (1.4.11): sí "
                                   "| APCA Lc 63,8 (orientativo: borrador de WCAG 3) | Contraste "
                                   "con acromatopsia: 3,69:1"));
        QCOMPARE(label("Sample0")->accessibleName() + ", " + label("Sample2")->accessibleName(),
                 "Texto normal, Texto grande en negrita");
        QCOMPARE(label("Roles")->text(),
                 QString::fromUtf8("Texto: #3B82F6 (editor) · Fondo: #FFFFFF (memoria)"));
        Click(swap); // the editor's colour is the background now
        QCOMPARE(ShownAt(a, label("Sample0")->mapTo(a, QPoint(1, 1))), QColor(0x3B82F6).rgb());
        QVERIFY(label("Roles")->text().startsWith("Texto: #FFFFFF (memoria)") &&
                swap->toolTip().contains("editor es el fondo"));
        const QList<QRect> before = {fix->geometry(), copy->geometry(),
                                     label("SeenRatio3")->geometry()};
        Click(fix);
        QCOMPARE(label("Verdicts")->text().section('\n', 0, 0), "Texto normal: AA sí, AAA no");
        QCOMPARE(label("FixNote")->text(),
                 QString::fromUtf8("Corregido a #2D72E5 (4,51:1): luminosidad 0,623 → 0,574; "
                                   "croma y tono se mantienen."));
        QCOMPARE(QList<QRect>({fix->geometry(), copy->geometry(), label("SeenRatio3")->geometry()}),
                 before); // the note had its room
        Click(copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), "#2D72E5");
        w->Chosen()->Set({0x77, 0x77, 0x77}); // another colour: the note goes
        QVERIFY(label("FixNote")->text().isEmpty() && !copy->isEnabled());
        const QString editor = Editor();
        // AAA for normal text, 7:1: no colour reaches it.
        a->findChild<QComboBox*>("Level")->setCurrentIndex(1);
        Click(fix);
        QVERIFY(
            label("FixNote")->text().startsWith(QString::fromUtf8("Ningún color alcanza 7:1")) &&
            Editor() == editor);
        // No dark red reaches 7:1 on black without turning: the nearest colour
        // that does is proposed, applied only when asked.
        c->Edited->Apply({0x2D, 0x1E, 0x1E});
        w->Chosen()->Set({0, 0, 0});
        Click(fix);
        QVERIFY(label("FixNote")->text().contains("es #A39190 (7,") && copy->isEnabled());
        Click(a->findChild<QPushButton*>("UseProposalButton"));
        QVERIFY(Editor().contains("#9091A3") && label("FixNote")->text().isEmpty());
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
            return adjust->findChild<ValueSlider*>(QString("Slider%1").arg(i));
        };
        const auto box = [adjust](int i) {
            return adjust->findChild<QDoubleSpinBox*>(QString("Box%1").arg(i));
        };
        auto* mapped = adjust->findChild<QLabel*>("MappedMark");
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
        // Read as a person reads it, with the decimal comma; a typed point is the comma.
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(slider(0));
        QCOMPARE(spoken->valueInterface()->currentValue().toString() + " " +
                     spoken->text(QAccessible::Value) + " " + box(0)->text(),
                 "0.5 0,500 0,500");
        // Its range and step in the box's units; a value set by it moves the box.
        QAccessibleValueInterface* hue =
            QAccessible::queryAccessibleInterface(slider(2))->valueInterface();
        spoken->valueInterface()->setCurrentValue(0.25);
        QCOMPARE(QVariantList({hue->minimumValue(), hue->maximumValue(), hue->minimumStepSize(),
                               box(0)->value()}),
                 QVariantList({0.0, 360.0, 0.1, 0.25}));
        box(2)->selectAll();
        QTest::keyClicks(box(2), "12.5");
        QTest::keyClick(box(2), Qt::Key_Return);
        QCOMPARE(box(2)->value(), 12.5);
        // A main window change is followed: red is oklch(62.8% 0.2577 29.23).
        c->Edited->Apply({255, 0, 0});
        QCOMPARE(
            QList<double>({box(0)->value(), box(1)->value(), box(2)->value(), box(4)->value()}),
            QList<double>({0.628, 0.258, 29.2, 100}));
        // Beyond sRGB: mapped, marked with the chroma shown, the chroma asked
        // for kept, the track shaded from sRGB's edge, and nothing moved.
        // Red lies at sRGB's edge: the track is shaded from its chroma on.
        const auto edge = [&slider] { return qRound(slider(1)->Reachable() * 0.37 * 1000); };
        QVERIFY(mapped->text().isEmpty() && edge() == 258);
        const QList<QRect> before = {adjust->geometry(), slider(5)->geometry(), box(5)->geometry()};
        QTest::keyClick(slider(1), Qt::Key_PageUp);
        QTest::keyClick(slider(1), Qt::Key_PageUp);
        QCOMPARE(box(1)->value(), 0.298);
        QCOMPARE(mapped->text(), QString::fromUtf8("Fuera de sRGB: C 0,298 → 0,258 en sRGB."));
        QVERIFY(c->CScroll[0]->value() == 255 && edge() == 258);
        QCOMPARE(QList<QRect>({adjust->geometry(), slider(5)->geometry(), box(5)->geometry()}),
                 before);
        // Where clipping gives another colour, the mark shows both.
        box(2)->setValue(150);
        box(0)->setValue(0.7);
        box(1)->setValue(0.37);
        QCOMPARE(mapped->text(),
                 QString::fromUtf8("Fuera de sRGB: L 0,700 → 0,709, C 0,370 → 0,210, "
                                   "H 150,0 → 147,1 en sRGB.\nCSS: "
                                   "#00C248;\nrecortado como lo pintan hoy los "
                                   "navegadores: #00D300"));
        // A hue that turns across 0° turns the short way, 0.52°: not told.
        box(2)->setValue(359.7);
        box(0)->setValue(0.6);
        box(1)->setValue(0.25);
        QCOMPARE(mapped->text(), QString::fromUtf8("Fuera de sRGB: C 0,250 → 0,245 en sRGB."));
    }

    // The main window's shortcuts work from every window, the focus in a box
    // there, on the editor's colour; the tool windows open clear of each
    // other, on the main window's screen, and reopen where they were put.
    void shortcutsEverywhere()
    {
        qputenv("WAYLAND_DISPLAY", "none"); // the portal, with no session bus, fails at once
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/proc/none");
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
        auto* adjust = w->findChild<AdjustWindow*>();
        QVERIFY(adjust && QTest::qWaitForWindowActive(adjust));
        QTest::keyClick(adjust, Qt::Key_K, Qt::ControlModifier);
        auto* access = w->findChild<AccessibilityWindow*>();
        QVERIFY(access && QTest::qWaitForWindowActive(access));
        const QRect room = w->screen()->availableGeometry();
        const QRect placed = access->frameGeometry();
        const bool apart = placed.width() + adjust->width() < room.width(); // not at 2×
        QVERIFY(!(apart && placed.intersects(adjust->frameGeometry())) && OnScreen(placed, room) &&
                OnScreen(adjust->frameGeometry(), room));
        const auto ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        const QList<std::pair<Qt::Key, QWidget*>> tools = {{Qt::Key_L, adjust},
                                                           {Qt::Key_K, access}};
        for (QWidget* window : QList<QWidget*>{w.get(), adjust, access}) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            auto* box = window->findChild<QLineEdit*>();
            QWidget* at = box ? box : window;
            at->setFocus();
            const QString before = Editor();
            QGuiApplication::clipboard()->setText("#102030");
            QTest::keyClick(at, Qt::Key_V, ctrl | shift);
            QGuiApplication::clipboard()->clear();
            QTest::keyClick(at, Qt::Key_C, ctrl | shift);
            QCOMPARE(QGuiApplication::clipboard()->text(), "#102030");
            QTest::keyClick(at, Qt::Key_Z, ctrl);
            QCOMPARE(Editor(), before);
            QTest::keyClick(at, Qt::Key_Z, ctrl | shift);
            QCOMPARE(c->Preview->BackColour(), QColor(0x102030));
            QTest::keyClick(at, Qt::Key_Z, ctrl);
            for (auto [key, tool] : tools) {
                QTest::keyClick(at, key, ctrl);
                QVERIFY(QTest::qWaitForWindowActive(tool));
                window->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(window));
            }
            const qsizetype told = m_messages.size(); // a pick fails offscreen, and says so
            QTest::keyClick(at, Qt::Key_T, ctrl);
            QTRY_COMPARE(m_messages.size(), told + 1);
        }
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        // Put elsewhere by the user, closed and opened again: where it was put.
        const QPoint put = room.topLeft() + QPoint(3, 4);
        access->move(put);
        access->close();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_K, ctrl);
        QVERIFY(QTest::qWaitForWindowActive(access));
        QCOMPARE(access->pos(), put);
    }

    // Beside the main window where there is room, never over each other, as
    // much on the main window's screen as fits: at 1× and 2× on 1024×768 and
    // 1920×1080 (a 32-pixel panel), the main window centred or in a corner,
    // also on a second monitor right of the first.
    void toolPlaces()
    {
        const QSize main(325, 362), access(377, 496), adjust(386, 366);
        for (const QRect& screen :
             {QRect(0, 0, 1024, 768), QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)})
            for (int scale : {1, 2})
                for (int at : {0, 1, 2}) {
                    const QRect room(screen.topLeft() / scale + QPoint(0, 32 / scale),
                                     screen.size() / scale - QSize(0, 32 / scale));
                    const QRect owner(room.topLeft() + QPoint(room.width() - main.width(),
                                                              room.height() - main.height()) *
                                                           at / 2,
                                      main);
                    const QRect first = ToolPlace(access, owner, {}, room);
                    const QRect second = ToolPlace(adjust, owner, {first}, room);
                    const bool roomy = scale == 1 && screen.width() > 1024;
                    const bool apart = access.width() + adjust.width() < room.width() ||
                                       access.height() + adjust.height() < room.height();
                    QVERIFY2(!(apart && first.intersects(second)) && OnScreen(first, room) &&
                                 OnScreen(second, room) &&
                                 (!roomy || !(first.intersects(owner) || second.intersects(owner))),
                             qPrintable(QString("%1x%2 @%3 %4")
                                            .arg(screen.x())
                                            .arg(screen.width())
                                            .arg(scale)
                                            .arg(at)));
                }
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
                 "500: #3B82F6, contraste 3,67:1 con blanco y 5,70:1 con negro (el color) "
                 "50: #F0F6FE, contraste 1,08:1 con blanco y 19,31:1 con negro");
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
