// SPDX-License-Identifier: MIT
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDateTime>
#endif

namespace SafeFile {

namespace {

void SetError(QString* errorText, const QString& reason)
{
    if (errorText)
        *errorText = reason;
}

// A file the user marked read-only counts as protected even when the system
// would let this process replace it (the superuser, or a writable folder that
// allows the rename over it).
bool IsProtected(const QFileInfo& info)
{
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

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
FileStamp StampFromStat(const struct stat& st)
{
#ifdef Q_OS_DARWIN
    const timespec& modified = st.st_mtimespec;
    const timespec& changed = st.st_ctimespec;
#else
    const timespec& modified = st.st_mtim;
    const timespec& changed = st.st_ctim;
#endif
    constexpr qint64 billion = 1'000'000'000;
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
            qint64(modified.tv_sec) * billion + modified.tv_nsec,
            qint64(changed.tv_sec) * billion + changed.tv_nsec};
}

// Reads the regular file at path whole. Opened without waiting, so a FIFO
// without a writer or a device cannot hold the program; what it is comes
// from the opened descriptor, so it cannot be swapped after the test.
ReadStatus ReadBytes(const QString& path, QByteArray& bytes, QString* errorText, FileStamp* stamp)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // Only "no such file" (or a path through something that is no
        // folder) means there is no list; any other error hides one.
        if (errno == ENOENT || errno == ENOTDIR)
            return ReadStatus::Missing;
        SetError(errorText, qt_error_string(errno));
        return ReadStatus::Unreadable;
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st = {};
    if (::fstat(fd, &st) != 0) {
        SetError(errorText, qt_error_string(errno));
        return ReadStatus::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        SetError(errorText, NotRegularText());
        return ReadStatus::Unreadable;
    }
    if (stamp)
        *stamp = StampFromStat(st);
    if (st.st_size > MaxFileSize) {
        SetError(errorText, TooLargeText());
        return ReadStatus::TooLarge;
    }
    // One byte more than the size, to see the end at once; the file may
    // still grow while it is read.
    bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > MaxFileSize) {
                SetError(errorText, TooLargeText());
                return ReadStatus::TooLarge;
            }
            bytes.resize(qMin<qsizetype>(done * 2, MaxFileSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SetError(errorText, qt_error_string(errno));
            return ReadStatus::Unreadable;
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return ReadStatus::Read;
}

// A save by the superuser, or into another user's file, must not hand the
// file over to the saving user: the new file takes the old one's owner and
// group, or at least its group, as far as the system allows.
void KeepOwner(const QString& path, int fd)
{
    struct stat old = {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0 ||
        (old.st_uid == ::geteuid() && old.st_gid == ::getegid()))
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Not allowed: the file becomes the saving user's, as any new file.
    }
}

// The rename is durable only once the folder's entry is on disk: without
// this a power cut could bring back neither the old list nor the new one.
void SyncFolder(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(ResolvedPath(path)).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#else
ReadStatus ReadBytes(const QString& path, QByteArray& bytes, QString* errorText, FileStamp* stamp)
{
    const QFileInfo info(path);
    if (!info.exists())
        return ReadStatus::Missing;
    if (!info.isFile()) {
        SetError(errorText, NotRegularText());
        return ReadStatus::Unreadable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(errorText, file.errorString());
        return ReadStatus::Unreadable;
    }
    if (stamp)
        *stamp = StampOf(path);
    bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        SetError(errorText, file.errorString());
        return ReadStatus::Unreadable;
    }
    if (bytes.size() > MaxFileSize) {
        bytes.clear();
        SetError(errorText, TooLargeText());
        return ReadStatus::TooLarge;
    }
    return ReadStatus::Read;
}
#endif

} // namespace

FileStamp StampOf(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return StampFromStat(st);
    // Any error other than "no such file" is never taken for an unchanged file.
    return errno == ENOENT || errno == ENOTDIR ? FileStamp() : FileStamp{-2, errno};
#else
    const QFileInfo info(path);
    if (!info.exists())
        return FileStamp();
    return {-1, -1, info.size(), info.lastModified().toMSecsSinceEpoch() * 1'000'000,
            info.metadataChangeTime().toMSecsSinceEpoch() * 1'000'000};
#endif
}

ReadStatus Read(const QString& path, QByteArray& bytes, QString* errorText, FileStamp* stamp)
{
    return ReadBytes(path, bytes, errorText, stamp);
}

bool Replace(const QString& path, const QByteArray& bytes, QString* errorText, FileStamp* stamp)
{
    if (path.isEmpty())
        return true;

    const QFileInfo info(path);
    if (info.exists() && !info.isDir() && IsProtected(info)) {
        SetError(errorText, qt_error_string(EACCES));
        return false;
    }

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target only on commit, so a failure leaves the old file as it was.
    // Unbuffered, each write reaches the system at once: a short write (file
    // size limit, full disk) is seen here, where a buffered write would hide it
    // and commit a truncated file.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        SetError(errorText, file.errorString());
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        // After a short write the next one fails with the system's reason.
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            SetError(errorText, file.error() != QFileDevice::NoError ? file.errorString()
                                                                     : qt_error_string(EIO));
            file.cancelWriting();
            return false;
        }
        done += written;
    }
#ifdef Q_OS_UNIX
    KeepOwner(path, file.handle());
#endif
    if (!file.commit()) {
        SetError(errorText, file.errorString());
        return false;
    }
#ifdef Q_OS_UNIX
    SyncFolder(path);
#endif
    if (stamp)
        *stamp = StampOf(path);
    return true;
}

QString ResolvedPath(const QString& path)
{
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
}

} // namespace SafeFile
