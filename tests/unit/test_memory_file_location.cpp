// SPDX-License-Identifier: MIT
#include "MemoryFileLocation.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class TestMemoryFileLocation : public QObject
{
    Q_OBJECT

private slots:
    // Beside the program where the user may create files or a list already is
    // (a read-only folder, though the superuser may still write in it); in the
    // data folder where neither holds, and always for a system install.
    void chosenFolder()
    {
        QTemporaryDir dir;
        const QString tmp = dir.path(), kept = tmp + "/kept", data = "/home/u/.local/share/Tintaro";
        QVERIFY(QDir(tmp).mkpath("kept") && QFile(kept + "/List.slc").open(QIODevice::WriteOnly));
        QVERIFY(QFile::link("/usr/bin", tmp + "/usr-link"));
        QFile::setPermissions(kept, QFile::ReadOwner | QFile::ExeOwner);
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        for (const QString& folder : {tmp, kept})
            QCOMPARE(IO_System::MemoryFilePathFor(folder, data), folder + "/List.slc");
        for (const QString& folder :
             {tmp + "/missing", QString("/usr/bin"), QString("/opt/tintaro"), tmp + "/usr-link"})
            QCOMPARE(IO_System::MemoryFilePathFor(folder, data), data + "/List.slc");
    }
};

QTEST_GUILESS_MAIN(TestMemoryFileLocation)
#include "test_memory_file_location.moc"
