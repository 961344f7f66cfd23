// SPDX-License-Identifier: MIT
#include "MemoryFileLocation.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class TestMemoryFileLocation : public QObject
{
    Q_OBJECT

private slots:
    // Beside the program where the user may write or a list already is;
    // otherwise, and always for a system install, in the data folder.
    void chosenFolder()
    {
        QTemporaryDir dir;
        const QString tmp = dir.path(), data = QStringLiteral("/home/u/.local/share/Tintaro");
        QVERIFY(QDir(tmp).mkpath("free") && QDir(tmp).mkpath("locked/kept"));
        QFile(tmp + "/locked/kept/List.slc").open(QIODevice::WriteOnly);
        QVERIFY(QFile::link("/usr/bin", tmp + "/usrlink"));
        // Read-only folders (the superuser may still write in them).
        for (const char* folder : {"/locked/kept", "/locked"})
            QFile::setPermissions(tmp + folder, QFile::ReadOwner | QFile::ExeOwner);
        const auto unlock = qScopeGuard([&] {
            for (const char* folder : {"/locked", "/locked/kept"})
                QFile::setPermissions(tmp + folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        const bool root = geteuid() == 0;
        const struct
        {
            QString program;
            bool beside;
        } cases[] = {{tmp + "/free", true},   {tmp + "/locked/kept", true},
                     {tmp + "/locked", root}, {tmp + "/missing", false},
                     {"/usr/bin", false},     {"/usr/local/bin/", false},
                     {"/opt/tintaro", false}, {tmp + "/usrlink", false}};
        for (const auto& c : cases) {
            QCOMPARE(IO_System::MemoryFilePathFor(c.program, data),
                     (c.beside ? c.program : data) + "/List.slc");
        }
    }
};

QTEST_GUILESS_MAIN(TestMemoryFileLocation)
#include "test_memory_file_location.moc"
