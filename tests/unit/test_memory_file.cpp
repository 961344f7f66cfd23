// SPDX-License-Identifier: MIT
#include "IO_System.h"
#include "MemoryListModel.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace IO_System;

namespace {

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

// The memory file (reading, the byte-exact round trip, failed writes) and the
// memory list's model.
class TestMemoryFile : public QObject
{
    Q_OBJECT
private slots:
    // Lines end at CR LF, a lone CR or a lone LF; empty lines and lines
    // starting with "*" are no entries. Bytes that are no valid UTF-8 read as
    // U+DC00 + byte, so every entry gives its bytes back.
    void read()
    {
        // clang-format off
        const std::pair<QByteArray, QStringList> cases[] = {
            {"*comment\r\n\r\n#00FF00\r\n", {"#00FF00"}},
            {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
            {"a\n\rb\r\n\r\n", {"a", "b"}},
            {" *x\r\n\t#FFFFFF  \r\n*", {" *x", "\t#FFFFFF  "}},
            {QByteArray("a\0b", 3), {QStringLiteral(u"a\0b")}},
            {"\xEF\xBB\xBF*x", {QStringLiteral(u"\uFEFF*x")}},
            {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
             {QStringLiteral(u"\u0080\u07FF\u0800\uD7FF\uE000\U00010000\U0010FFFF")}},
            {"\x80\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82",
             {QStringLiteral(u"\xDC80\xDCC0\xDCAF\xDCED\xDCA0\xDC80\xDCF4\xDC90\xDC80\xDC80\xDCE2\xDC82")}}};
        // clang-format on
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        for (const auto& [bytes, entries] : cases) {
            QStringList lines{"before"};
            QVERIFY(WriteBytes(path, bytes) && ReadMemoryFile(path, lines) == ReadStatus::Read);
            QCOMPARE(lines, QStringList{"before"} + entries);
            for (const QString& line : entries)
                QVERIFY(bytes.contains(EncodeText(line)));
        }
        QCOMPARE(EncodeText(u"a\xD800\x62\xDFFF"), QByteArray("a?b?")); // no byte form
        QCOMPARE(MemoryFilePath(), QCoreApplication::applicationDirPath() + "/List.slc");
        QCOMPARE(WithTrailingSlash("/a/"), QStringLiteral("/a/"));

        QStringList lines{"before"};
        QString error = "untouched";
        QCOMPARE(ReadMemoryFile(dir.filePath("none"), lines, &error), ReadStatus::Missing);
        QCOMPARE(ReadMemoryFile(dir.path(), lines, &error), ReadStatus::Unreadable);
        QVERIFY(error != "untouched" && !error.isEmpty());
        QCOMPARE(lines, QStringList{"before"});
    }

    // A file read into the list and written back comes out byte for byte.
    void byteExactRoundTrip()
    {
        QByteArray bytes(
            "\xEF\xBB\xBF#FFFFFF\r\nca\xC3\xB1\xE9 \xFF\r\n\xF0\x9F\x8E\xA8\xC0\xAF\r\n  \r\n");
        for (int i = 0; i < 100000; ++i)
            bytes += QByteArray::number(i * 167, 16).toUpper() + "\r\n";
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QStringList lines;
        QVERIFY(WriteBytes(path, bytes) && ReadMemoryFile(path, lines) == ReadStatus::Read);
        MemoryListModel list;
        FillMemoryList(lines, list);
        QCOMPARE(list.Count(), 100004);
        QVERIFY(WriteTextFile(path, MemoryListText(list)));
        QVERIFY(ReadBytes(path) == bytes);

        // Into a list that holds entries, line i goes to index i; an empty
        // entry is left out of the file.
        list.SetItems({"", "#FFFFFF"});
        FillMemoryList({"#0080FF", "x"}, list);
        QCOMPARE(list.Items(), (QStringList{"#0080FF", "x", "", "#FFFFFF"}));
        QCOMPARE(MemoryListText(list), QStringLiteral("#0080FF\r\nx\r\n#FFFFFF\r\n"));
        // An empty list empties the file, which keeps its permissions.
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode) && WriteTextFile(path, QString()));
        QCOMPARE(ReadBytes(path), QByteArray());
        QCOMPARE(QFile::permissions(path) & 0x7077, mode);
        QVERIFY(WriteTextFile(QString(), "#000000\r\n"));
    }

    void failedWritesKeepTheOldFile()
    {
        const QString body = QString("#FFFFFF\r\n").repeated(500);
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc");
        QVERIFY(WriteBytes(path, "#0080FF\r\n"));
        QString error;
        const auto expectOldKept = [&](bool written, const char* what) {
            QVERIFY2(!written && !error.isEmpty(), what);
            QCOMPARE(ReadBytes(path), QByteArray("#0080FF\r\n"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{"List.slc"});
            error.clear();
        };
        expectOldKept(WriteTextFile(dir.path(), body, &error) || !QFileInfo(dir.path()).isDir(),
                      "folder");

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
        bool written = WriteTextFile(path, body, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        expectOldKept(written, "disk full");

        // A folder the user may not write to, over a file the user may write
        // (the superuser becomes the user nobody for this).
        const bool root = geteuid() == 0;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                      QFile::ReadGroup | QFile::ExeGroup |
                                                      QFile::ReadOther | QFile::ExeOther));
        QVERIFY(!root || (chown(qPrintable(path), 65534, 65534) == 0 && seteuid(65534) == 0));
        written = WriteTextFile(path, body, &error);
        QVERIFY(!root || seteuid(0) == 0);
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        expectOldKept(written, "read-only folder");
    }

    void model()
    {
        MemoryListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Digits before letters, case ignored, equal entries after the earlier ones.
        QList<int> places;
        for (const char* code : {"#ff8000", "#FF0000", "#a00000", "#0A0000", "#Ff8000", "#900000"})
            places << model.AddSorted(code);
        QCOMPARE(places, (QList<int>{0, 0, 0, 0, 4, 1}));
        QCOMPARE(model.Items().join(' '), "#0A0000 #900000 #a00000 #FF0000 #ff8000 #Ff8000");
        // Explicit places are kept, clamped to the list; removals outside it are ignored.
        model.InsertAt(-3, "first");
        model.InsertAt(99, "last");
        model.InsertAt(2, "zz");
        for (int row : {-1, 9, 100, 1})
            model.RemoveAt(row);
        QCOMPARE(model.Items().join(' '), "first zz #900000 #a00000 #FF0000 #ff8000 #Ff8000 last");
        // A very long line shows its start only; the entry itself stays whole.
        const QString longLine(100000, QLatin1Char('x'));
        model.SetItems({longLine});
        QCOMPARE(model.data(model.index(0)).toString(), longLine.left(256) + QChar(0x2026));
        QCOMPARE(model.data(model.index(0), Qt::AccessibleTextRole), model.data(model.index(0)));
        QCOMPARE(model.data(model.index(0), Qt::EditRole).toString(), longLine);
        QVERIFY(!model.data(model.index(0), Qt::DecorationRole).isValid());
    }
};

QTEST_GUILESS_MAIN(TestMemoryFile)
#include "test_memory_file.moc"
