// SPDX-License-Identifier: MIT
#include "MemoryFileLocation.h"

#include "SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace MemoryFileLocation {

namespace {

// Under /usr or /opt, symbolic links resolved (a folder that does not exist
// is taken as written).
bool IsSystemFolder(const QString& folder)
{
    const QString path = SafeFile::ResolvedPath(folder);
    for (const QLatin1String root : {QLatin1String("/usr"), QLatin1String("/opt")}) {
        if (path == root || path.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
}

} // namespace

QString MemoryFilePathFor(const QString& programFolder, const QString& dataFolder)
{
    const QString beside = WithTrailingSlash(programFolder) + QStringLiteral("List.slc");
    if (!IsSystemFolder(programFolder)) {
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

QString MemoryFilePath()
{
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // XDG_DATA_HOME must be absolute; Qt 6.4 takes a relative one as it is,
    // which would put the list wherever the program was started from.
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share/") +
               QCoreApplication::applicationName();
    const QString path = MemoryFilePathFor(QCoreApplication::applicationDirPath(), data);
    QDir().mkpath(QFileInfo(path).path());
    return path;
}

} // namespace MemoryFileLocation
