// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"
#include "ColourBox.h"
#include "MainColor.h"
#include "MemoryCommands.h"
#include "MemoryListModel.h"
#include "SingleCopyGuard.h"
#include "TextBox.h"
#include "WindowDriver.h"

#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The memory list's commands on the real main window, driven by mouse and
// keyboard, and the window's start and close around the memory file. Every
// message box that opens is answered with OK and recorded, with its offset
// from the screen's centre.
class TestMemoryCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_answer.callOnTimeout(this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                m_messages << box->windowTitle() + "|" + box->text() + "|" +
                                  QString::number(int(box->icon()));
                m_offsets << box->geometry().center() - box->screen()->geometry().center();
                box->button(QMessageBox::Ok)->click();
            }
        });
    }

    void init()
    {
        m_window = std::make_unique<MainColor>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_messages.clear();
        m_offsets.clear();
        m_answer.start(10);
    }

    void cleanup()
    {
        m_answer.stop();
        m_window.reset();
    }

    void storesTheShownCodeOnce()
    {
        // The code box holds "#FFFFFF" at start.
        QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
        QCOMPARE(entries(), QStringList{"#FFFFFF"});
        QVERIFY(m_messages.isEmpty());
        QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{QStringLiteral("Infomación|Ya esta en la lista|%1")
                                             .arg(int(QMessageBox::Information))});
        QCOMPARE(entries(), QStringList{"#FFFFFF"});
    }

    void comparisonCountsCaseAndShape()
    {
        store("#FF8000");
        store("#ff8000"); // typed, not applied: a second entry
        store("#12345");
        store("1234567");
        store("#GGGGGG"); // passes the shape test: stored as typed
        QCOMPARE(entries(), (QStringList{"#FF8000", "#ff8000", "#GGGGGG"}));
        QVERIFY(m_messages.isEmpty());
    }

    void addsInSortedPlaceKeepingSelection()
    {
        store("#FF0000");
        store("#00FF00");
        select(1);
        const QColor shown = m_window->PreviewList()->BackColour();
        store("#a00000");
        store("#900000");
        QCOMPARE(entries(), (QStringList{"#00FF00", "#900000", "#a00000", "#FF0000"}));
        // The same entry stays selected; its sample is not repainted.
        QCOMPARE(m_window->Memory()->SelectedIndex(), 3);
        QCOMPARE(m_window->PreviewList()->BackColour(), shown);
    }

    void loadAndDoubleClickRunTheChain()
    {
        store("#0000FF");
        store("#0080FF");
        select(0);
        QTest::mouseClick(m_window->LoadFromList(), Qt::LeftButton);
        VerifyEditor(m_window->Channels(), {255, 0, 0}, "#0000FF");

        QListView* list = m_window->MemList();
        const QPoint second = list->visualRect(m_window->MemListModel()->index(1)).center();
        // A double click: the first click selects, the second loads.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
        QCOMPARE(m_window->Channels().CScroll[1]->value(), 0);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
        VerifyEditor(m_window->Channels(), {255, 128, 0}, "#0080FF");
    }

    void listSampleShowsSelectedEntry()
    {
        MemoryListModel* model = m_window->MemListModel();
        model->InsertAt(0, "#0080FF");
        model->InsertAt(1, "hello"); // hand-written line of the memory file
        QCOMPARE(m_window->PreviewList()->BackColour(),
                 m_window->palette().color(QPalette::Button));

        select(0);
        QCOMPARE(m_window->PreviewList()->BackColour(), QColor(255, 128, 0));
        // The keyboard selects too.
        QTest::keyClick(m_window->MemList(), Qt::Key_Down);
        QCOMPARE(m_window->Memory()->SelectedIndex(), 1);
        QCOMPARE(m_window->PreviewList()->BackColour(), QColor(0, 0, 0));

        QTest::mouseClick(m_window->LoadFromList(), Qt::LeftButton);
        // Blue "el" reads as far as the hex digit e.
        VerifyEditor(m_window->Channels(), {0, 0, 14}, "#0E0000");
    }

    void deleteClearsSelection()
    {
        store("#111111");
        store("#222222");
        store("#333333");
        select(1);
        const QColor shown = m_window->PreviewList()->BackColour();
        QTest::keyClick(m_window.get(), Qt::Key_B, Qt::AltModifier);
        QCOMPARE(entries(), (QStringList{"#111111", "#333333"}));
        QCOMPARE(m_window->Memory()->SelectedIndex(), -1);
        QCOMPARE(m_window->PreviewList()->BackColour(), shown);
        // With nothing selected, Borrar and Cargar do nothing.
        TypeInto(m_window->Channels().Res, "#123456");
        QTest::mouseClick(m_window->DeleteFromList(), Qt::LeftButton);
        QTest::mouseClick(m_window->LoadFromList(), Qt::LeftButton);
        QCOMPARE(entries(), (QStringList{"#111111", "#333333"}));
        VerifyEditor(m_window->Channels(), {255, 255, 255}, "#123456");
    }

    // "Guardar" and "Borrar" save at once; a failed save is told, and the
    // list keeps the change.
    void savesAfterEveryChange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QVERIFY(m_window->Form_Load(path));
        store("#FF0000");
        QCOMPARE(fileBytes(path), QByteArray("#FF0000\r\n"));
        select(0);
        QTest::mouseClick(m_window->DeleteFromList(), Qt::LeftButton);
        QCOMPARE(fileBytes(path), QByteArray());
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        store("#00FF00");
        QCOMPARE(entries(), QStringList{"#00FF00"});
        QVERIFY(m_messages.size() == 1 &&
                m_messages[0].contains("|No se pudo guardar la lista de colores en\n" + path));
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

    // No private folder for the lock, a FIFO as memory file: each is told,
    // centred where the window will show, and the window runs.
    void startMessages()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8()); // open to others
        qputenv("XDG_CACHE_HOME", "/proc/none");
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("List.slc")).constData(), 0600), 0);
        QVERIFY(MainColor().Form_Load(dir.filePath("List.slc")));
        qunsetenv("XDG_CACHE_HOME");
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(
            m_messages[0].contains("|No se puede comprobar si Tintaro ya se está ejecutando:") &&
            m_messages[1].contains("|No se pudo leer la lista de colores guardada en"));
        QVERIFY(m_offsets[0].manhattanLength() < 40 && m_offsets[1].manhattanLength() < 40);
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
        for (int i = 0; i < 2000; ++i) {
            raise(SIGTERM);
        }
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(!window.ListSaved() && m_messages.isEmpty());
    }

private:
    static QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    void store(const QString& code)
    {
        TypeInto(m_window->Channels().Res, code);
        QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
    }

    void select(int row)
    {
        QListView* list = m_window->MemList();
        const QRect item = list->visualRect(m_window->MemListModel()->index(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    }

    QStringList entries() const { return m_window->MemListModel()->Items(); }

    std::unique_ptr<MainColor> m_window;
    QTimer m_answer;
    QStringList m_messages;
    QList<QPoint> m_offsets;
};

QTEST_MAIN(TestMemoryCommands)
#include "test_memory_commands.moc"
