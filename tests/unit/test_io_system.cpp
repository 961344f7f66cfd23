#include "IO_System.h"
#include "MemoryListModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace IO_System;

namespace {

// Text of a UTF-16 literal, which may hold lone surrogates.
QString U(QStringView text)
{
    return text.toString();
}

// Bytes of a literal that may hold NUL.
template <qsizetype N> QByteArray Bytes(const char (&data)[N])
{
    return QByteArray(data, N - 1);
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

QStringList Entries(const QString& path)
{
    QStringList lines;
    ReadMemoryFile(path, lines);
    return lines;
}

} // namespace

class TestIoSystem : public QObject
{
    Q_OBJECT
private slots:
    void readFilter_data();
    void readFilter();
    void readMissingAndUnreadable();
    void decodeEncode_data();
    void decodeEncode();
    void decodeAgreesWithUtf8AndRoundTrips();
    void encodeLoneSurrogates();
    void writeReadRoundTrip();
    void byteExactRoundTrip();
    void largeRoundTrip();
    void fillAndText();
    void trailingSlash_data();
    void trailingSlash();
    void memoryFilePath();
    void writeFailuresKeepOldFile();
};

void TestIoSystem::readFilter_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("comment, empty line, code")
        << QByteArray("*comment\r\n\r\n#00FF00\r\n") << QStringList{"#00FF00"};
    QTest::newRow("line of spaces") << QByteArray("   \r\n") << QStringList{"   "};
    QTest::newRow("last line without end")
        << QByteArray("#0080FF\r\n\r\n#FFFFFF") << QStringList{"#0080FF", "#FFFFFF"};
    QTest::newRow("CR LF CR LF at end") << QByteArray("#0080FF\r\n\r\n") << QStringList{"#0080FF"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("mixed ends") << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "b"};
    QTest::newRow("only ends") << QByteArray("\r\n\r\n\n\r\r") << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("star only first") << QByteArray(" *x\r\nx*\r\n*") << QStringList{" *x", "x*"};
    QTest::newRow("kept untrimmed") << QByteArray("\t#FFFFFF  \r\n") << QStringList{"\t#FFFFFF  "};
    QTest::newRow("NUL is a character")
        << Bytes("a\0b\r\n") << QStringList{QString("a") + QChar(0) + QString("b")};
    QTest::newRow("BOM kept in first line")
        << QByteArray("\xEF\xBB\xBF*x\r\n") << QStringList{U(u"\uFEFF*x")};
}

void TestIoSystem::readFilter()
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

void TestIoSystem::readMissingAndUnreadable()
{
    QTemporaryDir dir;
    QStringList lines{"before"};
    QString error = "untouched";
    QCOMPARE(ReadMemoryFile(dir.filePath("List.slc"), lines, &error), ReadStatus::Missing);
    QCOMPARE(error, QString("untouched"));

    QVERIFY(QDir(dir.path()).mkdir("List.slc"));
    QCOMPARE(ReadMemoryFile(dir.filePath("List.slc"), lines, &error), ReadStatus::Unreadable);
    QVERIFY(!error.isEmpty() && error != "untouched");
    QCOMPARE(lines, QStringList{"before"});

    if (geteuid() == 0)
        QSKIP("the superuser can read a file without read permission");
    const QString path = dir.filePath("locked.slc");
    WriteBytes(path, "#FFFFFF\r\n");
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    error.clear();
    QCOMPARE(ReadMemoryFile(path, lines, &error), ReadStatus::Unreadable);
    QVERIFY(!error.isEmpty());
    QCOMPARE(lines, QStringList{"before"});
}

