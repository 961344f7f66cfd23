// SPDX-License-Identifier: MIT
#include "SingleCopyGuard.h"

#include "MemoryFileLocation.h"
#include "SafeFile.h"
#include "SystemError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace {

#ifdef Q_OS_UNIX
// A folder of this user's that nobody else may enter.
bool IsPrivateFolder(const QByteArray& folder, bool followLink)
{
    struct stat st = {};
    const int got = followLink ? ::stat(folder.constData(), &st) : ::lstat(folder.constData(), &st);
    return got == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The runtime folder when it is this user's alone, else "tintaro" in the
// user's cache folder, made private here.
QString LockFolder(QString* error)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && IsPrivateFolder(runtime, true)) {
        return QFile::decodeName(runtime);
    }
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    // Without HOME, Qt would name a folder at the root of the file system.
    if (!QDir::isAbsolutePath(qEnvironmentVariable("HOME")) &&
        !QDir::isAbsolutePath(qEnvironmentVariable("XDG_CACHE_HOME"))) {
        cache = MemoryFileLocation::UserHome() + QStringLiteral("/.cache");
    }
    if (cache.isEmpty()) {
        *error = QStringLiteral("No hay carpeta personal.");
        return QString();
    }
    const QString folder = cache + QStringLiteral("/tintaro");
    const QByteArray name = QFile::encodeName(folder);
    QDir().mkpath(cache);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        *error = SystemError::Text(errno);
        return QString();
    }
    struct stat st = {};
    if (::lstat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()) {
        ::chmod(name.constData(), 0700); // ours but open to others: close it
    }
    if (!IsPrivateFolder(name, false)) {
        *error = QStringLiteral("La carpeta %1 no es privada del usuario.").arg(folder);
        return QString();
    }
    return folder;
}
#else
QString LockFolder(QString* error)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           QStringLiteral("/tintaro");
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("No se pudo crear la carpeta %1.").arg(folder);
        return QString();
    }
    return folder;
}
#endif

} // namespace

SingleCopyGuard::SingleCopyGuard(const QString& memoryFile)
{
    const QString folder = LockFolder(&m_folderError);
    if (folder.isEmpty()) {
        return;
    }
    const QByteArray key = QCryptographicHash::hash(SafeFile::ResolvedPath(memoryFile).toUtf8(),
                                                    QCryptographicHash::Sha256)
                               .toHex()
                               .left(32);
    m_path =
        folder + QStringLiteral("/tintaro-") + QString::fromLatin1(key) + QStringLiteral(".lock");
}

SingleCopyGuard::~SingleCopyGuard()
{
#ifdef Q_OS_UNIX
    // Removed while still locked, then released: a copy that opened the
    // old file finds it gone and takes a new one (see TryAcquire).
    if (m_fd >= 0) {
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
    }
#endif
}

SingleCopyGuard::Result SingleCopyGuard::TryAcquire(QString* reason)
{
    QString ignored;
    QString& why = reason != nullptr ? *reason : ignored;
    if (m_path.isEmpty()) {
        why = m_folderError;
        return Result::Unavailable;
    }
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        return Result::Acquired;
    }
    // The kernel holds the lock for the process and drops it when the
    // process ends however it ends, so a lock is held exactly while its
    // copy lives. QLockFile instead guesses liveness from a process id
    // written in the file: a garbage file, a reused id or a copy in another
    // PID namespace (where every copy is process 1) would block every start.
    const QByteArray path = QFile::encodeName(m_path);
    // Each retry needs a copy to have ended between our open and our lock:
    // a few in a row mean copies keep starting and ending, so give up then.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0) {
            why = SystemError::Text(errno);
            return Result::Unavailable;
        }
        int locked = -1;
        do {
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) {
                return Result::Running;
            }
            why = SystemError::Text(error);
            return Result::Unavailable;
        }
        // A copy that just ended removes its file: a lock on a file no
        // longer found under the name guards nothing, so try again.
        struct stat held = {};
        struct stat named = {};
        if (::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_fd = fd;
            return Result::Acquired;
        }
        ::close(fd);
    }
    why = SystemError::Text(EAGAIN);
    return Result::Unavailable;
#else
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(m_path);
        m_lock->setStaleLockTime(0);
    }
    if (m_lock->isLocked() || m_lock->tryLock(0)) {
        return Result::Acquired;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        return Result::Running;
    }
    why = QStringLiteral("No se pudo crear %1.").arg(m_path);
    return Result::Unavailable;
#endif
}
