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
Outcome<std::optional<QByteArray>> ReadBytes(const QString& path, Links links)
{
    QByteArray name = FileName::Encode(path);
    if (links == Links::Checked) {
        const Outcome<LinkRules::Target> target = LinkRules::Follow(name);
        if (!target)
            return Failed(target.Reason());
        name = target->path;
    }
    // The last link was checked: a link swapped in since is not followed.
    const int noFollow = links == Links::Checked ? O_NOFOLLOW : 0;
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | noFollow);
    } while (fd < 0 && errno == EINTR); // GCOVR_EXCL_BR_LINE: O_NONBLOCK opens never wait
    if (fd < 0) {
        // Only "no such file" (or a path through something that is no
        // folder) means there is no list; any other error hides one.
        if (errno == ENOENT || errno == ENOTDIR)
            return std::optional<QByteArray>();
        return Failed(SystemError::Text(errno));
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st = {};
    if (::fstat(fd, &st) != 0)                   // GCOVR_EXCL_BR_LINE: fstat of an open file
        return Failed(SystemError::Text(errno)); // GCOVR_EXCL_LINE: fstat of an open file
    if (!S_ISREG(st.st_mode))
        return Failed(NotRegularText());
    if (st.st_size > MaxFileSize)
        return Failed(TooLargeText());
    // One byte more than the size, to see the end at once; the file may
    // still grow while it is read.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > MaxFileSize)
                return Failed(TooLargeText());
            bytes.resize(qMin<qsizetype>(done * 2, MaxFileSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR) // GCOVR_EXCL_BR_LINE: a regular file's read never waits
            continue;                  // GCOVR_EXCL_LINE: a regular file's read never waits
        if (got < 0)
            return Failed(SystemError::Text(errno));
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return std::optional<QByteArray>(std::move(bytes));
}

#else
Outcome<std::optional<QByteArray>> ReadBytes(const QString& path, Links)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::optional<QByteArray>();
    if (!info.isFile())
        return Failed(NotRegularText());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failed(file.errorString());
    QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Failed(file.errorString());
    if (bytes.size() > MaxFileSize)
        return Failed(TooLargeText());
    return std::optional<QByteArray>(std::move(bytes));
}

#endif

} // namespace

Outcome<std::optional<QByteArray>> Read(const QString& path, Links links)
{
    return ReadBytes(path, links);
}

Outcome<> Replace(const QString& path, const QByteArray& bytes,
                  const std::function<bool()>& unchanged)
{
    if (path.isEmpty())
        return {};
    const Outcome<LinkRules::Target> target = LinkRules::Follow(FileName::Encode(path));
    if (!target)
        return Failed(target.Reason());
    if (target->dangling)
        return Failed(QStringLiteral("%1 es un enlace simbólico a un archivo que no existe: "
                                     "Tintaro no lo crea.")
                          .arg(path));
    // The path as the system names it: no round trip through text, which
    // would lose a name that is not valid UTF-8.
    return AtomicWrite::Replace(target->path, bytes, unchanged);
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
    const Outcome<LinkRules::Target> target = LinkRules::Follow(FileName::Encode(path));
    if (target && !target->dangling)
        AtomicWrite::RemoveLeftovers(target->path);
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
