// SPDX-License-Identifier: MIT
#include "MemoryFileLocation.h"

#include "AtomicWrite.h"
#include "FileName.h"
#include "SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_UNIX
#include <pwd.h>
#endif

namespace MemoryFileLocation {

namespace {

// The program folder as the user knows it, where ProgramFolder had to name
// it by a descriptor.
QString g_folderByDescriptor;
QString g_folderShown;

// Under /usr or /opt, as written (cleaned) or with its links resolved.
bool IsSystemFolder(const QString& folder)
{
    for (const QString& path :
         {QDir::cleanPath(QDir(folder).absolutePath()), SafeFile::ResolvedPath(folder)}) {
        for (const QLatin1String root : {QLatin1String("/usr"), QLatin1String("/opt")}) {
            if (path == root || path.startsWith(root + QLatin1Char('/')))
                return true;
        }
    }
    return false;
}

// The folder the program was started from as the command named it, its
// links not resolved: argv[0], found on PATH when it names no folder.
QString StartedFolder()
{
    const QString command = QCoreApplication::arguments().value(0);
    const QString program =
        command.contains(QLatin1Char('/')) ? command : QStandardPaths::findExecutable(command);
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
}

// The folder of the running program. Qt gives it as text, which loses the
// bytes of a name that is not valid UTF-8 (a Latin-1 "Begoña" on a USB
// stick): such a folder is then named through a descriptor held open, whose
// name in /proc is plain ASCII.
QString ProgramFolder()
{
#ifdef Q_OS_LINUX
    QByteArray exe(PATH_MAX, Qt::Uninitialized);
    const ssize_t size = ::readlink("/proc/self/exe", exe.data(), size_t(exe.size()));
    if (size > 0 && size < exe.size()) {
        exe.truncate(size);
        const QByteArray folder = exe.left(qMax(exe.lastIndexOf('/'), 1));
        if (QFile::encodeName(QFile::decodeName(folder)) != folder) {
            const int fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                g_folderByDescriptor = QStringLiteral("/proc/self/fd/%1").arg(fd);
                g_folderShown = QFile::decodeName(folder);
                return g_folderByDescriptor;
            }
        }
    }
#endif
    return QCoreApplication::applicationDirPath();
}

} // namespace

QString MemoryFilePathFor(const QString& programFolder, const QString& dataFolder,
                          const QString& startedFolder)
{
    const QString beside = WithTrailingSlash(programFolder) + QStringLiteral("List.slc");
    if (!IsSystemFolder(programFolder) &&
        (startedFolder.isEmpty() || !IsSystemFolder(startedFolder))) {
        const QFileInfo folder(programFolder);
        if (QFileInfo::exists(beside) ||
            (folder.isDir() && folder.isWritable() && folder.isExecutable()))
            return beside;
    }
    return WithTrailingSlash(dataFolder) + QStringLiteral("List.slc");
}

QString WithTrailingSlash(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString UserHome()
{
    // As bytes: a home whose name is not valid UTF-8 is still the same folder.
    const QString home = FileName::Decode(qgetenv("HOME"));
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return home;
#ifdef Q_OS_UNIX
    // Without HOME (a service, `env -i`), the user database knows it.
    if (const passwd* user = ::getpwuid(::geteuid()); user != nullptr && user->pw_dir != nullptr)
        return FileName::Decode(user->pw_dir);
#endif
    return QDir::homePath();
}

QString DataFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Read here rather than through QStandardPaths, which decodes the
    // variables as text and names another folder when they are not valid
    // UTF-8. XDG_DATA_HOME must be absolute (Qt 6.4 would take a relative
    // one as it is, putting the list wherever the program was started from).
    const QString xdg = FileName::Decode(qgetenv("XDG_DATA_HOME"));
    return (QDir::isAbsolutePath(xdg) ? xdg : UserHome() + QStringLiteral("/.local/share")) +
           QLatin1Char('/') + QCoreApplication::applicationName();
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#endif
}

QString MemoryFilePath()
{
    const QString path = MemoryFilePathFor(ProgramFolder(), DataFolder(), StartedFolder());
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')));
#ifdef Q_OS_UNIX
    // Where it cannot be made, the first save says why.
    (void)AtomicWrite::MakeFolders(FileName::Encode(folder));
#else
    QDir().mkpath(folder);
#endif
    return path;
}

QString ForDisplay(const QString& path)
{
    if (g_folderByDescriptor.isEmpty() || !path.startsWith(g_folderByDescriptor))
        return QDir::toNativeSeparators(path);
    return g_folderShown + path.mid(g_folderByDescriptor.size());
}

} // namespace MemoryFileLocation
