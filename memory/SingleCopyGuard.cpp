// SPDX-License-Identifier: MIT
#include "SingleCopyGuard.h"

#include "AtomicWrite.h"
#include "FileName.h"
#include "LinkRules.h"
#include "MemoryFileLocation.h"
#include "SafeFile.h"
#include "SystemError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace {

// The lock beside the memory file: where a link at the file's name leads, as
// the saves go, so that one file reached through two names is one lock (a
// link to the file's folder leads to the same folder anyway).
QByteArray LockBeside(const QString& memoryFile)
{
    const QByteArray name = FileName::Encode(memoryFile);
    const Outcome<LinkRules::Target> target = LinkRules::Follow(name);
    const QByteArray file = target && !target->dangling ? target->path : name;
    const qsizetype slash = file.lastIndexOf('/');
    return file.left(slash + 1) + '.' + file.mid(slash + 1) + ".lock";
}

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
        return FileName::Decode(runtime);
    }
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    // Without HOME, Qt would name a folder at the root of the file system.
    if (!QDir::isAbsolutePath(qEnvironmentVariable("HOME")) &&
        !QDir::isAbsolutePath(qEnvironmentVariable("XDG_CACHE_HOME"))) {
        cache = MemoryFileLocation::UserHome() + QStringLiteral("/.cache");
    }
    // GCOVR_EXCL_START: on Linux both names above end in a folder of the home
    if (cache.isEmpty()) {
        *error = QStringLiteral("No hay carpeta personal.");
        return QString();
    }
    // GCOVR_EXCL_STOP
    const QString folder = cache + QStringLiteral("/tintaro");
    const QByteArray name = FileName::Encode(folder);
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

// The lock in the private folder, keyed by the memory file's resolved path.
QByteArray PrivateLock(const QString& memoryFile, QString* error)
{
    const QString folder = LockFolder(error);
    if (folder.isEmpty()) {
        return QByteArray();
    }
    const QByteArray key = QCryptographicHash::hash(SafeFile::ResolvedPath(memoryFile).toUtf8(),
                                                    QCryptographicHash::Sha256)
                               .toHex()
                               .left(32);
    return FileName::Encode(folder + QStringLiteral("/tintaro-") + QString::fromLatin1(key) +
                            QStringLiteral(".lock"));
}

} // namespace

SingleCopyGuard::SingleCopyGuard(const QString& memoryFile)
    : m_memoryFile(memoryFile), m_path(LockBeside(memoryFile))
{
}

SingleCopyGuard::~SingleCopyGuard()
{
#ifdef Q_OS_UNIX
    // Removed while still locked, then released: a copy that opened the
    // old file finds it gone and takes a new one (see Take).
    if (m_fd >= 0) {
        ::unlink(m_path.constData());
        ::close(m_fd);
    }
#endif
}

QString SingleCopyGuard::LockPath() const
{
    return FileName::Decode(m_path);
}

SingleCopyGuard::Result SingleCopyGuard::TryAcquire(QString* reason)
{
    QString ignored;
    QString& why = reason != nullptr ? *reason : ignored;
    if (m_path.isEmpty()) {
        why = m_folderError;
        return Result::Unavailable;
    }
    if (!m_private) {
        // The list's folder (the user's data folder) may not be there yet:
        // it is made here as the first save would make it.
        const qsizetype slash = m_path.lastIndexOf('/');
        if (slash > 0) {
#ifdef Q_OS_UNIX
            // Where it cannot be made, taking the lock says why.
            (void)AtomicWrite::MakeFolders(m_path.left(slash));
#else
            QDir().mkpath(FileName::Decode(m_path.left(slash)));
#endif
        }
    }
    bool noPlace = false;
    const Result result = Take(&why, &noPlace);
    if (result != Result::Unavailable || !noPlace || m_private) {
        return result;
    }
    // Read-only media: the lock goes where only this user's copies meet it.
    m_private = true;
    m_path = PrivateLock(m_memoryFile, &m_folderError);
    return TryAcquire(reason);
}

SingleCopyGuard::Result SingleCopyGuard::Take(QString* why, bool* noPlace)
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        return Result::Acquired;
    }
    // The kernel holds the lock for the process and drops it when the
    // process ends however it ends, so a lock is held exactly while its
    // copy lives. QLockFile instead guesses liveness from a process id
    // written in the file: a garbage file, a reused id or a copy in another
    // PID namespace (where every copy is process 1) would block every start.
    // The file is this user's alone (0600) and opened only to be locked: a
    // user who may not write the folder can neither hold it nor plant it. A
    // link in its place is not followed.
    // Each retry needs a copy to have ended between our open and our lock:
    // a few in a row mean copies keep starting and ending, so give up then.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd =
            ::open(m_path.constData(),
                   O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            // No new file can be made there: a read-only file system, a
            // folder this user may not write, or none. A lock file that is
            // there but cannot be opened (another user's, a link) is told.
            struct stat st = {};
            *noPlace =
                error == EROFS || error == ENOENT ||
                ((error == EACCES || error == EPERM) && ::lstat(m_path.constData(), &st) != 0);
            *why = QStringLiteral("%1: %2").arg(LockPath(), SystemError::Text(error));
            return Result::Unavailable;
        }
        if (AtomicWrite::LockWithoutWaiting(fd) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) { // GCOVR_EXCL_BR_LINE: else a file system without locks
                return Result::Running;
            }
            // GCOVR_EXCL_START: flock fails so only without locks (NFS without its lock service)
            *why = QStringLiteral("%1: %2").arg(LockPath(), SystemError::Text(error));
            return Result::Unavailable;
            // GCOVR_EXCL_STOP
        }
        // A copy that just ended removes its file: a lock on a file no
        // longer found under the name guards nothing, so try again.
        struct stat held = {};
        struct stat named = {};
        if (::fstat(fd, &held) == 0 && ::lstat(m_path.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_fd = fd;
            return Result::Acquired;
        }
        ::close(fd);
    }
    *why = SystemError::Text(EAGAIN); // GCOVR_EXCL_LINE: eight copies ended in our way
    return Result::Unavailable;       // GCOVR_EXCL_LINE: eight copies ended in our way
#else
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(LockPath());
        m_lock->setStaleLockTime(0);
    }
    if (m_lock->isLocked() || m_lock->tryLock(0)) {
        return Result::Acquired;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        return Result::Running;
    }
    *noPlace = true;
    *why = QStringLiteral("No se pudo crear %1.").arg(LockPath());
    m_lock.reset();
    return Result::Unavailable;
#endif
}