void TestIoSystem::decodeEncode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("#0080FF") << QString("#0080FF");
    QTest::newRow("two bytes") << QByteArray("\xC3\xB1") << U(u"\u00F1");
    QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC") << U(u"\u20AC");
    QTest::newRow("lowest three bytes") << QByteArray("\xE0\xA0\x80") << U(u"\u0800");
    QTest::newRow("below surrogates") << QByteArray("\xED\x9F\xBF") << U(u"\uD7FF");
    QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x8E\xA8") << U(u"\U0001F3A8");
    QTest::newRow("highest") << QByteArray("\xF4\x8F\xBF\xBF") << U(u"\U0010FFFF");
    QTest::newRow("latin-1 byte") << QByteArray("caf\xE9") << U(u"caf\xDCE9");
    QTest::newRow("stray continuation") << QByteArray("\x80\xFF") << U(u"\xDC80\xDCFF");
    QTest::newRow("overlong two") << QByteArray("\xC0\xAF") << U(u"\xDCC0\xDCAF");
    QTest::newRow("overlong three") << QByteArray("\xE0\x80\xAF") << U(u"\xDCE0\xDC80\xDCAF");
    QTest::newRow("overlong four")
        << QByteArray("\xF0\x8F\xBF\xBF") << U(u"\xDCF0\xDC8F\xDCBF\xDCBF");
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << U(u"\xDCED\xDCA0\xDC80");
    QTest::newRow("above U+10FFFF")
        << QByteArray("\xF4\x90\x80\x80") << U(u"\xDCF4\xDC90\xDC80\xDC80");
    QTest::newRow("truncated at end") << QByteArray("x\xE2\x82") << U(u"x\xDCE2\xDC82");
    QTest::newRow("truncated inside") << QByteArray("\xE2\x82\x41") << U(u"\xDCE2\xDC82\x41");
    QTest::newRow("escape before valid") << QByteArray("\xC3\xC3\xB1") << U(u"\xDCC3\u00F1");
}

void TestIoSystem::decodeEncode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeLine(bytes), text);
    QCOMPARE(EncodeText(text), bytes);
}

void TestIoSystem::decodeAgreesWithUtf8AndRoundTrips()
{
    // Every byte string comes back unchanged; valid UTF-8 decodes as Qt decodes
    // it, and an invalid one holds at least one escaped byte.
    const auto check = [](const QByteArray& bytes) {
        const QString text = DecodeLine(bytes);
        if (EncodeText(text) != bytes)
            return false;
        if (QByteArrayView(bytes).isValidUtf8())
            return text == QString::fromUtf8(bytes);
        return std::any_of(text.cbegin(), text.cend(),
                           [](QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; });
    };
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const char pair[] = {char(a), char(b)};
            QVERIFY2(check(QByteArray(pair, 2)), qPrintable(QString("%1 %2").arg(a).arg(b)));
        }
    QRandomGenerator random(2024);
    for (int n = 0; n < 20000; ++n) {
        QByteArray bytes;
        for (int i = random.bounded(1, 9); i > 0; --i)
            bytes.append(
                char(random.bounded(2) ? random.bounded(0x80, 0x100) : random.bounded(256)));
        QVERIFY2(check(bytes), bytes.toHex(' ').constData());
    }
    // Text without lone surrogates comes back unchanged and is written as UTF-8.
    for (int n = 0; n < 2000; ++n) {
        QString text;
        for (int i = random.bounded(1, 9); i > 0; --i) {
            char32_t c = random.bounded(0x110000);
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 'S';
            text += QString::fromUcs4(&c, 1);
        }
        QCOMPARE(EncodeText(text), text.toUtf8());
        QCOMPARE(DecodeLine(EncodeText(text)), text);
    }
}

void TestIoSystem::encodeLoneSurrogates()
{
    QCOMPARE(EncodeText(u"a\xDC41\x62"), QByteArray("a?b"));
    QCOMPARE(EncodeText(u"\xD800\x61"), QByteArray("?a"));
    QCOMPARE(EncodeText(u"a\xD800"), QByteArray("a?"));
    QCOMPARE(EncodeText(u"\xDFFF"), QByteArray("?"));
}

void TestIoSystem::writeReadRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("List.slc");
    MemoryListModel list;
    list.AddSorted("#FFFFFF");
    list.AddSorted("#0080FF");
    QVERIFY(WriteTextFile(path, MemoryListText(list)));
    QCOMPARE(ReadBytes(path), QByteArray("#0080FF\r\n#FFFFFF\r\n"));
    QCOMPARE(Entries(path), list.Items());

    // An empty list replaces a longer file with an empty one.
    QVERIFY(WriteTextFile(path, MemoryListText(MemoryListModel())));
    QVERIFY(QFileInfo(path).exists());
    QCOMPARE(ReadBytes(path), QByteArray());
    QCOMPARE(Entries(path), QStringList());

    // The file's permissions survive a rewrite.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QVERIFY(WriteTextFile(path, "#000000\r\n"));
    QCOMPARE(QFile::permissions(path) & 0x7077,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    QVERIFY(WriteTextFile(QString(), "#000000\r\n"));
}

