// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "AccessibilityWindow.h"
#include "AdjustWindow.h"
#include "CloseOnSignals.h"
#include "ColourBox.h"
#include "CssColourReader.h"
#include "EditorColour.h"
#include "IO_System.h"
#include "MainColor.h"
#include "MemoryColour.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"
#include "ScreenPicker.h"
#include "SingleCopyGuard.h"
#include "StepScrollStyle.h"
#include "TextBox.h"

#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// What every layout holds, whatever the places: a window of fixed size; each
// control inside its frame and apart from its siblings (sharing at most an
// edge; rule lines and the About window's header band lie under others by
// design); each label at least as wide as its text and, unless given a
// width, no wider. Returns the controls' names, sorted, a bold font marked
// with "*", and the faults found.
static QString Layout(QWidget* window, QSize size)
{
    QStringList names, faults;
    if (window->size() != size || window->minimumSize() != size || window->maximumSize() != size)
        faults << "(not of fixed size)";
    const auto under = [](QWidget* w) {
        return w->inherits("RuleLine") || w->objectName() == "HeaderShp";
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QWidget* frame = w->parentWidget();
        if (frame != window && !frame->inherits("QGroupBox"))
            continue;
        if (!w->objectName().isEmpty())
            names << w->objectName() + (w->font().bold() ? "*" : "");
        for (QWidget* other : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect both = other->geometry() & w->geometry();
            if (other != w && !under(w) && !under(other) && qMin(both.width(), both.height()) > 1)
                faults << "(" + w->objectName() + " overlaps " + other->objectName() + ")";
        }
        const auto* label = qobject_cast<QLabel*>(w);
        const int text = label ? label->fontMetrics().horizontalAdvance(label->text()) : 0;
        if ((!under(w) && !frame->rect().contains(w->geometry())) ||
            (text && (w->width() < text || (!w->minimumWidth() && w->width() > text + 2))))
            faults << "(" + w->objectName() + " out of place)";
    }
    names.sort();
    return (names + faults).join(' ');
}

// The colour the window shows at p once the style's window colour is one that
// nothing of ours may show: each face and band must set its own.
static QRgb ShownAt(QWidget* window, QPoint p)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    window->setPalette(palette);
    const QImage image = window->grab().toImage();
    return image.pixel(p * image.devicePixelRatio());
}

// The real windows driven as a user does, offscreen (CTest runs this at scale
// 1 and at QT_SCALE_FACTOR=2). Every message box that opens is recorded and
// answered with OK.
class TestWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainColor> w;
    const ChannelControls* c = nullptr;
    QListView* list = nullptr;
    QTimer m_answer;
    QStringList m_messages;
    QList<QPoint> m_offsets; // of each message from the screen's centre
    int m_titleRoom = 1000;

    // The editor at a glance: each slider's value = its box's text, the code
    // box, the sample's colour.
    QString Editor() const
    {
        QString text;
        for (int i = 0; i < 3; ++i)
            text += QString::number(c->CScroll[i]->value()) + "=" + c->SValue[i]->text() + " ";
        return text + c->Res->text() + " " + c->Preview->BackColour().name();
    }
    QString Entries() const { return w->MemListModel()->Items().join(' '); }
    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    }
    void Click(QWidget* t, QPoint at = {}) { QTest::mouseClick(t, Qt::LeftButton, {}, at); }
    QPoint Row(int row) const { return list->visualRect(list->model()->index(row, 0)).center(); }
    void TypeInto(QWidget* box, const QString& text)
    {
        Click(box);
        QTest::keyClicks(box, text);
    }

