// SPDX-License-Identifier: MIT
#include "IO_System.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace IO_System;

namespace {

// Bytes of a literal that may hold NUL.
template <qsizetype N> QByteArray Bytes(const char (&data)[N])
{
    return QByteArray(data, N - 1);
}

// The text of bytes that are no valid UTF-8: each byte b as U+DC00 + b.
QString Escaped(const QByteArray& bytes)
{
    QString text;
    for (char byte : bytes)
        text += QChar(0xDC00 + static_cast<unsigned char>(byte));
    return text;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Reads the file at path into list, then writes the list back there.
bool ReadAndWriteBack(const QString& path, MemoryListModel& list)
{
    QStringList lines;
    const bool read = ReadMemoryFile(path, lines) == ReadStatus::Read;
    FillMemoryList(lines, list);
    return read && WriteTextFile(path, MemoryListText(list));
}

} // namespace

class TestIoSystem : public QObject
{
    Q_OBJECT
private slots:
    void readFilter_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("comment, empty line, CR LF")
            << QByteArray("*comment\r\n\r\n#00FF00\r\n") << QStringList{"#00FF00"};
        QTest::newRow("CR LF, lone CR, lone LF, last line without end")
            << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("CR LF CR LF at end")
            << QByteArray("#0080FF\r\n\r\n") << QStringList{"#0080FF"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "b"};
        QTest::newRow("only ends") << QByteArray("\r\n\r\n\n\r\r") << QStringList{};
        QTest::newRow("star only first, kept untrimmed")
            << QByteArray(" *x\r\n\t#FFFFFF  \r\n*") << QStringList{" *x", "\t#FFFFFF  "};
        QTest::newRow("NUL is a character")
            << Bytes("a\0b\r\n") << QStringList{QString("a") + QChar(0) + QString("b")};
        QTest::newRow("BOM kept in first line")
            << QByteArray("\xEF\xBB\xBF*x\r\n") << QStringList{QStringLiteral(u"\uFEFF*x")};
    }

