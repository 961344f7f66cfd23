// SPDX-License-Identifier: MIT
#include "SafeFile.h"

#include "AtomicWrite.h"
#include "FileName.h"
#include "LinkRules.h"
#include "SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace SafeFile {

namespace {

QString NotRegularText()
{
    return QStringLiteral(
        "No es un archivo normal, sino una carpeta, una tubería o un dispositivo.");
}

QString TooLargeText()
{
    return QStringLiteral("El archivo mide más de %1 MiB, el máximo que Tintaro lee.")
        .arg(MaxFileSize / (1024 * 1024));
}

#ifdef Q_OS_UNIX
// Reads the regular file at path whole. Opened without waiting, so a FIFO
// without a writer or a device cannot hold the program; what it is comes
// from the opened descriptor, so it cannot be swapped after the test.
ReadStatus ReadBytes(const QString& path, QByteArray& bytes, QString* errorText, Links links)
{
    LinkRules::Target target;
    target.path = FileName::Encode(path);
    if (links == Links::Checked) {
        target = LinkRules::Follow(target.path);
        if (!target.allowed) {
            SystemError::Tell(errorText, target.reason);
            return ReadStatus::Unreadable;
        }
    }
    // The last link was checked: a link swapped in since is not followed.
    const int noFollow = links == Links::Checked ? O_NOFOLLOW : 0;
    int fd = -1;
    do {
        fd = ::open(target.path.constData(),
                    O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | noFollow);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // Only "no such file" (or a path through something that is no
        // folder) means there is no list; any other error hides one.
        if (errno == ENOENT || errno == ENOTDIR)
            return ReadStatus::Missing;
        SystemError::Tell(errorText, SystemError::Text(errno));
        return ReadStatus::Unreadable;
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st = {};
    if (::fstat(fd, &st) != 0) {
        SystemError::Tell(errorText, SystemError::Text(errno));
        return ReadStatus::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        SystemError::Tell(errorText, NotRegularText());
        return ReadStatus::Unreadable;
    }
    if (st.st_size > MaxFileSize) {
        SystemError::Tell(errorText, TooLargeText());
        return ReadStatus::TooLarge;
    }
    // One byte more than the size, to see the end at once; the file may
    // still grow while it is read.
    bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > MaxFileSize) {
                SystemError::Tell(errorText, TooLargeText());
                return ReadStatus::TooLarge;
            }
            bytes.resize(qMin<qsizetype>(done * 2, MaxFileSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SystemError::Tell(errorText, SystemError::Text(errno));
            return ReadStatus::Unreadable;
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return ReadStatus::Read;
}

#else
ReadStatus ReadBytes(const QString& path, QByteArray& bytes, QString* errorText, Links)
{
    const QFileInfo info(path);
    if (!info.exists())
        return ReadStatus::Missing;
    if (!info.isFile()) {
        SystemError::Tell(errorText, NotRegularText());
        return ReadStatus::Unreadable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SystemError::Tell(errorText, file.errorString());
        return ReadStatus::Unreadable;
    }
    bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        SystemError::Tell(errorText, file.errorString());
        return ReadStatus::Unreadable;
    }
    if (bytes.size() > MaxFileSize) {
        bytes.clear();
        SystemError::Tell(errorText, TooLargeText());
        return ReadStatus::TooLarge;
    }
    return ReadStatus::Read;
}

#endif

} // namespace

ReadStatus Read(const QString& path, QByteArray& bytes, QString* errorText, Links links)
{
    return ReadBytes(path, bytes, errorText, links);
}

bool Replace(const QString& path, const QByteArray& bytes, QString* errorText,
             const std::function<bool()>& unchanged)
{
    if (path.isEmpty())
        return true;
    const LinkRules::Target target = LinkRules::Follow(FileName::Encode(path));
    if (!target.allowed || target.dangling) {
        SystemError::Tell(errorText, target.allowed
                                         ? QStringLiteral("%1 es un enlace simbólico a un "
                                                          "archivo que no existe: Tintaro no "
                                                          "lo crea.")
                                               .arg(path)
                                         : target.reason);
        return false;
    }
    // The path as the system names it: no round trip through text, which
    // would lose a name that is not valid UTF-8.
    return AtomicWrite::Replace(target.path, bytes, errorText, unchanged);
}

bool SameFile(const QString& a, const QString& b)
{
#ifdef Q_OS_UNIX
    struct stat first = {};
    struct stat second = {};
    if (::stat(FileName::Encode(a).constData(), &first) == 0 &&
        ::stat(FileName::Encode(b).constData(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#endif
    return ResolvedPath(a) == ResolvedPath(b);
}

void RemoveLeftovers(const QString& path)
{
    const LinkRules::Target target = LinkRules::Follow(FileName::Encode(path));
    if (target.allowed && !target.dangling)
        AtomicWrite::RemoveLeftovers(target.path);
}

QString ResolvedPath(const QString& path)
{
#ifdef Q_OS_UNIX
    // Through the bytes: Qt's file classes would lose a name that is not
    // valid UTF-8.
    const auto real = [](const QByteArray& name) {
        char* resolved = ::realpath(name.constData(), nullptr);
        const QString text = resolved != nullptr ? FileName::Decode(resolved) : QString();
        ::free(resolved);
        return text;
    };
    const QString absolute =
        QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path);
    const QByteArray name = FileName::Encode(absolute);
    if (const QString canonical = real(name); !canonical.isEmpty())
        return canonical;
    const qsizetype slash = absolute.lastIndexOf(u'/');
    const QString folder = real(FileName::Encode(absolute.left(qMax<qsizetype>(slash, 1))));
    if (folder.isEmpty())
        return absolute;
    return (folder == u'/' ? QString() : folder) + absolute.mid(slash);
#else
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) {
        return canonical;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty()) {
        return QDir::cleanPath(info.absoluteFilePath());
    }
    return folder + QLatin1Char('/') + info.fileName();
#endif
}

} // namespace SafeFile