private slots:
    void initTestCase()
    {
        m_answer.callOnTimeout(this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_messages << box->windowTitle() + ": " + box->text().section('\n', 0, 0);
                // Room beside the title for a title bar's icon and buttons.
                m_titleRoom =
                    qMin(m_titleRoom,
                         box->width() - box->fontMetrics().horizontalAdvance(box->windowTitle()));
                m_offsets << box->geometry().center() - box->screen()->geometry().center();
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_answer.start(10);
        QGuiApplication::styleHints()->setCursorFlashTime(0); // a caret that never blinks
    }

    void init()
    {
        w = std::make_unique<MainColor>();
        w->CentreOnScreen();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        c = &w->Channels();
        list = w->MemList();
        new QAbstractItemModelTester(
            w->MemListModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, w.get());
        m_messages.clear();
        m_offsets.clear();
        QCOMPARE(Editor(), "255=255 255=255 255=255 #FFFFFF #ffffff");
    }

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

    // Tab visits every control in order, each with a spoken name of its own.
    void tabOrder()
    {
        QStringList visited, names;
        c->Res->setFocus();
        for (int i = 0; i < 15; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
            visited << QApplication::focusWidget()->objectName();
            names << QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                         ->text(QAccessible::Name);
            QVERIFY(!names.last().contains('&') && names.indexOf(names.last()) == i % 14);
        }
        QCOMPARE(visited.join(' '),
                 "Res CScroll0 CScroll1 CScroll2 SValue0 SValue1 SValue2 CmdGo AboutMe "
                 "MemList Save2List LoadFromList DeleteFromList PreviewList Res");
    }

    // Typed into a value box (a click selects its text), or into the code
    // box; Alt+V then applies the code box.
    void typing()
    {
        // clang-format off
        const struct { int box; const char* typed; const char* editor; } cases[] = {
            {0, "12", "12=12 255=255 255=255 #FFFF0C #0cffff"}, {0, "300", "0=0 255=255 255=255 #FFFF00 #00ffff"},
            {1, "256", "255=255 0=0 255=255 #FF00FF #ff00ff"}, {2, "3.5", "255=255 255=255 4=4 #04FFFF #ffff04"},
            {2, "2.5", "255=255 255=255 2=2.5 #02FFFF #ffff02"}, {1, "1e2", "255=255 100=100 255=255 #FF64FF #ff64ff"},
            {0, "0\b", "0= 255=255 255=255 #FFFF00 #00ffff"}, {0, "-", "0=0 255=255 255=255 #FFFF00 #00ffff"},
            {2, "1234", "255=255 255=255 123=123 #7BFFFF #ffff7b"},
            {3, "#0080FF", "255=255 128=128 0=0 #0080FF #ff8000"}, {3, "#ff8000", "0=0 128=128 255=255 #FF8000 #0080ff"},
            {3, "#ffffff", "255=255 255=255 255=255 #ffffff #ffffff"}, {3, "#GG1G0A", "10=10 1=1 0=0 #00010A #0a0100"},
            {3, "#12345", "255=255 255=255 255=255 #12345 #ffffff"}, {3, "X0080FF", "255=255 255=255 255=255 X0080FF #ffffff"}};
        // clang-format on
        for (const auto& [box, typed, editor] : cases) {
            init();
            TypeInto(box < 3 ? c->SValue[box] : c->Res, typed);
            QTest::keyClick(w.get(), Qt::Key_V, Qt::AltModifier);
            QCOMPARE(typed + (": " + Editor()), typed + (": " + QString(editor)));
        }
        // A chain that rewrites a box with what it holds leaves the caret alone.
        c->SValue[0]->setCursorPosition(1);
        w->Editor()->CScroll_Change(0);
        QCOMPARE(c->SValue[0]->cursorPosition(), 1);
    }

    // The keyboard moves a slider by 1 (Left lowers it), a click in the
    // trough by a page of 5; while the thumb is dragged, box and sample follow.
    void sliders()
    {
        c->CScroll[2]->setFocus();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Right})
            QTest::keyClick(c->CScroll[2], key);
        Click(c->CScroll[0], {c->CScroll[0]->width() / 3, c->CScroll[0]->height() / 2});
        QCOMPARE(Editor(), "250=250 255=255 1=1 #01FFFA #faff01");
        c->CScroll[1]->setSliderDown(true);
        c->CScroll[1]->setSliderPosition(7);
        QCOMPARE(Editor(), "250=250 7=7 1=1 #0107FA #fa0701");
        c->CScroll[1]->setSliderDown(false);
    }

    // The selected entry shows in the list sample; Cargar (Alt+C) and a
    // double click load it; Borrar (Alt+B) removes it, after which both do
    // nothing. "Guardar" stores a code of the right shape once, exactly as
    // shown, at its sorted place; the selected entry stays selected.
    void memoryList()
    {
        w->MemListModel()->SetItems({"#0080FF", "hello", "#0000FF"});
        Click(list->viewport(), Row(0));
        QTest::keyClick(list, Qt::Key_Down); // the keyboard selects too
        QCOMPARE(w->PreviewList()->BackColour(), QColor(0, 0, 0));
        QTest::keyClick(w.get(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(Editor(), "0=0 0=0 14=14 #0E0000 #00000e"); // "el" reads as far as the e
        Click(list->viewport(), Row(2));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, Row(2));
        QTest::keyClick(w.get(), Qt::Key_B, Qt::AltModifier);
        Click(w->DeleteFromList());
        QCOMPARE(Entries() + " " + Editor(), "#0080FF hello 255=255 0=0 0=0 #0000FF #ff0000");

        init();
        for (const char* code :
             {"#FFFFFF", "#FFFFFF", "#ff8000", "#FF8000", "#12345", "1234567", "#GGGGGG"}) {
            TypeInto(c->Res, code);
            Click(w->Save2List());
        }
        QCOMPARE(m_messages, QStringList{"Infomación: Ya esta en la lista"});
        QVERIFY2(m_titleRoom >= 120, qPrintable(QString::number(m_titleRoom)));
        Click(list->viewport(), Row(1));
        TypeInto(c->Res, "#900000");
        Click(w->Save2List());
        QCOMPARE(Entries() + " " + QString::number(w->Memory()->SelectedIndex()),
                 "#900000 #ff8000 #FF8000 #FFFFFF #GGGGGG 2");
        QCOMPARE(w->PreviewList()->BackColour(), QColor(0, 128, 255));
    }

    // The memory file beside the program: one copy per folder; a file that
    // cannot be read or written is reported, and one that could not be read
    // is left alone.
    void memoryFile()
    {
        const QString path = MemoryFileLocation::MemoryFilePath();
        QDir(path).removeRecursively(), QFile::remove(path); // left by an earlier run
        const auto startAndClose = [] {
            MainColor window;
            const bool started = window.Form_Load(MemoryFileLocation::MemoryFilePath());
            return window.close() && window.close() && started; // the second saves nothing
        };
        QVERIFY(w->Form_Load(path) && !startAndClose());
        w.reset(); // the folder is free again
        QVERIFY(QDir().mkdir(path) && startAndClose() && QDir().rmdir(path));
        QVERIFY(IO_System::WriteTextFile(path, "x") &&
                QFile::setPermissions(path, QFile::ReadOwner) && startAndClose());
        QCOMPARE(m_messages,
                 (QStringList{"Tintaro: La Aplicación ya se esta ejecutando",
                              "Tintaro: No se pudo leer la lista de colores guardada en",
                              "Tintaro: No se pudo guardar la lista de colores en"}));
        QVERIFY(QFile::remove(path));
    }

    // A one-line box keeps the first line of pasted or committed text, so
    // "Guardar" never stores a line break. Alt with a key that is no access
    // key types nothing; access keys and AltGr (Ctrl+Alt) characters work.
    void pasteAndAltKeys()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"#1\r3456", "#1"}, {"#2\n3456", "#2"}, {"#3\r\n456", "#3"}, {"7\n89", "7"}};
        for (const auto& [pasted, kept] : rows) {
            TextBox* box = kept[0] == '#' ? c->Res : c->SValue[1];
            for (bool byKeys : {true, false}) {
                Click(box);
                QApplication::clipboard()->setText(pasted);
                QInputMethodEvent commit; // an input method committing the text
                commit.setCommitString(pasted);
                byKeys ? QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier)
                       : void(QApplication::sendEvent(box, &commit));
                QCOMPARE(box->text(), kept);
            }
        }
        init();
        TypeInto(c->Res, "#0080FF");
        for (TextBox* box : {c->Res, c->SValue[0]}) {
            for (Qt::Key key : {Qt::Key_R, Qt::Key_A, Qt::Key_1, Qt::Key_Period}) {
                Click(box); // the whole text selected
                QTest::keyClick(box, key, Qt::AltModifier);
            }
        }
        QCOMPARE(Editor(), "255=255 255=255 255=255 #0080FF #ffffff");
        QTest::keyClick(c->SValue[0], Qt::Key_V, Qt::AltModifier);
        QCOMPARE(Editor(), "255=255 128=128 0=0 #0080FF #ff8000");
        Click(c->Res);
        QTest::keyClick(c->Res, Qt::Key_At, Qt::AltModifier | Qt::ControlModifier);
        QCOMPARE(c->Res->text(), "@");
    }

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
        w->Editor()->CScroll_Change(0);
        QCOMPARE(QList<qsizetype>({edited.size(), chosen.size()}), QList<qsizetype>({1, 1}));
        emit c->Res->customContextMenuRequested({});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->objectName() == "qt_edit_menu");
        const QStringList copies = {"#FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)"};
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
        // clang-format off
        const QString unchanged = "Copy! 10=10 255=255 255=255 #FFFF0A #0affff";
        const QString orange = "Copy 255=255 128=128 0=0 #0080FF #ff8000"; // a CSS colour
        QList<std::tuple<int, QString, QByteArray, QString>> drops = {
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
        QCOMPARE(w->PreviewList()->toolTip(), "Contraste 4.49:1 — AA solo para texto grande");
        TypeInto(c->Res, "#000000");
        Click(c->CmdGo);
        w->Chosen()->Set({255, 255, 255});
        QCOMPARE(w->PreviewList()->toolTip(), "Contraste 21.00:1 — AAA");
    }

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
        // 3.678: cut, never rounded up.
        QCOMPARE(a->Ratio()->text() + " " + a->Verdicts()->text().section('\n', 0, 0),
                 "3.67:1 Texto normal: AA no, AAA no");
        Click(a->SwapButton()); // the editor's colour is the background now
        QCOMPARE(ShownAt(a, a->Sample()->mapTo(a, QPoint(1, 1))), QColor(0x3B82F6).rgb());
        Click(a->FixButton());
        QCOMPARE(a->Verdicts()->text().section('\n', 0, 0), "Texto normal: AA sí, AAA no");
        QVERIFY(a->FixNote()->text().isEmpty() && c->Preview->BackColour() != QColor(0x3B82F6));
        w->Chosen()->Set({0x77, 0x77, 0x77});
        const QString before = Editor();
        a->Level()->setCurrentIndex(1); // AAA for normal text, 7:1: no lightness reaches it
        Click(a->FixButton());
        QVERIFY(!a->FixNote()->text().isEmpty() && Editor() == before);
        QWidget* at = a->SwapButton();
        for (int i = 0; i < 12; ++i, at = at->nextInFocusChain())
            QVERIFY2(!(at->focusPolicy() & Qt::TabFocus) || !at->accessibleName().isEmpty() ||
                         !at->property("text").toString().isEmpty(),
                     at->metaObject()->className());
    }

    // A screen reader meets a window, a picture for each sample and groups
    // of controls in reading order, without the rule lines; the Menu key
    // opens the sample's menu where the focus is, but for the boxes.
    void screenReaderAndMenuKey()
    {
        const auto children = [](QWidget* of) {
            QAccessibleInterface* at = QAccessible::queryAccessibleInterface(of);
            QStringList names{QString::number(at->role(), 16)};
            for (int i = 0; i < at->childCount(); ++i)
                names << at->child(i)->object()->objectName();
            return names.join(' ');
        };
        QCOMPARE(children(w.get()), "9 PrreviewFrme MemFrme ColorFrme AboutMe"); // a window
        QCOMPARE(
            children(w->findChild<QWidget*>("ColorFrme")),
            "14 ColorLbl0 CScroll0 SValue0 ColorLbl1 CScroll1 SValue1 ColorLbl2 CScroll2 SValue2");
        QAccessibleInterface* sample = QAccessible::queryAccessibleInterface(c->Preview);
        QCOMPARE(QString::number(sample->role(), 16) + " " + sample->text(QAccessible::Description),
                 "28 Color #FFFFFF"); // a picture
        for (QWidget* at :
             {static_cast<QWidget*>(c->CScroll[1]), static_cast<QWidget*>(w->DeleteFromList()),
              static_cast<QWidget*>(c->SValue[0])}) {
            at->setFocus();
            QTest::keyClick(at, Qt::Key_F10, Qt::ShiftModifier);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().first()->text() == "Tomar color de la pantalla",
                     at != c->SValue[0]);
            menu->close();
        }
    }

    // A CSS colour pasted is applied as a pick, and the sample names it; a
    // text that is no colour is told and changes nothing. "Ajustar color"
    // moves the main sliders and follows them, keyed and named in order.
    void cssPasteAndAdjustWindow()
    {
        QGuiApplication::clipboard()->setText("  Tomato ");
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Editor() + " " + c->Preview->toolTip(),
                 "255=255 99=99 71=71 #4763FF #ff6347 = tomato");
        QGuiApplication::clipboard()->setText("oklch(0.7 0.1)");
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(m_messages, QStringList{"Tintaro: «oklch(0.7 0.1)»: faltan valores"});
        QCOMPARE(Editor(), "255=255 99=99 71=71 #4763FF #ff6347");

        w->activateWindow();
        QVERIFY(!w->findChild<AdjustWindow*>() && QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier); // made when first asked for
        auto* adjust = w->findChild<AdjustWindow*>();
        QVERIFY(adjust && QTest::qWaitForWindowActive(adjust));
        // Tab runs down the rows, each slider then its box, each with a name of its own.
        QList<QWidget*> expected, seen;
        QSet<QString> names;
        for (int i = 0; i < 6; ++i)
            expected << adjust->Slider(i) << adjust->Box(i);
        for (QWidget* at = adjust->focusWidget(); seen.size() < 12; at = at->nextInFocusChain())
            if (expected.contains(at) && !seen.contains(at))
                seen << at, names << at->accessibleName();
        QVERIFY(seen == expected && names.size() == 12 && !names.contains(""));
        // OKLCH lightness 0.5 of a grey is 99 in each channel; HSL follows.
        TypeInto(c->Res, "#FFFFFF");
        Click(c->CmdGo);
        adjust->Box(0)->setValue(0.5);
        QCOMPARE(Editor(), "99=99 99=99 99=99 #636363 #636363");
        QCOMPARE(adjust->Box(5)->value(), 38.8);
        // A main window change is followed: red is oklch(62.8% 0.2577 29.23).
        c->Edited->Apply({255, 0, 0});
        QCOMPARE(QList<double>({adjust->Box(0)->value(), adjust->Box(1)->value(),
                                adjust->Box(2)->value(), adjust->Box(4)->value()}),
                 QList<double>({0.628, 0.258, 29.2, 100}));
        // Beyond sRGB: mapped, marked, and the chroma asked for kept.
        QVERIFY(adjust->MappedMark()->isHidden());
        QTest::keyClick(adjust->Slider(1), Qt::Key_PageUp);
        QTest::keyClick(adjust->Slider(1), Qt::Key_PageUp);
        QCOMPARE(adjust->Box(1)->value(), 0.298);
        QVERIFY(!adjust->MappedMark()->isHidden() && c->CScroll[0]->value() == 255);
    }

    // "Guardar" and "Borrar" save at once; a failed save is told, and the
    // list keeps the change.
    void savesAfterEveryChange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QVERIFY(w->Form_Load(path));
        TypeInto(c->Res, "#FF0000");
        Click(w->Save2List());
        QCOMPARE(Bytes(path), "#FF0000\r\n");
        Click(list->viewport(), Row(0));
        Click(w->DeleteFromList());
        QCOMPARE(Bytes(path), "");
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        TypeInto(c->Res, "#00FF00");
        Click(w->Save2List());
        QCOMPARE(Entries() + " " + m_messages.join(' '),
                 "#00FF00 Tintaro: No se pudo guardar la lista de colores en");
    }

    // Only a live process holding the lock blocks it, whatever the file
    // holds; one memory file reached by two paths is one lock.
    void lockHeldOnlyByALiveCopy()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.path(), dir.filePath("link")));
        SingleCopyGuard guard(dir.filePath("List.slc"));
        QProcess holder;
        holder.start("sh",
                     {"-c", "exec 9>>\"$0\" && echo 1 ? >&9 && flock 9 && echo && exec sleep 60",
                      guard.LockPath()});
        QVERIFY(holder.waitForReadyRead());
        QCOMPARE(SingleCopyGuard(dir.filePath("link/List.slc")).TryAcquire(),
                 SingleCopyGuard::Result::Running);
        holder.kill();
        QTRY_COMPARE(guard.TryAcquire(), SingleCopyGuard::Result::Acquired);
        QCOMPARE(SingleCopyGuard(dir.filePath("List.slc")).TryAcquire(),
                 SingleCopyGuard::Result::Running);
    }

    // A link in place of the lock, a FIFO as memory file: each is told,
    // centred where the window will show, and the window runs.
    void startMessages()
    {
        QTemporaryDir dir;
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("List.slc")).constData(), 0600), 0);
        QVERIFY(QFile::link("List.slc", dir.filePath(".List.slc.lock")));
        QVERIFY(MainColor().Form_Load(dir.filePath("List.slc")));
        QCOMPARE(m_messages,
                 (QStringList{"Tintaro: No se puede comprobar si Tintaro ya se está ejecutando:",
                              "Tintaro: No se pudo leer la lista de colores guardada en"}));
        QVERIFY(m_offsets[0].manhattanLength() < 40 && m_offsets[1].manhattanLength() < 40);
        // A memory file whose folder cannot hold the lock (read-only media)
        // has it in a private folder: the runtime folder when no one else
        // may enter it, else the cache's, closed first when left open.
        const QString readOnly = "/proc/none/List.slc";
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8()); // open to others
        QTemporaryDir cache;
        QVERIFY(QDir(cache.path()).mkdir("tintaro") &&
                chmod(qPrintable(cache.filePath("tintaro")), 0755) == 0);
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        QCOMPARE(SingleCopyGuard(readOnly).TryAcquire(), SingleCopyGuard::Result::Acquired);
        QCOMPARE(QFileInfo(cache.filePath("tintaro")).permissions() & 0x0077, 0);
        qputenv("XDG_CACHE_HOME", cache.filePath("new/cache").toUtf8()); // made as needed
        QCOMPARE(SingleCopyGuard(readOnly).TryAcquire(), SingleCopyGuard::Result::Acquired);
        qputenv("XDG_CACHE_HOME", "/proc/none");
        QCOMPARE(SingleCopyGuard(readOnly).TryAcquire(), SingleCopyGuard::Result::Unavailable);
        qunsetenv("XDG_CACHE_HOME");
        // A runtime folder reached through a link is used when it is private.
        QVERIFY(QDir(cache.path()).mkdir("run") &&
                chmod(qPrintable(cache.filePath("run")), 0700) == 0 &&
                QFile::link(cache.filePath("run"), cache.filePath("run-link")));
        qputenv("XDG_RUNTIME_DIR", cache.filePath("run-link").toUtf8());
        SingleCopyGuard guard(readOnly);
        QCOMPARE(guard.TryAcquire(), SingleCopyGuard::Result::Acquired);
        QVERIFY(guard.LockPath().startsWith(cache.filePath("run-link/")));
    }

    // A signal the parent ignores stays ignored; a burst of signals never
    // blocks; a close by signal waits on no message; a broken pipe is an error.
    void signalsCloseWithoutWaiting()
    {
        std::signal(SIGPIPE, SIG_DFL); // as QProcess, used above, leaves it ignored
        CloseOnSignals::IgnoreWriteSignals();
        int ends[2];
        QVERIFY(pipe(ends) == 0 && close(ends[0]) == 0);
        QCOMPARE(write(ends[1], "x", 1), -1);
        // No such folder: the list starts empty and its save at close fails.
        MainColor window;
        QVERIFY(window.Form_Load("/proc/none/List.slc"));
        window.show();
        std::signal(SIGHUP, SIG_IGN);
        CloseOnSignals closer(&window);
        connect(&closer, &CloseOnSignals::Closing, &window, &MainColor::SetCloseUnattended);
        raise(SIGHUP);
        QTest::qWait(50);
        QVERIFY(window.isVisible());
        for (int i = 0; i < 2000; ++i)
            raise(SIGTERM);
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(!window.ListSaved() && m_messages.isEmpty());
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
        QCOMPARE(failed.count(), 0);
        QTRY_COMPARE(failed.count(), 1);
        picker.Start();
        QTRY_COMPARE(failed.count(), 2);
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
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
        QCOMPARE(about.windowTitle() + " " + about.HeaderLbl()->text(),
                 "Acerca de... Tintaro v1.0 Revisión: 1");
        QVERIFY((about.geometry().center() - w->geometry().center()).manhattanLength() <= 2);
        QTRY_COMPARE(about.windowIcon().availableSizes(),
                     (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
        QCOMPARE(about.HeaderIcon()->pixmap().devicePixelRatio(), about.devicePixelRatioF());
        // The header band white, the face below it the button colour.
        QCOMPARE(ShownAt(&about, {2, 2}), about.palette().color(QPalette::Base).rgb());
        QCOMPARE(ShownAt(&about, {2, 100}), about.palette().color(QPalette::Button).rgb());
        QTest::keyClick(about.OkBtn(), Qt::Key_Escape); // no cancel button: Esc does nothing
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
        w->MemListModel()->SetItems({"#0080FF", "#FF8000"});
        Click(list->viewport(), Row(1));
        c->Edited->Apply({0x3B, 0x82, 0xF6});
        AboutMeFrm about(w.get());
        QTest::keyClick(w.get(), Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
        about.show();
        const QString folder = QFileInfo(__FILE__).absolutePath() + "/looks/";
        const QString scale = QString::number(w->devicePixelRatio());
        const QList<QWidget*> windows = {w.get(), &about, w->findChild<AdjustWindow*>(),
                                         w->findChild<AccessibilityWindow*>()};
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
    // every style. Last: it changes the sliders' style for the rest of the run.
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
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
