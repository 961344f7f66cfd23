// SPDX-License-Identifier: MIT
#include "FileName.h"
#include "IO_System.h"
#include "LineCodec.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "SingleCopyGuard.h"
#include "SystemError.h"
#include "UnsavedChanges.h"

#include <QtTest>
#include <atomic>
#include <csignal>
#include <pwd.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace IO_System;
using namespace LineCodec;
using namespace MemoryFileLocation;
using namespace SafeFile;

// The file at path as the system describes it: a change of its bytes, its
// inode or its times shows.
static QString StampOf(const QString& path)
{
    struct stat st = {};
    if (stat(qPrintable(path), &st) != 0)
        return "missing";
    return QString("%1 %2 %3.%4 %5.%6")
        .arg(st.st_ino)
        .arg(st.st_size)
        .arg(st.st_mtim.tv_sec)
        .arg(st.st_mtim.tv_nsec)
        .arg(st.st_ctim.tv_sec)
        .arg(st.st_ctim.tv_nsec);
}

// The permissions of the file of 64 bytes open in this process when a write
// meets a file size limit of 64 bytes (SIGXFSZ), in the middle of a save.
// How a change of the list ended: saved; kept in the list unsaved, which the
// close tells, because the file could not be read at start; or not saved,
// told at once.
enum class Ended { Saved, NotWritten, Failed };
static Ended EndOf(MemoryStore& store, const Outcome<StoreChange>& change)
{
    if (!change)
        return Ended::Failed;
    return store.Save() ? Ended::Saved : Ended::NotWritten;
}

static mode_t g_modeAtLimit = 0;
static void SeeFileAtLimit(int)
{
    const int saved = errno;
    struct stat st = {};
    for (int fd = 3; fd < 1024; ++fd)
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 64)
            g_modeAtLimit = st.st_mode & 07777;
    errno = saved;
}

