// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"
#include "EditHistory.h"
#include "IO_System.h"
#include "MemoryFileLocation.h"
#include "SingleCopyGuard.h"
#include "WindowFixture.h"

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// The main window: the editing chain of sliders, value boxes, code box and
// sample; the memory list, its commands and the save after each; the memory
// file and the lock at start, the close at the end.
class TestMainWindow : public WindowFixture
{
    Q_OBJECT
    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    }

private slots:
    void initTestCase() { AnswerMessages(); }
    void init() { OpenMainWindow(); }

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
        emit c->CScroll[0]->sliderReleased(); // the red slider's chain runs again
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
        Click(Control("DeleteFromList"));
        QTest::keyClick(w.get(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(Entries() + " " + Editor(), "#0080FF hello 255=255 0=0 0=0 #0000FF #ff0000");

        init();
        for (const char* code :
             {"#FFFFFF", "#FFFFFF", "#ff8000", "#FF8000", "#12345", "1234567", "#GGGGGG"}) {
            TypeInto(c->Res, code);
            Click(Control("Save2List"));
        }
        QCOMPARE(m_messages, QStringList{"Infomación: Ya esta en la lista"});
        QVERIFY2(m_titleRoom >= 120, qPrintable(QString::number(m_titleRoom)));
        Click(list->viewport(), Row(1));
        TypeInto(c->Res, "#900000");
        Click(Control("Save2List"));
        const QModelIndexList selected = list->selectionModel()->selectedRows();
        QCOMPARE(Entries() + " " + QString::number(selected.value(0).row()),
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
        const struct
        {
            const char* pasted;
            const char* kept;
        } rows[] = {{"#1\r3456", "#1"}, {"#2\n3456", "#2"}, {"#3\r\n456", "#3"}, {"7\n89", "7"}};
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

    // A screen reader meets a window, a picture for each sample and groups
    // of controls in reading order, without the rule lines and the tool
    // windows, each child at its own index.
    void screenReader()
    {
        const auto children = [](QWidget* of) {
            QAccessibleInterface* at = QAccessible::queryAccessibleInterface(of);
            QStringList names{QString::number(at->role(), 16)};
            for (int i = 0; i < at->childCount(); ++i)
                names << at->child(i)->object()->objectName() +
                             (at->indexOfChild(at->child(i)) == i ? "" : "!");
            return names.join(' ');
        };
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier); // a window of its own
        QCOMPARE(children(w.get()), "9 PrreviewFrme MemFrme ColorFrme AboutMe"); // a window
        QCOMPARE(
            children(w->findChild<QWidget*>("ColorFrme")),
            "14 ColorLbl0 CScroll0 SValue0 ColorLbl1 CScroll1 SValue1 ColorLbl2 CScroll2 SValue2");
        QAccessibleInterface* sample = QAccessible::queryAccessibleInterface(c->Preview);
        QCOMPARE(QString::number(sample->role(), 16) + " " + sample->text(QAccessible::Description),
                 "28 Color #FFFFFF"); // a picture
    }

    // "Guardar" and "Borrar" save at once; a failed save is told, and the
    // list keeps the change.
    void savesAfterEveryChange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QVERIFY(w->Form_Load(path));
        TypeInto(c->Res, "#FF0000");
        Click(Control("Save2List"));
        QCOMPARE(Bytes(path), "#FF0000\r\n");
        Click(list->viewport(), Row(0));
        Click(Control("DeleteFromList"));
        QCOMPARE(Bytes(path), "");
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        TypeInto(c->Res, "#00FF00");
        Click(Control("Save2List"));
        QCOMPARE(Entries() + " " + m_messages.join(' '),
                 "#00FF00 Tintaro: No se pudo guardar la lista de colores en");
    }

    // The list's menu: "Exportar paleta…" writes the file type chosen unless
    // the name's extension names another format (a longer one, or one that
    // the chosen type's name does not end with); "Importar paleta…" merges a
    // palette and tells what went in or why nothing did. Failed saves of the
    // list are told, and the list keeps the change.
    void paletteMenu()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QVERIFY(w->Form_Load(path));
        TypeInto(c->Res, "#0080FF");
        Click(Control("Save2List"));
        const auto menu = [this](const QString& action, const QString& type, const QString& file) {
            QTimer::singleShot(0, list, [=] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                for (const QString& filter : dialog->nameFilters())
                    if (filter.startsWith(type))
                        dialog->selectNameFilter(filter);
                dialog->setOption(QFileDialog::DontConfirmOverwrite);
                file.isEmpty()
                    ? dialog->reject()
                    : (dialog->selectFile(file), static_cast<QDialog*>(dialog)->accept());
            });
            for (QAction* a : list->actions())
                if (a->text() == action)
                    a->trigger();
        };
        // The type chosen, the file named, its first line.
        const QStringList exports = {"Tema|a.css|@theme {",       "Paleta|b.css|:root {",
                                     "JSON|c.tokens.json|{",      "Tokens|d.json|{",
                                     "Paleta|e.pal|GIMP Palette", "Paleta||<unreadable>",
                                     "Paleta|List.slc|#0080FF"};
        QStringList seen;
        for (const QString& row : exports) {
            const QString file = row.section('|', 1, 1);
            menu("Exportar paleta…", row.section('|', 0, 0),
                 file.isEmpty() ? file : dir.filePath(file));
            seen << row.section('|', 0, 1) + "|" +
                        QString::fromUtf8(Bytes(dir.filePath(file)))
                            .section("\r\n", 0, 0)
                            .section('\n', 0, 0);
        }
        QCOMPARE(seen, exports);
        // A palette's colours merged in, one already held; a file that is no
        // palette; a dialog cancelled; a merge, then a removal, whose save fails.
        QVERIFY(IO_System::WriteTextFile(dir.filePath("p.txt"), "#FF0000\n#ff8000\n") &&
                IO_System::WriteTextFile(dir.filePath("q.txt"), "no es un color\n") &&
                IO_System::WriteTextFile(dir.filePath("r.txt"), "#00FF00\nblue\n"));
        seen.clear();
        for (const QString file : {"p.txt", "q.txt", "", "r.txt", "Borrar"}) {
            if (file == "r.txt")
                QVERIFY(QFile::remove(path) && QDir().mkdir(path));
            if (file == "Borrar")
                Click(list->viewport(), Row(0)), Click(Control("DeleteFromList"));
            else
                menu("Importar paleta…", "", file.isEmpty() ? file : dir.filePath(file));
            seen << Entries() + "|" + w->History()->Undo()->text();
        }
        QCOMPARE(seen.join('\n'), "#0000FF #0080FF|Deshacer «Importar 1 color»\n"
                                  "#0000FF #0080FF|Deshacer «Importar 1 color»\n"
                                  "#0000FF #0080FF|Deshacer «Importar 1 color»\n"
                                  "#0000FF #0080FF #00FF00 #FF0000|Deshacer «Importar 2 colores»\n"
                                  "#0080FF #00FF00 #FF0000|Deshacer «Borrar #0000FF»");
        const QString unsaved = "Tintaro: No se pudo guardar la lista de colores en";
        QCOMPARE(m_messages,
                 (QStringList{"Tintaro: No se pudo exportar la paleta a",
                              "Tintaro: Se añadió 1 color; 1 ya estaba en la lista.",
                              "Tintaro: No se pudo importar la paleta", unsaved, unsaved}));
    }

    // "Nombre…" (the list's menu, F2) names the chosen entry, saved at once
    // beside the list; its tooltip and a screen reader give the code's name;
    // an empty name gives back the one from its colour; a cancelled dialog
    // changes nothing; a failed save of the names is told.
    void nameEntry()
    {
        QTemporaryDir dir;
        QVERIFY(w->Form_Load(dir.filePath("List.slc")));
        TypeInto(c->Res, "#0080FF");
        Click(Control("Save2List"));
        Click(list->viewport(), Row(0));
        QStringList seen{list->actions().first()->text()};
        // "Rojo" cancelled; "Azul" where the names cannot be saved.
        for (const QString name : {" Coral\tclaro ", "Rojo", "", "Azul"}) {
            if (name == "Azul")
                QVERIFY(QFile::remove(dir.filePath("List.names")) &&
                        QDir().mkdir(dir.filePath("List.names")));
            QTimer::singleShot(0, list, [&] {
                auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                seen << dialog->labelText() + "|" + dialog->textValue();
                dialog->setTextValue(name);
                name == "Rojo" ? dialog->reject() : dialog->accept();
            });
            if (name.startsWith(' '))
                QTest::keyClick(list, Qt::Key_F2);
            else
                list->actions().first()->trigger(); // from the menu
            seen << list->model()->index(0, 0).data(Qt::ToolTipRole).toString() + "|" +
                        QAccessible::queryAccessibleInterface(list)->child(0)->text(
                            QAccessible::Name) +
                        "|" + QString::fromUtf8(Bytes(dir.filePath("List.names"))).section('\n', 1);
        }
        QCOMPARE(seen.join('\n'),
                 "Nombre…\n"
                 "Nombre de #0080FF (vacío: darkorange-ff8000):|darkorange-ff8000\n"
                 "Coral claro|#0080FF, Coral claro|#0080FF\tCoral claro\r\n\n"
                 "Nombre de #0080FF (vacío: darkorange-ff8000):|Coral claro\n"
                 "Coral claro|#0080FF, Coral claro|#0080FF\tCoral claro\r\n\n"
                 "Nombre de #0080FF (vacío: darkorange-ff8000):|Coral claro\n"
                 "darkorange-ff8000|#0080FF, darkorange-ff8000|\n"
                 "Nombre de #0080FF (vacío: darkorange-ff8000):|darkorange-ff8000\n"
                 "Azul|#0080FF, Azul|");
        QCOMPARE(m_messages,
                 QStringList{"Tintaro: No se pudieron guardar los nombres de los colores en"});
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
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
