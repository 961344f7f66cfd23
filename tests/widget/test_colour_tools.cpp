// SPDX-License-Identifier: MIT
#include "CssColourReader.h"
#include "CssColourWriter.h"
#include "EditHistory.h"
#include "EditorColour.h"
#include "MemoryColour.h"
#include "ScreenPicker.h"
#include "WindowFixture.h"

// The colour tools of the main window: copies in every form, pastes and
// drops of colours, the screen pick and where it is offered, the contrast of
// the two samples.
class TestColourTools : public WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { AnswerMessages(); }
    void init() { OpenMainWindow(); }

    // The colour tools: the code box's own menu with the copies for style
    // sheets at its end (red first; the code keeps blue, green, red) and
    // Ctrl+Shift+C; a colour dropped on the window is applied like a picked
    // one; the list sample's tooltip gives the contrast of the two samples.
    void colourTools()
    {
        // One change told per colour applied, none when it stays: "Ver" again,
        // a chain that changes nothing, a second entry of the chosen colour.
        QSignalSpy edited(w->Edited(), &EditorColour::Changed);
        QSignalSpy chosen(w->Chosen(), &MemoryColour::Changed);
        w->MemListModel()->SetItems({"#0080FF", "#0080ff"});
        Click(list->viewport(), Row(0));
        Click(list->viewport(), Row(1));
        TypeInto(c->Res, "#0080FF");
        Click(c->CmdGo);
        Click(c->CmdGo);
        emit c->CScroll[0]->sliderReleased(); // the red slider's chain runs again
        QCOMPARE(QList<qsizetype>({edited.size(), chosen.size()}), QList<qsizetype>({1, 1}));
        emit c->Res->customContextMenuRequested({});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->objectName() == "qt_edit_menu");
        const QStringList copies = {"#FF8000", "rgb(255, 128, 0)", "hsl(30.1, 100%, 50%)"};
        menu->actions().at(menu->actions().size() - 3)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), copies[0]);
        // Every other form under "Copiar como", each reading back as the colour.
        QMenu* forms = menu->actions().at(menu->actions().size() - 2)->menu();
        QStringList names;
        for (QAction* form : forms->actions()) {
            names << form->text();
            form->trigger();
            const QString text = QGuiApplication::clipboard()->text();
            QVERIFY2(text.startsWith(form->text().chopped(1)) &&
                         Colour::ReadCssColour(text)->colour == (Colour::Rgb8{255, 128, 0}),
                     qPrintable(text));
            QVERIFY(form->text() != "rgb()" || text == copies[1]);
            QVERIFY(form->text() != "hsl()" || text == copies[2]);
        }
        QCOMPARE(names.join(' '), "rgb() hsl() hwb() lab() lch() oklab() oklch()");
        menu->close();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copies[0]);

        // Drops offered as a move (as text editors offer them) on the window (-1), a
        // value box or the code box (3): taken as a copy, or refused (-). Passing
        // over, any text or colour is welcome; the drop reads it (!: refused then).
        struct Drop
        {
            int on;
            QString type;
            QByteArray bytes;
            QString result; // the answers to the drag and the drop, then the editor
        };
        // clang-format off
        const QString unchanged = "Copy! 10=10 255=255 255=255 #FFFF0A #0affff";
        const QString orange = "Copy 255=255 128=128 0=0 #0080FF #ff8000"; // a CSS colour
        QList<Drop> drops = {
            {3, "text/plain", "#FF8000\nmore", "Copy 10=10 255=255 255=255 #FF8000 #0affff"},
            {0, "text/plain", "#FF8000", orange}, {2, "text/plain", "1234", unchanged},
            {1, "text/plain", " 12\n", "Copy 10=10 12=12 255=255 #FF0C0A #0a0cff"},
            {-1, "text/plain", "oklch(0.732 0.186 53)", orange}, {-1, "text/plain", "verde", unchanged}};
        // clang-format on
        for (int size : {0, 3, 6, 7, 16})
            drops.append({-1, "application/x-color", QByteArray(size, '\x7f'), unchanged});
        drops.append({-1, "colour", "", "Copy 119=119 119=119 119=119 #777777 #777777"});
        const auto answer = [](const QDropEvent& e) {
            return !e.isAccepted() ? "-" : e.dropAction() == Qt::CopyAction ? "Copy" : "Move";
        };
        for (const auto& [on, type, bytes, result] : drops) {
            init();
            TypeInto(c->SValue[0], "10");
            std::unique_ptr<QMimeData> data(type == "colour" ? ColourMimeData(QColor(119, 119, 119))
                                                             : new QMimeData);
            if (type != "colour")
                data->setData(type, bytes);
            QWidget* target = on < 0   ? static_cast<QWidget*>(w.get())
                              : on < 3 ? c->SValue[on]
                                       : c->Res;
            const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
            QDragEnterEvent enter({5, 5}, both, data.get(), {}, Qt::ShiftModifier); // a move
            QDropEvent drop({5, 5}, both, data.get(), {}, Qt::ShiftModifier);
            QCOMPARE(drop.proposedAction(), Qt::MoveAction);
            QApplication::sendEvent(target, &enter);
            QCOMPARE(Editor(), unchanged.mid(6)); // a drag passing over changes nothing
            QApplication::sendEvent(target, &drop);
            const QString seen = answer(enter) + QString(answer(drop) != answer(enter) ? "!" : "");
            QCOMPARE(type + bytes + ": " + seen + " " + Editor(), type + bytes + ": " + result);
        }
        // A drag passing over never reads the text, however long; the drop does.
        struct CountedData : QMimeData
        {
            mutable int reads = 0;
            QVariant retrieveData(const QString& type, QMetaType as) const override
            {
                ++reads;
                return QMimeData::retrieveData(type, as);
            }
        } counted;
        counted.setText(QString(1 << 20, u'9'));
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &counted, {}, {});
        QDragMoveEvent move({6, 6}, Qt::CopyAction, &counted, {}, {});
        QDropEvent drop({6, 6}, Qt::CopyAction, &counted, {}, {});
        QApplication::sendEvent(w.get(), &enter);
        QApplication::sendEvent(w.get(), &move);
        QVERIFY(enter.isAccepted() && move.isAccepted() && counted.reads == 0);
        QApplication::sendEvent(w.get(), &drop);
        QVERIFY(!drop.isAccepted() && counted.reads > 0);
        // 4.4999999999921 is not AA, whatever a figure rounded up would say.
        c->Edited->Apply({0x26, 0x71, 0xE5});
        w->Chosen()->Set({0x06, 0x02, 0x01});
        QCOMPARE(w->PreviewList()->toolTip(), "Contraste 4,49:1 — AA solo para texto grande");
        TypeInto(c->Res, "#000000");
        Click(c->CmdGo);
        w->Chosen()->Set({255, 255, 255});
        QCOMPARE(w->PreviewList()->toolTip(), "Contraste 21,00:1 — AAA");
    }

    // A sample's colour is dragged out by a left press moved the drag
    // distance, carrying the colour and its CSS code; the list sample has
    // none until an entry is chosen.
    void dragOut()
    {
        c->Edited->Apply({255, 128, 0});
        const int far = QApplication::startDragDistance();
        const struct
        {
            ColourBox* box;
            Qt::MouseButton button;
            int moved;
            const char* carried;
        } drags[] = {{c->Preview, Qt::LeftButton, far, "#ff8000 #FF8000"},
                     {c->Preview, Qt::LeftButton, far - 1, ""},
                     {c->Preview, Qt::RightButton, far, ""},
                     {w->PreviewList(), Qt::LeftButton, far, ""}};
        for (const auto& [box, button, moved, carried] : drags) {
            QTest::mousePress(box, button, {}, {2, 2});
            const QPointF to(2 + moved, 2);
            QMouseEvent move(QEvent::MouseMove, to, box->mapToGlobal(to), Qt::NoButton, button, {});
            QApplication::sendEvent(box, &move);
            std::unique_ptr<QDrag> drag(box->findChild<QDrag*>());
            QTest::mouseRelease(box, button, {}, to.toPoint());
            QCOMPARE(drag ? drag->mimeData()->colorData().value<QColor>().name() + " " +
                                drag->mimeData()->text()
                          : "",
                     carried);
        }
    }

    // The Menu key opens the sample's menu where the focus is, but for the
    // boxes.
    void menuKey()
    {
        for (QWidget* at :
             QList<QWidget*>{c->CScroll[1], Control("DeleteFromList"), c->SValue[0]}) {
            at->setFocus();
            QTest::keyClick(at, Qt::Key_F10, Qt::ShiftModifier);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().first()->text() == "Tomar color de la pantalla",
                     at != c->SValue[0]);
            menu->close();
        }
        // A right click on the list offers its own commands.
        QStringList offered;
        QTimer::singleShot(0, [&offered] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : popup ? popup->actions() : QList<QAction*>())
                offered << action->text();
            if (popup)
                popup->close();
        });
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, Row(0), list->mapToGlobal(Row(0)));
        QCoreApplication::sendEvent(list->viewport(), &rightClick);
        QCOMPARE(offered.join(' '), "Nombre… Exportar paleta… Importar paleta…");
    }

    // A CSS colour pasted is applied as a pick, and the sample names it; a
    // text that is no colour is told and changes nothing.
    void cssPaste()
    {
        QGuiApplication::clipboard()->setText("  Tomato ");
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Editor() + " " + c->Preview->toolTip(),
                 "255=255 99=99 71=71 #4763FF #ff6347 = tomato\nCSS: #FF6347");
        QGuiApplication::clipboard()->setText("oklch(0.7 0.1)");
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(m_messages, QStringList{"Tintaro: «oklch(0.7 0.1)»: faltan valores"});
        // A blank CSS does not count as whitespace is part of the text.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QGuiApplication::clipboard()->setText(QChar(0xA0) + QString("red"));
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(m_messages.size(), 2);
        QCOMPARE(Editor(), "255=255 99=99 71=71 #4763FF #ff6347");
        // Outside sRGB: applied as CSS maps it, the clipped colour told beside.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QGuiApplication::clipboard()->setText("oklch(0.7 0.4 150)");
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(m_messages.last(), "Tintaro: CSS: #00C248, recortado como lo pintan hoy "
                                        "los navegadores: #00D600");
        QCOMPARE(Editor(), "0=0 194=194 72=72 #48C200 #00c248");
    }

    // Ctrl+Z and Ctrl+Mayús+Z step through every applied colour (a paste, a
    // pick, "Corregir", a held thumb's moves as one) and the memory list's
    // changes, each saved again: List.slc comes back byte for byte. The
    // sample's menu says what they undo; the code box, what it holds.
    void undoRedo()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        const auto bytes = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
        };
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("#0000FF\r\n#0080FF\r\n#00FF00\r\n"));
        file.close();
        QAction* exportPalette = nullptr; // off while the memory is empty
        for (QAction* action : list->actions())
            exportPalette = action->text() == "Exportar paleta…" ? action : exportPalette;
        QVERIFY(exportPalette && !exportPalette->isEnabled());
        QVERIFY(w->Form_Load(path) && exportPalette->isEnabled());
        QStringList states = {Editor()};
        QGuiApplication::clipboard()->setText("tomato");
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        states << Editor();
        qputenv("WAYLAND_DISPLAY", "none"); // the portal, with no session bus, fails at once
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/proc/none");
        QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
        QTRY_COMPARE(m_messages.size(), 1);
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        emit w->findChild<ScreenPicker*>()->Picked(QColor(0xF59E0B));
        states << Editor();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
        Click(w->findChild<QPushButton*>("FixButton"));
        states << Editor();
        QCOMPARE(states.removeDuplicates(), 0);
        c->CScroll[1]->setSliderDown(true);
        for (int value : {10, 20, 30})
            c->CScroll[1]->setValue(value);
        c->CScroll[1]->setSliderDown(false);
        states << Editor();
        QCOMPARE(c->Res->accessibleDescription(),
                 "Código de Tintaro (azul, verde, rojo). CSS: " +
                     Colour::WriteCssColour(w->Edited()->Value(), Colour::CssFormat::Hex) +
                     " — Ctrl+Mayús+C copia el código CSS");
        const QByteArray saved = bytes();
        Click(list->viewport(), Row(1));
        Click(Control("DeleteFromList"));
        const QByteArray deleted = bytes();
        QAction* undo = w->History()->Undo();
        QAction* redo = w->History()->Redo();
        QVERIFY(c->Preview->actions().contains(undo) && c->Preview->actions().contains(redo));
        QCOMPARE(undo->text(), "Deshacer «Borrar #0080FF»");
        Click(Control("Save2List"));
        QVERIFY(bytes().size() == deleted.size() + 9 &&
                bytes().contains(c->Res->text().toLatin1()));
        undo->trigger();
        QCOMPARE(bytes(), deleted);
        undo->trigger();
        QCOMPARE(bytes(), saved);
        for (qsizetype i = states.size() - 2; i >= 0; --i) {
            undo->trigger();
            QCOMPARE(Editor(), states[i]);
        }
        QVERIFY(!undo->isEnabled() && redo->text() == "Rehacer «Color #4763FF»");
        for (qsizetype i = 1; i < states.size(); ++i) {
            redo->trigger();
            QCOMPARE(Editor(), states[i]);
        }
        redo->trigger();
        QCOMPARE(bytes(), deleted);
        // A CSS colour typed in the code box that "Ver" cannot read: offered as a paste.
        for (const char* text : {"tomato", "#F80", "#0080FF"}) {
            c->Res->setText(text);
            QCOMPARE(c->Res->toolTip().contains("Ctrl+Mayús+V"), text != QByteArray("#0080FF"));
        }
    }

    // Off X11 each screen is read through Qt (a screen it cannot read fails
    // the pick); the arrows move the pointer, ten with Shift, and Space takes
    // the pixel under it, in device pixels at any scale.
    void pickThroughQt()
    {
        ScreenPicker picker;
        QSignalSpy failed(&picker, &ScreenPicker::Failed), picked(&picker, &ScreenPicker::Picked);
        QWidget cover, left(&cover); // left half red, right half blue
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        cover.setGeometry(screen);
        left.setGeometry(0, 0, screen.width() / 2, screen.height());
        for (auto [part, colour] : {std::pair{&cover, Qt::blue}, {&left, Qt::red}}) {
            part->setAutoFillBackground(true);
            part->setPalette(QPalette(colour));
        }
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QCursor::setPos(screen.center() + QPoint(screen.width() / 4, 0));
        const QPoint start = QCursor::pos();
        picker.Start();
        QTRY_VERIFY(std::ranges::any_of(QGuiApplication::topLevelWindows(), [](QWindow* w) {
            return w->isExposed() && w->title() == "Tintaro: tomar color";
        }));
        // Near the bottom right corner the magnifier goes above and left of the pointer.
        const QWidget* magnifier = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            magnifier = top->objectName() == "PickMagnifier" ? top : magnifier;
        QWindow* frozen = nullptr;
        for (QWindow* window : QGuiApplication::topLevelWindows())
            frozen = window->objectName() == "PickWindow" ? window : frozen;
        QTest::mouseMove(frozen, screen.bottomRight() - QPoint(5, 5));
        QTRY_COMPARE(magnifier ? magnifier->geometry().bottomRight() : QPoint(),
                     screen.bottomRight() - QPoint(26, 26));
        QCursor::setPos(screen.bottomRight() + QPoint(50, 50)); // on no screen: nothing taken
        QTest::keyClick(&cover, Qt::Key_Space);
        QCursor::setPos(start);
        QList<QPoint> moves;
        for (auto [key, shift] : {std::pair{Qt::Key_Left, false},
                                  {Qt::Key_Up, true},
                                  {Qt::Key_Right, true},
                                  {Qt::Key_Down, false}}) {
            QTest::keyClick(&cover, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
            moves << QCursor::pos() - start;
        }
        QCOMPARE(moves, (QList<QPoint>{{-1, 0}, {-1, -10}, {9, -10}, {9, -9}}));
        QTest::keyClick(&cover, Qt::Key_Space);
        QTest::mouseClick(frozen, Qt::LeftButton); // queued behind: nothing more taken
        QCOMPARE(failed.size() + picked.size(), 1);
        QCOMPARE(picked[0][0].value<QColor>(), QColor(Qt::blue));
    }

    // A pick that fails ends, never from inside Start, and the next one is
    // asked anew (the portal, with no session bus, fails at once).
    void failedPickEnds()
    {
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("WAYLAND_DISPLAY", "none");
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/proc/none");
        ScreenPicker picker;
        QSignalSpy failed(&picker, &ScreenPicker::Failed);
        picker.Start();
        picker.Start(); // asked again while it runs: still one pick
        QCOMPARE(failed.count(), 0);
        QTRY_COMPARE(failed.count(), 1);
        picker.Start();
        QTRY_COMPARE(failed.count(), 2);
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    }
};

QTEST_MAIN(TestColourTools)
#include "test_colour_tools.moc"