// The memory file: where it lies, reading, the byte-exact round trip, failed
// writes, and the store that keeps it in step with the list.
class TestMemoryFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath("List.slc");

    bool Write(const QByteArray& bytes)
    {
        QFile file(m_path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray Bytes() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    }

private slots:
    // Lines end at CR LF, a lone CR or a lone LF; empty lines and lines
    // starting with "*" are no entries. Bytes that are no valid UTF-8 read as
    // U+DC00 + byte, so every entry gives its bytes back.
    void read()
    {
        // clang-format off
        const std::pair<QByteArray, QStringList> cases[] = {
            {"*comment\r\n\r\n#00FF00\r\n", {"#00FF00"}}, {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
            {"a\n\rb\r\n\r\n", {"a", "b"}}, {" *x\r\n\t#FFFFFF  \r\n*", {" *x", "\t#FFFFFF  "}},
            {QByteArray("a\0b", 3), {QStringLiteral(u"a\0b")}}, {"\xEF\xBB\xBF*x", {QStringLiteral(u"\uFEFF*x")}},
            {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
             {QStringLiteral(u"\u0080\u07FF\u0800\uD7FF\uE000\U00010000\U0010FFFF")}},
            {"\x80\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82",
             {QStringLiteral(u"\xDC80\xDCC0\xDCAF\xDCED\xDCA0\xDC80\xDCF4\xDC90\xDC80\xDC80\xDCE2\xDC82")}},
            {"\xF0\x90\x80!", {QStringLiteral(u"\xDCF0\xDC90\xDC80!")}}};
        // clang-format on
        for (const auto& [bytes, entries] : cases) {
            QStringList lines{"before"};
            QVERIFY(Write(bytes) && ReadMemoryFile(m_path, lines));
            QCOMPARE(lines, QStringList{"before"} + entries);
            QVERIFY(bytes.contains(EncodeText(entries.last())));
        }
        // Each code point in as few bytes as UTF-8 takes, at every boundary.
        QCOMPARE(EncodeText(u"\u007F\u0080\u07FF\u0800\uFFFF\U00010000").toHex(),
                 "7fc280dfbfe0a080efbfbff0908080");
        // Other lone surrogates (pasted into the code box) have no bytes of their own.
        QCOMPARE(EncodeText(u"a\xD800\x62\xDC41\xDFFF\xD800\xE000"), "a?b???\xEE\x80\x80");
    }

    // A file read into the list and written back comes out byte for byte.
    void byteExactRoundTrip()
    {
        QByteArray bytes(
            "\xEF\xBB\xBF#FFFFFF\r\nca\xC3\xB1\xE9 \xFF\r\n\xF0\x9F\x8E\xA8\xC0\xAF\r\n  \r\n");
        for (int i = 0; i < 100000; ++i)
            bytes += QByteArray::number(i * 167, 16) + "\r\n";
        QStringList lines;
        QVERIFY(Write(bytes) && ReadMemoryFile(m_path, lines));
        MemoryListModel list;
        FillMemoryList(lines, list);
        QVERIFY(list.Count() == 100004 && WriteTextFile(m_path, MemoryListText(list)) &&
                Bytes() == bytes);
        // Into a list that holds entries, line i goes to index i; an empty
        // entry, or one holding a line end, is left out of the file.
        list.SetItems({"", "#1\n#2", "#FFFFFF", "#3\r"});
        FillMemoryList({"#0080FF", "x"}, list);
        list.RemoveAt(list.Count()), list.RemoveAt(-1); // no such entries: nothing happens
        QCOMPARE(MemoryListText(list), "#0080FF\r\nx\r\n#FFFFFF\r\n");
        // An empty list empties the file, which keeps its permissions.
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(m_path, mode) && WriteTextFile(m_path, "") &&
                Bytes().isEmpty());
        QVERIFY((QFile::permissions(m_path) & 0x7077) == mode && WriteTextFile("", "x"));
        // The superuser saving another user's file leaves it that user's, and
        // a file of another group that group's.
        if (geteuid() == 0) {
            for (uint owner : {65534u, 0u}) { // another user's file, or only its group
                QVERIFY(chown(qPrintable(m_path), owner, 65534) == 0 && WriteTextFile(m_path, "x"));
                QCOMPARE(QFileInfo(m_path).ownerId() + QFileInfo(m_path).groupId(), owner + 65534);
            }
        }
        // A very long line shows its start only; the entry itself stays whole.
        list.SetItems({QString(100000, 'x')});
        QCOMPARE(list.data(list.index(0)).toString(), QString(256, 'x') + QChar(0x2026));
        QCOMPARE(list.data(list.index(0), Qt::EditRole), list.Item(0));
    }

    // Each failure leaves the old file and no other behind, and says why in
    // Spanish, naming what failed.
    void failedWritesKeepTheOldFile()
    {
        const auto expectOldKept = [&](const Outcome<>& written, const QString& reason) {
            QVERIFY2(!written && Bytes() == "#0080FF\r\n", qPrintable(reason));
            QCOMPARE(written.Reason(), reason);
            QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{"List.slc"});
        };
        const QString body = QString("#FFFFFF\r\n").repeated(500);
        QVERIFY(Write("#0080FF\r\n"));
        Outcome<> written = WriteTextFile(m_dir.path(), body);
        expectOldKept(written, "Es una carpeta");
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner));
        expectOldKept(WriteTextFile(m_path, body), "Permiso denegado");
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner));
        // Asked right before the new file takes the old one's place: a change
        // made meanwhile is never overwritten.
        expectOldKept(Replace(m_path, "x", [] { return false; }),
                      "El archivo cambió mientras se guardaba.");
        // A folder put in its place then: the rename fails, the new file goes.
        written =
            Replace(m_path, "x", [&] { return QFile::remove(m_path) && QDir().mkdir(m_path); });
        QVERIFY(QDir().rmdir(m_path) && Write("#0080FF\r\n"));
        expectOldKept(written, "Error al sustituir el archivo: Es una carpeta");

        // A file size limit stands for a full disk. The write that meets it
        // finds the new file, 64 bytes long by then, as private as the old
        // one, whatever the umask lets a new file be.
        std::signal(SIGXFSZ, SeeFileAtLimit);
        umask(022);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{64, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        written = WriteTextFile(m_path, body);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        expectOldKept(written, "Error al escribir: Archivo demasiado grande");
        QCOMPARE(g_modeAtLimit, mode_t(0600));

        // A folder the user may not write to, over a file the user may write
        // (the superuser becomes the user nobody for this).
        const bool root = geteuid() == 0;
        const auto readOnly = QFile::Permissions::fromInt(0x5555); // r-x for everyone
        QVERIFY(QFile::setPermissions(m_dir.path(), readOnly));
        QVERIFY(!root || (chown(qPrintable(m_path), 65534, 65534) == 0 && seteuid(65534) == 0));
        written = WriteTextFile(m_path, body);
        QVERIFY(!root || seteuid(0) == 0);
        QVERIFY(QFile::setPermissions(m_dir.path(), readOnly | QFile::WriteOwner));
        expectOldKept(written,
                      "No se pudo crear un archivo en " + m_dir.path() + ": Permiso denegado");
        // A folder that cannot be made is named.
        QCOMPARE(WriteTextFile("/proc/none/Tintaro/List.slc", body).Reason(),
                 "No se pudo crear la carpeta /proc/none: No existe el archivo o la carpeta");
    }

    // Names relative to the current folder: the file, a new folder, a link
    // and the leftovers of saves are all looked for there.
    void relativeNames()
    {
        const QString before = QDir::currentPath();
        const auto back = qScopeGuard([&] { QDir::setCurrent(before); });
        QVERIFY(QDir::setCurrent(m_dir.path()) && Write(""));
        QVERIFY(Replace("new/List.slc", "x") && QFile::link("List.slc", "Link.slc"));
        QVERIFY(QFile(".List.slc.tintaro-1").open(QIODevice::WriteOnly));
        QVERIFY(Replace("Link.slc", "#FFFFFF\r\n") && Bytes() == "#FFFFFF\r\n");
        RemoveLeftovers("List.slc");
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).join(' '), "Link.slc List.slc");
        QCOMPARE(QFileInfo("new/List.slc").size(), 1);
        QVERIFY(SameFile("Link.slc", m_path) && SameFile("none", m_dir.filePath("none")));
        QCOMPARE(ResolvedPath("Link.slc") + ResolvedPath("/none"), m_path + "/none");
        QVERIFY(QFile::remove("Link.slc") && QDir("new").removeRecursively());
    }

    // Beside the program in a folder the user may write; in the data folder
    // for a folder that does not exist, and always for a system install, even
    // for the superuser and through a symbolic link.
    void location()
    {
        const QString tmp = m_dir.path(), data = "/home/u/.local/share/Tintaro";
        QVERIFY(QFile::link("/usr/bin", tmp + "/usr-link"));
        QCOMPARE(MemoryFilePathFor(tmp, data), tmp + "/List.slc");
        for (const QString& folder :
             {tmp + "/missing", QString("/usr/bin"), QString("/opt/tintaro"), tmp + "/usr-link"})
            QCOMPARE(MemoryFilePathFor(folder, data), data + "/List.slc");
        // A file where the program's folder should be is no place for the list.
        QVERIFY(Write("x"));
        QCOMPARE(MemoryFilePathFor(m_path, data), data + "/List.slc");
        // Started as /opt/tintaro/tintaro, a link to a folder elsewhere.
        QCOMPARE(MemoryFilePathFor(tmp, data, "/opt/tintaro"), data + "/List.slc");
        // Without HOME, in the home the user database gives.
        const QByteArray home = qgetenv("HOME");
        qunsetenv("HOME");
        const QString byDatabase = DataFolder();
        qputenv("HOME", home);
        QCOMPARE(byDatabase,
                 QString(getpwuid(geteuid())->pw_dir) + "/.local/share/test_memory_file");
        // A home, or a data folder, whose name is not UTF-8 keeps its bytes.
        const QByteArray xdg = qgetenv("XDG_DATA_HOME"), latin1 = "/home/Beg\xf1"
                                                                  "a";
        for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
            qunsetenv("XDG_DATA_HOME");
            qputenv(name, latin1);
            const QByteArray folder = FileName::Encode(DataFolder());
            qputenv("HOME", home);
            QCOMPARE(folder,
                     latin1 + (name[0] == 'H' ? "/.local/share" : "") + "/test_memory_file");
        }
        qputenv("XDG_DATA_HOME", xdg);
    }

    // Only "no such file" (or folder) is a missing list. Whatever else
    // cannot be read as a regular file of at most 64 MiB is reported at once
    // and never written; the list starts empty.
    void storeNeverWritesWhatItCannotRead()
    {
        for (const char* make :
             {"touch List.slc", "ln -s List.slc List.slc", "mkfifo List.slc",
              "ln -s /dev/zero List.slc", "truncate -s 65M List.slc", "mkdir List.slc"}) {
            QTemporaryDir dir;
            QCOMPARE(QProcess::execute("sh", {"-c", QString("cd \"$0\" && ") + make, dir.path()}),
                     0);
            const QString before = StampOf(dir.filePath("List.slc"));
            const bool missing = QByteArray(make).startsWith("touch"); // a file as folder
            const QString path = dir.filePath(missing ? "List.slc/List.slc" : "List.slc");
            MemoryListModel list;
            MemoryStore store(list);
            QVERIFY2(bool(store.Load(path)) == missing, make);
            QVERIFY2(EndOf(store, store.Add("#FFFFFF")) ==
                         (missing ? Ended::Failed : Ended::NotWritten),
                     make);
            // A name given meanwhile is kept unsaved: no names file beside.
            QVERIFY2(bool(store.Rename(0, "nombre")) == !missing &&
                         !QFile::exists(dir.filePath("List.names")),
                     make);
            QVERIFY2(StampOf(dir.filePath("List.slc")) == before, make);
        }
        // The system's reason, in Spanish, whatever the locale.
        MemoryListModel list;
        MemoryStore store(list);
        QCOMPARE(store.Load(m_dir.filePath(QString(300, 'x'))).Reason(),
                 "Nombre de archivo demasiado largo");
        // A failed read (the process's own memory at address 0) leaves
        // nothing of what its buffer held in the list.
        QCOMPARE(store.Load("/proc/self/mem").Reason(), "Error de entrada/salida");
        QCOMPARE(list.Count(), 0);
        QVERIFY(SystemError::Text(EHOSTDOWN).endsWith(QString(" (error %1)").arg(EHOSTDOWN)));
        // A file that says it is empty is read to its end.
        QVERIFY(Read("/proc/self/status")->value().contains("\nPid:"));
    }

    // Entries added and removed by hand while the list is shown are taken in
    // at the next save; comment lines are not written back, and an entry
    // added both by hand and in the window is kept once.
    void storeTakesInChangesOnDisk()
    {
        QVERIFY(Write("#111111\r\n#333333\r\n"));
        MemoryListModel list;
        MemoryStore store(list);
        QVERIFY(store.Load(m_path));
        QVERIFY(Write("#000000\r\n#333333\r\n*mine\r\n#222222\n"));
        QVERIFY(store.Add("#000000"));
        QCOMPARE(list.Items(), (QStringList{"#000000", "#333333", "#222222"}));
        QCOMPARE(Bytes(), "#000000\r\n#333333\r\n#222222\r\n");
        // What was saved is not made again on a later hand edit.
        QVERIFY(Write("#333333\r\n"));
        QVERIFY(store.Add("#555555"));
        QCOMPARE(Bytes(), "#333333\r\n#555555\r\n");
        // Grown past what Tintaro reads since: not written over, the list kept.
        QVERIFY(QFile::resize(m_path, 65 << 20));
        const Outcome<StoreChange> added = store.Add("#444444");
        QVERIFY(!added);
        QCOMPARE(QFileInfo(m_path).size() + list.Count(), (65 << 20) + 3);
        QVERIFY(added.Reason().contains(
            "El archivo cambió y no se puede leer: El archivo mide más de 64"));
    }

    // Each change of the list is saved at once, and only a change: "Guardar"
    // of a code the list holds and an import of nothing new write nothing.
    void storeSavesEachChange()
    {
        QFile::remove(m_path);
        MemoryListModel list;
        MemoryStore store(list);
        QVERIFY(store.Load(m_path));
        const auto counts = [](const Outcome<StoreChange>& outcome) {
            return outcome ? QList<int>{0, outcome->added, outcome->skipped} : QList<int>{2};
        };
        QCOMPARE(counts(store.Merge({"#B", "#A", "#B"})), (QList<int>{0, 2, 1}));
        QVERIFY(Bytes() == "#A\r\n#B\r\n" && QFile::remove(m_path));
        QCOMPARE(counts(store.Add("#A")) + counts(store.Merge({"#A", "#B"})),
                 (QList<int>{0, 0, 1, 0, 0, 2}));
        QCOMPARE(Bytes(), "<unreadable>");
        QCOMPARE(counts(store.Add("#C")) + counts(store.Remove(0)), (QList<int>{0, 1, 0, 0, 0, 0}));
        QCOMPARE(Bytes(), "#B\r\n#C\r\n");
    }

    // Changes made again on a file edited by hand go where making them one
    // at a time on the list puts them, also in a file in an order of its own
    // with entries twice over; the window's list is reset once for it all.
    void handEditTakenInAtOnce()
    {
        std::mt19937 random(7);
        const auto code = [&] { // "ab7", "AB7", "b7": texts equal but for case, many twice
            QString text = QString::number(random() % 99);
            for (int i = int(random() % 2); i >= 0; --i)
                text.prepend(QChar("aAbB"[random() % 4]));
            return text;
        };
        for (int round = 0; round < 40; ++round) {
            QStringList entries;
            for (int i = int(random() % 300); i > 0; --i)
                entries.append(code());
            if (round % 2 == 0)
                std::sort(entries.begin(), entries.end(), MemoryListModel::SortsBefore);
            MemoryListModel expected;
            expected.SetItems(entries);
            UnsavedChanges changes;
            for (int i = int(random() % 2000); i > 0; --i) {
                const QString text = code();
                const int index = int(expected.Items().indexOf(text));
                if (random() % 3 == 0)
                    changes.Removed(text), expected.RemoveAt(index);
                else if (changes.Added(text); index < 0)
                    expected.AddSorted(text);
            }
            QCOMPARE(changes.MadeAgainOn(entries), expected.Items());
        }
        // Changes whose saves failed (a folder in the file's place) are kept
        // for the next save.
        QVERIFY(Write("#B\r\n#A\r\n"));
        MemoryListModel list;
        MemoryStore store(list);
        QVERIFY(store.Load(m_path) && QFile::remove(m_path) && QDir().mkdir(m_path));
        QVERIFY(!store.Add("#A0") && !store.Remove(int(list.Items().indexOf("#B"))) &&
                !store.Add("#D"));
        QVERIFY(QDir().rmdir(m_path) && Write("#C\r\n#B\r\n"));
        QSignalSpy inserted(&list, SIGNAL(rowsInserted(QModelIndex, int, int))),
            removed(&list, SIGNAL(rowsRemoved(QModelIndex, int, int))),
            reset(&list, SIGNAL(modelReset()));
        QVERIFY(store.Save());
        QCOMPARE(list.Items(), (QStringList{"#A0", "#C", "#D"}));
        QCOMPARE(QList<qsizetype>({inserted.size(), removed.size(), reset.size()}),
                 QList<qsizetype>({0, 0, 1}));
    }

    // A save that would write what the file holds writes nothing, not even a
    // file of its own: a list marked read-only closes without a failure,
    // also after "Guardar" of a code it holds, and the file keeps its inode
    // and times.
    void unchangedListNotWritten()
    {
        for (const mode_t mode : {0444, 0644}) {
            QFile::remove(m_path);
            QVERIFY(Write("#0080FF\r\n") && chmod(qPrintable(m_path), mode) == 0);
            const QString before = StampOf(m_path);
            MemoryListModel list;
            MemoryStore store(list);
            QVERIFY(store.Load(m_path));
            QVERIFY(store.Add("#0080FF"));
            QVERIFY(store.Save());
            QCOMPARE(StampOf(m_path) +
                         QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).join(" "),
                     before + "List.slc");
        }
    }

    // A save cut short (killed at its last look before the rename) leaves a
    // file beside the list, removed at the next start; a file that a save in
    // progress holds, in this process or another, and the user's own (also a
    // FIFO or a link of that name) are kept.
    void leftoversOfSavesRemoved()
    {
        const auto files = [&] {
            return QDir(m_dir.path())
                .entryList(QDir::Files | QDir::Hidden | QDir::System)
                .join(' ');
        };
        QVERIFY(Write("#0080FF\r\n"));
        if (const pid_t child = fork(); child == 0)
            (void)Replace(m_path, "#FFFFFF\r\n", [] { return raise(SIGKILL) == 0; }), _exit(0);
        QVERIFY(wait(nullptr) > 0 && files().count(' ') == 1);
        QFile held(m_dir.filePath(".List.slc.tintaro-1")),
            mine(m_dir.filePath(".List.slc.tintaro-Old")),
            stale(m_dir.filePath(".List.slc.tintaro-09az")); // every kind of random character
        QVERIFY(mine.open(QIODevice::WriteOnly) && held.open(QIODevice::WriteOnly) &&
                stale.open(QIODevice::WriteOnly) && flock(held.handle(), LOCK_EX) == 0);
        stale.close();
        QVERIFY(mkfifo(qPrintable(m_dir.filePath(".List.slc.tintaro-fifo")), 0600) == 0 &&
                QFile::link("none", m_dir.filePath(".List.slc.tintaro-link")));
        MemoryListModel list;
        MemoryStore store(list);
        QVERIFY(Replace(m_path, "#FFFFFF\r\n", [&] { return bool(store.Load(m_path)); }));
        QCOMPARE(files() + ' ' + list.Items().join(' '),
                 ".List.slc.tintaro-1 .List.slc.tintaro-fifo .List.slc.tintaro-link "
                 ".List.slc.tintaro-Old List.slc #0080FF");
    }

    // A link is followed only where no one else could have planted it: the
    // link and its folder the user's (or the superuser's), the folder
    // writable by no one else. Otherwise nothing is read through it and
    // nothing written, neither at start nor when it is swapped in later, and
    // a dangling link's target is never made. A file the superuser creates
    // in a user's folder becomes that user's.
    void linksFollowedOnlyWhenSafe()
    {
        const bool root = geteuid() == 0;
        // folder mode, folder owner, link owner (-1: no link), swapped in
        // after the start, dangling; expected: told at start, the list read,
        // the save's result, the target's bytes after, the saved file's owner.
        struct Case
        {
            const char* name;
            int mode, folderOwner, linkOwner;
            bool swapped, dangling, told;
            const char* listed;
            Ended result;
            QByteArray target;
            int savedOwner;
        };
        using R = Ended;
        const QByteArray kept = "#TARGET\r\n";
        const Case cases[] = {
            {"own link, own folder", 0755, 0, 0, false, false, false, "#TARGET", R::Saved,
             "#000000\r\n#TARGET\r\n", -1},
            {"another user's link", 0755, 0, 65534, false, false, true, "", R::NotWritten, kept,
             -1},
            {"folder open to all", 0777, 0, 0, false, false, true, "", R::NotWritten, kept, -1},
            {"another user's folder", 0755, 65534, 0, false, false, true, "", R::NotWritten, kept,
             -1},
            {"shared group folder", 02775, 0, 0, false, false, true, "", R::NotWritten, kept, -1},
            {"swapped in", 01777, 0, 65534, true, false, false, "", R::Failed, kept, -1},
            {"dangling", 0755, 0, 0, false, true, false, "", R::Failed, "", -1},
            {"new file by root", 0755, 65534, -1, false, false, false, "", R::Saved, "", 65534},
        };
        for (const Case& c : cases) {
            if (!root && (c.folderOwner != 0 || c.linkOwner > 0))
                continue; // only the superuser can give files to others
            QTemporaryDir dir;
            const QString folder = dir.filePath("f"), path = folder + "/List.slc",
                          target = dir.filePath("target");
            QVERIFY(QDir().mkdir(folder) && chmod(qPrintable(folder), c.mode) == 0);
            QVERIFY(!root || chown(qPrintable(folder), c.folderOwner, c.folderOwner) == 0);
            const auto plant = [&] {
                return QFile::link(target, folder + "/new") &&
                       (!root ||
                        lchown(qPrintable(folder + "/new"), c.linkOwner, c.linkOwner) == 0) &&
                       rename(qPrintable(folder + "/new"), qPrintable(path)) == 0;
            };
            if (!c.dangling && c.linkOwner >= 0) {
                QFile file(target);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kept) == 9);
            }
            if (c.swapped)
                QVERIFY(QFile(path).open(QIODevice::WriteOnly));
            else if (c.linkOwner >= 0)
                QVERIFY(plant());
            MemoryListModel list;
            MemoryStore store(list);
            QVERIFY2(bool(store.Load(path)) != c.told, c.name);
            QVERIFY2(list.Items().join(' ') == c.listed, c.name);
            if (c.swapped)
                QVERIFY(plant());
            QVERIFY2(EndOf(store, store.Add("#000000")) == c.result, c.name);
            QVERIFY2(!c.told || !Replace(path, "x"), c.name);
            QFile result(target);
            QVERIFY2((result.open(QIODevice::ReadOnly) ? result.readAll() : "") == c.target,
                     c.name);
            if (c.savedOwner >= 0)
                QVERIFY2(QFileInfo(path).ownerId() == uint(c.savedOwner), c.name);
        }
    }

    // A hand edit of the same size within the same second, on a file system
    // that keeps times to the second: the times and size say nothing
    // changed, the bytes do.
    void editsSeenWhereTimesAreCoarse()
    {
        QTemporaryDir dir;
        const QString mount = dir.filePath("mnt"), path = mount + "/List.slc";
        QVERIFY(QDir().mkdir(mount));
        if (QProcess::execute("sh", {"-c",
                                     "truncate -s 4M \"$0/img\" && mkfs.ext4 -q -I 128 \"$0/img\" "
                                     ">/dev/null 2>&1 && mount -o loop \"$0/img\" \"$0/mnt\"",
                                     dir.path()}) != 0)
            QSKIP("no loop mount here (the superuser can make one)");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mount}); });
        MemoryListModel list;
        MemoryStore store(list);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("#111111\r\n") == 9);
        file.close();
        QVERIFY(store.Load(path));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write("#222222\r\n") == 9);
        file.close();
        QVERIFY(store.Add("#000000"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "#000000\r\n#222222\r\n");
    }

    // Copies started with other runtime folders (cron, su, ssh) meet at the
    // lock beside the file, in a folder made for it; a link in its place is
    // told, not followed; a folder that cannot hold it sends it to the
    // private folder, which must be one.
    void lockBesideTheFile()
    {
        using R = SingleCopyGuard::Result;
        QTemporaryDir run[2];
        QString reason;
        const auto take = [&](int runtime, const QString& file) {
            qputenv("XDG_RUNTIME_DIR", run[runtime].path().toUtf8());
            return std::make_unique<SingleCopyGuard>(file);
        };
        const auto first = take(0, m_dir.filePath("new/List.slc"));
        QCOMPARE(first->TryAcquire(), R::Acquired);
        QCOMPARE(take(1, m_dir.filePath("new/List.slc"))->TryAcquire(), R::Running);
        QCOMPARE(first->LockPath(), m_dir.filePath("new/.List.slc.lock"));
        QVERIFY(QFile::link(m_path, m_dir.filePath(".Link.slc.lock")));
        QCOMPARE(take(1, m_dir.filePath("Link.slc"))->TryAcquire(&reason), R::Unavailable);
        QCOMPARE(reason,
                 m_dir.filePath(".Link.slc.lock: Demasiados niveles de enlaces simbólicos"));
        const auto readOnly = take(1, "/proc/none/List.slc");
        QCOMPARE(readOnly->TryAcquire(), R::Acquired);
        QVERIFY(readOnly->LockPath().startsWith(run[1].path()));
        // Without a runtime folder, a link in the private folder's place is
        // no private folder.
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CACHE_HOME", run[0].path().toUtf8());
        QVERIFY(QFile::link(run[1].path(), run[0].filePath("tintaro")));
        QCOMPARE(SingleCopyGuard("/proc/none/List.slc").TryAcquire(&reason), R::Unavailable);
        qunsetenv("XDG_CACHE_HOME");
        QCOMPARE(reason,
                 "La carpeta " + run[0].filePath("tintaro") + " no es privada del usuario.");
    }

    // Copies that start and end in quick succession never hold the lock at
    // the same time, however their opens, locks and removals interleave: a
    // copy holds the lock file that is under the name, never one just removed.
    void lockNeverHeldByTwo()
    {
        const QString file = m_dir.filePath("Busy.slc");
        std::atomic<int> holders = 0;
        std::atomic<bool> broken = false;
        QElapsedTimer timer;
        timer.start();
        const auto copy = [&] {
            while (timer.elapsed() < 400 && !broken) {
                SingleCopyGuard guard(file);
                if (guard.TryAcquire() != SingleCopyGuard::Result::Acquired)
                    continue;
                if (holders.fetch_add(1) != 0 || !QFileInfo::exists(guard.LockPath()))
                    broken = true;
                holders.fetch_sub(1);
            }
        };
        std::thread other(copy);
        copy();
        other.join();
        QVERIFY(!broken);
    }
};

QTEST_GUILESS_MAIN(TestMemoryFile)
#include "test_memory_file.moc"