    void readFilter()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        WriteBytes(path, bytes);
        QStringList lines{"before"};
        QCOMPARE(ReadMemoryFile(path, lines), ReadStatus::Read);
        QCOMPARE(lines, QStringList{"before"} + entries);
    }

    // Only "no such file" (or folder) is a missing list. Whatever else
    // cannot be read as a regular file of at most 64 MiB is reported at once
    // and never written; the list starts empty.
    void storeNeverWritesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("make"); // run in the scratch folder
        QTest::newRow("a file as folder") << "touch List.slc";
        QTest::newRow("symlink loop") << "ln -s List.slc List.slc";
        QTest::newRow("FIFO") << "mkfifo List.slc";
        QTest::newRow("device") << "ln -s /dev/zero List.slc";
        QTest::newRow("65 MiB") << "truncate -s 65M List.slc";
        QTest::newRow("folder") << "mkdir List.slc";
    }

    void storeNeverWritesWhatItCannotRead()
    {
        QFETCH(QString, make);
        QTemporaryDir dir;
        QCOMPARE(QProcess::execute("sh", {"-c", "cd \"$0\" && " + make, dir.path()}), 0);
        const FileStamp before = StampOf(dir.filePath("List.slc"));
        const bool missing = make.startsWith("touch");
        const QString path = dir.filePath(missing ? "List.slc/List.slc" : "List.slc");
        MemoryStore store;
        MemoryListModel list;
        QCOMPARE(store.Load(path, list).isEmpty(), missing);
        list.AddSorted("#FFFFFF");
        store.Added("#FFFFFF");
        QString message;
        QCOMPARE(store.Save(list, &message),
                 missing ? MemoryStore::SaveResult::Failed : MemoryStore::SaveResult::Kept);
        QVERIFY(StampOf(dir.filePath("List.slc")) == before);
    }

    // Entries added and removed by hand while the list is shown are taken in
    // at the next save; comment lines are not written back.
    void storeTakesInChangesOnDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        WriteBytes(path, "#111111\r\n#333333\r\n");
        MemoryStore store;
        MemoryListModel list;
        QString message;
        QVERIFY(store.Load(path, list).isEmpty());
        WriteBytes(path, "#333333\r\n*mine\r\n#222222\n");
        list.AddSorted("#000000");
        store.Added("#000000");
        QCOMPARE(store.Save(list, &message), MemoryStore::SaveResult::Saved);
        QCOMPARE(list.Items(), (QStringList{"#000000", "#333333", "#222222"}));
        QCOMPARE(ReadBytes(path), QByteArray("#000000\r\n#333333\r\n#222222\r\n"));
    }

    void decodeEncode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // Code points at the edges of each sequence length and of the surrogates.
        QTest::newRow("valid UTF-8")
            << QByteArray("#\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80"
                          "\xF4\x8F\xBF\xBF")
            << QStringLiteral(u"#\u0080\u07FF\u0800\uD7FF\uE000\U00010000\U0010FFFF");
        const QByteArray invalid("\x80\xFF"         // stray continuation, never a lead
                                 "\xC0\xAF"         // overlong two bytes
                                 "\xE0\x80\xAF"     // overlong three bytes
                                 "\xF0\x8F\xBF\xBF" // overlong four bytes
                                 "\xF0\x90\x80"     // no fourth byte
                                 "\xED\xA0\x80"     // encoded surrogate
                                 "\xF4\x90\x80\x80" // above U+10FFFF
                                 "\xE2\x82");       // truncated at the end
        QTest::newRow("invalid UTF-8") << invalid << Escaped(invalid);
        QTest::newRow("truncated inside, escape before valid")
            << QByteArray("caf\xE9 \xE2\x82\x41\xC3\xC3\xB1")
            << "caf" + Escaped("\xE9") + " " + Escaped("\xE2\x82") +
                   QStringLiteral(u"A\xDCC3\u00F1");
    }

    void decodeEncode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeLine(bytes), text);
        QCOMPARE(EncodeText(text), bytes);
    }

    void encodeLoneSurrogates()
    {
        // Lone surrogates other than the escapes never come from a file.
        QCOMPARE(EncodeText(u"a\xDC41\xD800\x62\xDFFF\xD800"), QByteArray("a??b??"));
    }

    void writeReadRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        MemoryListModel list;
        list.AddSorted("#FFFFFF");
        list.AddSorted("#0080FF");
        list.AddSorted(""); // an empty entry is left out of the file, as is one with a line end
        list.AddSorted("#1\n#2");
        list.AddSorted("#3\r");
        QVERIFY(WriteTextFile(path, MemoryListText(list)));
        QCOMPARE(ReadBytes(path), QByteArray("#0080FF\r\n#FFFFFF\r\n"));

        // Into a list that already holds entries, line i goes to index i.
        QVERIFY(ReadAndWriteBack(path, list));
        QCOMPARE(list.Items(),
                 (QStringList{"#0080FF", "#FFFFFF", "", "#0080FF", "#1\n#2", "#3\r", "#FFFFFF"}));

        // An empty list replaces a longer file with an empty one, keeping its
        // permissions.
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(WriteTextFile(path, MemoryListText(MemoryListModel())));
        QCOMPARE(ReadBytes(path), QByteArray());
        QCOMPARE(QFile::permissions(path) & 0x7077,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        // The superuser saving another user's file leaves it that user's.
        if (geteuid() == 0) {
            QCOMPARE(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
            QVERIFY(WriteTextFile(path, "#000000\r\n"));
            QCOMPARE(QFileInfo(path).ownerId() + QFileInfo(path).groupId(), 2u * 65534);
        }

        QVERIFY(WriteTextFile(QString(), "#000000\r\n"));
    }

    // A file read into the list and written back comes out byte for byte.
    void byteExactRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("entries");
        QTest::newRow("non-ASCII, invalid UTF-8, NUL, blanks")
            << Bytes("\xEF\xBB\xBF#FFFFFF\r\n"
                     "ca\xC3\xB1\xE9 \xFF\xFE\r\n"
                     "\xF0\x9F\x8E\xA8\xED\xA0\x80\xC0\xAF\r\n"
                     "a\0b\r\n"
                     "   \r\n")
            << 5;
        QByteArray large;
        for (int i = 0; i < 100000; ++i)
            large += QString("#%1\r\n").arg(i * 167, 6, 16, QChar('0')).toUpper().toLatin1();
        QTest::newRow("100,000 lines") << large << 100000;
    }

    void byteExactRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, entries);
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        WriteBytes(path, bytes);
        MemoryListModel list;
        QVERIFY(ReadAndWriteBack(path, list));
        QCOMPARE(list.Count(), entries);
        QCOMPARE(ReadBytes(path), bytes);
    }

    void paths()
    {
        QCOMPARE(WithTrailingSlash("/opt/tintaro"), QStringLiteral("/opt/tintaro/"));
        QCOMPARE(WithTrailingSlash("/opt/tintaro/"), QStringLiteral("/opt/tintaro/"));
        QCOMPARE(MemoryFilePath(), QCoreApplication::applicationDirPath() + "/List.slc");
    }

    void writeFailuresKeepOldFile()
    {
        const QByteArray old("#0080FF\r\n");
        const QString body = QString("#FFFFFF\r\n").repeated(500);
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QString error;
        const auto expectOldKept = [&](bool written, const char* what) {
            QVERIFY2(!written && !error.isEmpty(), what);
            QCOMPARE(ReadBytes(path), old);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{"List.slc"});
            error.clear();
        };

        QVERIFY(!WriteTextFile(dir.path(), body, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(dir.path()).isDir());
        error.clear();

        WriteBytes(path, old);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        expectOldKept(WriteTextFile(path, body, &error), "read-only file");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));

        // A file size limit stands for a full disk.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 64;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = WriteTextFile(path, body, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        expectOldKept(written, "disk full");

        if (geteuid() == 0)
            QSKIP("the superuser can write into a read-only folder");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool intoReadOnlyFolder = WriteTextFile(path, body, &error);
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        expectOldKept(intoReadOnlyFolder, "read-only folder");
    }
};

QTEST_GUILESS_MAIN(TestIoSystem)
#include "test_io_system.moc"