void TestIoSystem::byteExactRoundTrip()
{
    const QByteArray original = Bytes("\xEF\xBB\xBF#FFFFFF\r\n"
                                      "ca\xC3\xB1\xE9 \xFF\xFE\r\n"
                                      "\xF0\x9F\x8E\xA8\xED\xA0\x80\xC0\xAF\r\n"
                                      "a\0b\r\n"
                                      "   \r\n");
    QCOMPARE(original.count('\n'), 5);
    QTemporaryDir dir;
    const QString path = dir.filePath("List.slc");
    WriteBytes(path, original);
    QStringList lines;
    QCOMPARE(ReadMemoryFile(path, lines), ReadStatus::Read);
    QCOMPARE(lines.size(), 5);
    MemoryListModel list;
    FillMemoryList(lines, list);
    QVERIFY(WriteTextFile(path, MemoryListText(list)));
    QCOMPARE(ReadBytes(path), original);
}

void TestIoSystem::largeRoundTrip()
{
    QStringList items;
    for (int i = 0; i < 100000; ++i)
        items.append(QString("#%1").arg(i * 167, 6, 16, QChar('0')).toUpper());
    MemoryListModel list;
    list.SetItems(items);
    QTemporaryDir dir;
    const QString path = dir.filePath("List.slc");
    QVERIFY(WriteTextFile(path, MemoryListText(list)));
    QCOMPARE(QFileInfo(path).size(), 100000 * 9);
    QStringList lines;
    QCOMPARE(ReadMemoryFile(path, lines), ReadStatus::Read);
    MemoryListModel loaded;
    FillMemoryList(lines, loaded);
    QCOMPARE(loaded.Items(), items);
}

void TestIoSystem::fillAndText()
{
    // Into a list that already holds entries, line i goes to index i.
    MemoryListModel list;
    list.AddSorted("#000000");
    list.AddSorted("");
    FillMemoryList({"#FFFFFF", "#0080FF"}, list);
    QCOMPARE(list.Items(), (QStringList{"#FFFFFF", "#0080FF", "", "#000000"}));
    // Empty entries are left out of the text.
    QCOMPARE(MemoryListText(list), QString("#FFFFFF\r\n#0080FF\r\n#000000\r\n"));
}

void TestIoSystem::trailingSlash_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("result");
    QTest::newRow("without") << "/opt/tintaro"
                             << "/opt/tintaro/";
    QTest::newRow("with") << "/opt/tintaro/"
                          << "/opt/tintaro/";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("drive root") << "C:/"
                                << "C:/";
    QTest::newRow("drive folder") << "C:/Tintaro"
                                  << "C:/Tintaro/";
}

void TestIoSystem::trailingSlash()
{
    QFETCH(QString, folder);
    QFETCH(QString, result);
    QCOMPARE(WithTrailingSlash(folder), result);
}

void TestIoSystem::memoryFilePath()
{
    const QFileInfo memoryFile(MemoryFilePath());
    QCOMPARE(memoryFile.fileName(), QString("List.slc"));
    QCOMPARE(memoryFile.absolutePath(), QCoreApplication::applicationDirPath());
}

void TestIoSystem::writeFailuresKeepOldFile()
{
    const QByteArray old("#0080FF\r\n");
    const QString body = QString("#FFFFFF\r\n").repeated(500);
    QTemporaryDir dir;
    const QString path = dir.filePath("List.slc");
    QString error;
    const auto expectOldKept = [&](bool written, const char* what) {
        QVERIFY2(!written, what);
        QVERIFY2(!error.isEmpty(), what);
        QCOMPARE(ReadBytes(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"List.slc"});
        error.clear();
    };

    QVERIFY(!WriteTextFile(dir.path(), body, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.path()).isDir());
    error.clear();

    WriteBytes(path, old);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    expectOldKept(WriteTextFile(path, body, &error), "read-only file");
    if (QTest::currentTestFailed())
        return;
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
    if (QTest::currentTestFailed())
        return;

    if (geteuid() == 0)
        QSKIP("the superuser can write into a read-only folder");
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool intoReadOnlyFolder = WriteTextFile(path, body, &error);
    QVERIFY(
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    expectOldKept(intoReadOnlyFolder, "read-only folder");
}

QTEST_GUILESS_MAIN(TestIoSystem)
#include "test_io_system.moc"
