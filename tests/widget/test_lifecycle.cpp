// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"
#include "MainColor.h"
#include "MemoryListModel.h"
#include "SingleCopyGuard.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using Result = SingleCopyGuard::Result;

// Start, single copy and close of the main window, with scratch memory
// files. Every message box is answered and recorded: its first line, and
// whether it is centred on the screen.
class TestLifecycle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_answer.callOnTimeout(this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                const QPoint off = box->geometry().center() - box->screen()->geometry().center();
                m_messages << box->text().section('\n', 0, 0) +
                                  (off.manhattanLength() < 40 ? "|" : "|off centre");
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_answer.start(10);
    }

    void lockHeldOnlyByALiveCopy()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.path(), dir.filePath("link")));
        SingleCopyGuard guard(dir.filePath("List.slc"));
        QFile garbage(guard.LockPath());
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("1\n???") == 5);
        garbage.close();
        // A process holding the lock file as a running copy does, until it dies.
        QProcess holder;
        holder.start("sh", {"-c", "exec 9>>\"$0\" && flock 9 && exec sleep 60", guard.LockPath()});
        QTRY_COMPARE(SingleCopyGuard(dir.filePath("link/List.slc")).TryAcquire(), Result::Running);
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QCOMPARE(guard.TryAcquire(), Result::Acquired);
        QCOMPARE(SingleCopyGuard(dir.filePath("List.slc")).TryAcquire(), Result::Running);
    }

    // Without a private folder for the lock, and with a FIFO as memory file:
    // each is told, centred, and the window runs; the FIFO is never written.
    void startMessagesAndUnusableLockFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), cache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8()); // open to others
        qputenv("XDG_CACHE_HOME", "/proc/none");
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("List.slc")).constData(), 0600), 0);
        m_messages.clear();
        MainColor window;
        QVERIFY(window.Form_Load(dir.filePath("List.slc")));
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("XDG_CACHE_HOME", cache);
        window.close();
        QCOMPARE(m_messages,
                 (QStringList{"No se puede comprobar si Tintaro ya se está ejecutando:|",
                              "No se pudo leer la lista de colores guardada en|"}));
        struct stat st = {};
        QVERIFY(stat(QFile::encodeName(dir.filePath("List.slc")).constData(), &st) == 0);
        QVERIFY(S_ISFIFO(st.st_mode) && window.ListSaved());
    }

    // A signal the parent ignores stays ignored; a burst of signals never
    // blocks; a close by signal waits on no message; a broken pipe is an error.
    void signalsCloseWithoutWaiting()
    {
        CloseOnSignals::IgnoreWriteSignals();
        int ends[2];
        QVERIFY(pipe(ends) == 0 && close(ends[0]) == 0);
        QCOMPARE(write(ends[1], "x", 1), -1);
        close(ends[1]);

        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        MainColor window;
        QVERIFY(window.Form_Load(dir.filePath("sub/List.slc")));
        window.show();
        std::signal(SIGHUP, SIG_IGN);
        CloseOnSignals closer(&window);
        connect(&closer, &CloseOnSignals::Closing, &window, &MainColor::SetCloseUnattended);
        raise(SIGHUP);
        QTest::qWait(50);
        QVERIFY(window.isVisible());
        std::signal(SIGHUP, SIG_DFL);
        // The folder becomes a file, so the save at close fails.
        QVERIFY(QDir(dir.filePath("sub")).removeRecursively());
        QVERIFY(QFile(dir.filePath("sub")).open(QIODevice::WriteOnly));
        m_messages.clear();
        for (int i = 0; i < 2000; ++i) {
            raise(SIGTERM);
        }
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(!window.ListSaved());
        QCOMPARE(m_messages, QStringList());
    }

private:
    QTimer m_answer;
    QStringList m_messages;
};

QTEST_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
