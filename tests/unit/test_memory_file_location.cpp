// SPDX-License-Identifier: MIT
#include "MemoryFileLocation.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestMemoryFileLocation : public QObject
{
    Q_OBJECT

private slots:
    // Beside the program in a folder the user may write; in the data folder
    // for a folder that does not exist, and always for a system install, even
    // for the superuser and through a symbolic link. (A folder the user may
    // not write is tried by the package test.)
    void chosenFolder()
    {
        QTemporaryDir dir;
        const QString tmp = dir.path(), data = "/home/u/.local/share/Tintaro";
        QVERIFY(QFile::link("/usr/bin", tmp + "/usr-link"));
        QCOMPARE(IO_System::MemoryFilePathFor(tmp, data), tmp + "/List.slc");
        for (const QString& folder :
             {tmp + "/missing", QString("/usr/bin"), QString("/opt/tintaro"), tmp + "/usr-link"})
            QCOMPARE(IO_System::MemoryFilePathFor(folder, data), data + "/List.slc");
    }
};

QTEST_GUILESS_MAIN(TestMemoryFileLocation)
#include "test_memory_file_location.moc"
