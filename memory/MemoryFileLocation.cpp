// SPDX-License-Identifier: MIT
#include "MemoryFileLocation.h"

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
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return home;
#ifdef Q_OS_UNIX
    // Without HOME (a service, `env -i`), the user database knows it.
    if (const passwd* user = ::getpwuid(::geteuid()); user != nullptr && user->pw_dir != nullptr)
        return QFile::decodeName(user->pw_dir);
#endif
    return QDir::homePath();
}

QString DataFolder()
{
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // XDG_DATA_HOME must be absolute; Qt 6.4 takes a relative one as it is,
    // which would put the list wherever the program was started from. Without
    // HOME, Qt would put it at the root of the file system.
    const QString home = qEnvironmentVariable("HOME");
    if (data.isEmpty() || QDir::isRelativePath(data) || home.isEmpty() ||
        QDir::isRelativePath(home)) {
        const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
        data = (QDir::isAbsolutePath(xdg) ? xdg : UserHome() + QStringLiteral("/.local/share")) +
               QLatin1Char('/') + QCoreApplication::applicationName();
    }
    return data;
}

QString MemoryFilePath()
{
    const QString path = MemoryFilePathFor(ProgramFolder(), DataFolder(), StartedFolder());
    QDir().mkpath(QFileInfo(path).path());
    return path;
}

QString ForDisplay(const QString& path)
{
    if (g_folderByDescriptor.isEmpty() || !path.startsWith(g_folderByDescriptor))
        return QDir::toNativeSeparators(path);
    return g_folderShown + path.mid(g_folderByDescriptor.size());
}

} // namespace MemoryFileLocation
