// SPDX-License-Identifier: MIT
#include "AtomicWrite.h"

#include "FileName.h"
#include "SystemError.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <QRandomGenerator>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#include <QSaveFile>
#endif

namespace AtomicWrite {

namespace {

QString ChangedText()
{
    return QStringLiteral("El archivo cambió mientras se guardaba.");
}

#ifdef Q_OS_UNIX
} // namespace

int LockWithoutWaiting(int fd)
{
    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR); // GCOVR_EXCL_BR_LINE: LOCK_NB never waits
    return locked;
}

Outcome<> MakeFolders(const QByteArray& folder)
{
    struct stat st = {};
    if (folder.isEmpty() || ::stat(folder.constData(), &st) == 0)
        return {};
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash > 0) {
        if (Outcome<> above = MakeFolders(folder.left(slash)); !above)
            return above;
    }
    // GCOVR_EXCL_BR_START: EEXIST only when another process made it since the stat
    if (::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST)
        return {};
    // GCOVR_EXCL_BR_STOP
    return Failed(QStringLiteral("No se pudo crear la carpeta %1: %2")
                      .arg(FileName::Decode(folder), SystemError::Text(errno)));
}

namespace {

// The new file's owner. A file replaced keeps its owner and group, or at
// least its group, as far as the system allows: a save by the superuser, or
// into another user's file, must not hand it over to the saving user. A file
// the superuser creates in another user's folder (a portable copy run once
// by root) becomes that user's, or they could never save to it again.
void SetOwner(int fd, const struct stat* old, const QByteArray& folder)
{
    struct stat owner = {};
    if (old != nullptr) {
        owner = *old;
    } else if (::geteuid() != 0 || ::stat(folder.constData(), &owner) != 0) {
        return;
    }
    if (owner.st_uid == ::geteuid() && owner.st_gid == ::getegid())
        return;
    if (::fchown(fd, owner.st_uid, owner.st_gid) != 0 &&
        ::fchown(fd, uid_t(-1), owner.st_gid) != 0) {
        // Not allowed: the file becomes the saving user's, as any new file.
    }
}

// The name of a temporary of file name, up to its random part.
QByteArray TemporaryPrefix(const QByteArray& name)
{
    return '.' + name + ".tintaro-";
}

// A temporary file in folder, new, created with mode (the umask applied) and
// locked (flock) before its first byte is written, until it is closed after
// the rename. RemoveLeftovers removes only temporaries that no one holds:
// should it lock this one between the open and the lock here, it removes
// it, and another is made under a new name. Where the file system has no
// locks, the temporary is written unheld; RemoveLeftovers cannot lock one
// there either, so it removes nothing.
//
// A nameless file (O_TMPFILE) given a name once written would leave nothing
// behind on the file systems that have it, but not on the FAT and exFAT
// sticks that portable copies live on, nor on NFS; and it still needs a
// name of its own for a moment, since only a rename replaces a file. A lock
// serves everywhere, and tells a save in progress, in any process, from
// one that a crash cut short.
int CreateTemporary(const QByteArray& folder, const QByteArray& name, mode_t mode,
                    QByteArray* temporary)
{
    // GCOVR_EXCL_BR_START: a retry needs a random name taken, or a cleanup racing this save
    for (int attempt = 0; attempt < 16; ++attempt) {
        *temporary = folder + '/' + TemporaryPrefix(name) +
                     QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(temporary->constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            return -1;
        if (fd < 0)
            continue;
        struct stat st = {};
        const bool takenFirst = LockWithoutWaiting(fd) != 0 && errno == EWOULDBLOCK;
        if (!takenFirst && ::fstat(fd, &st) == 0 && st.st_nlink > 0)
            return fd;
        ::close(fd); // GCOVR_EXCL_LINE: a name taken, or cleaned up meanwhile
    }
    // GCOVR_EXCL_BR_STOP
    errno = EEXIST; // GCOVR_EXCL_LINE: sixteen names taken in a row
    return -1;      // GCOVR_EXCL_LINE: sixteen names taken in a row
}

// Writes bytes into a new file beside the target, puts it on disk, then
// renames it over the target: the target is the old file or the new one,
// never a mix, whatever happens. QSaveFile does the same, but it follows a
// link at the path wherever it leads (it would create a dangling link's
// target) and gives no moment between the last write and the rename to see
// whether someone changed the file meanwhile.
} // namespace

Outcome<> Replace(const QByteArray& file, const QByteArray& bytes,
                  const std::function<bool()>& unchanged)
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : file.left(qMax(slash, 1));
    const QByteArray name = file.mid(slash + 1);
    struct stat old = {};
    const bool exists = ::lstat(file.constData(), &old) == 0;
    // A file the user marked read-only stays as it is even where the system
    // would let this process replace it (the superuser, or a writable folder).
    if (exists && (S_ISDIR(old.st_mode) || ::access(file.constData(), W_OK) != 0 ||
                   (old.st_mode & 0222) == 0)) {
        return Failed(SystemError::Text(S_ISDIR(old.st_mode) ? EISDIR : EACCES));
    }
    if (Outcome<> made = MakeFolders(folder); !made)
        return made;
    // Readable by its owner alone while it is written when it replaces a file,
    // whose permissions it takes once written: the old file may be private,
    // and a watcher could read the new bytes before they were set. A new file
    // is made with the permissions it keeps, those of any new file.
    QByteArray temporary;
    const int fd = CreateTemporary(folder, name, exists ? 0600 : 0666, &temporary);
    if (fd < 0) {
        return Failed(QStringLiteral("No se pudo crear un archivo en %1: %2")
                          .arg(FileName::Decode(folder), SystemError::Text(errno)));
    }
    const auto fail = [&](const QString& reason) -> Outcome<> {
        ::unlink(temporary.constData());
        ::close(fd);
        return Failed(reason);
    };
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        // GCOVR_EXCL_BR_START: a write to a local file is neither interrupted nor empty
        if (written < 0 && errno == EINTR)
            continue; // GCOVR_EXCL_LINE: a local file's write is not interrupted
        if (written <= 0)
            return fail(QStringLiteral("Error al escribir: %1")
                            .arg(SystemError::Text(written < 0 ? errno : EIO)));
        // GCOVR_EXCL_BR_STOP
        done += written;
    }
    if (exists)
        ::fchmod(fd, old.st_mode & 07777);
    SetOwner(fd, exists ? &old : nullptr, folder);
    // GCOVR_EXCL_START: fsync fails only on a device's I/O error
    if (::fsync(fd) != 0)
        return fail(QStringLiteral("Error al escribir: %1").arg(SystemError::Text(errno)));
    // GCOVR_EXCL_STOP
    if (unchanged && !unchanged())
        return fail(ChangedText());
    if (::rename(temporary.constData(), file.constData()) != 0)
        return fail(
            QStringLiteral("Error al sustituir el archivo: %1").arg(SystemError::Text(errno)));
    ::close(fd);
    // The rename is durable only once the folder's entry is on disk: without
    // this a power cut could bring back neither the old file nor the new one.
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return {};
}

void RemoveLeftovers(const QByteArray& file)
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : file.left(qMax(slash, 1));
    const QByteArray prefix = TemporaryPrefix(file.mid(slash + 1));
    DIR* const entries = ::opendir(folder.constData());
    if (entries == nullptr)
        return;
    const int folderFd = ::dirfd(entries);
    while (const dirent* entry = ::readdir(entries)) {
        const QByteArray random = QByteArray(entry->d_name).mid(prefix.size());
        if (!QByteArray(entry->d_name).startsWith(prefix) || random.isEmpty() ||
            !std::all_of(random.cbegin(), random.cend(),
                         [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); }))
            continue;
        const int fd = ::openat(folderFd, entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Locked here, it is held by no save; still under its name, it is
        // the file locked (a save that just ended renamed its temporary).
        struct stat held = {};
        struct stat named = {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && LockWithoutWaiting(fd) == 0 &&
            // GCOVR_EXCL_BR_START: the name leads elsewhere only after a rename just now
            ::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            // GCOVR_EXCL_BR_STOP
            ::unlinkat(folderFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(entries);
}
#else
// A file the user marked read-only counts as protected even when the system
// would let this process replace it (the superuser, or a writable folder that
// allows the rename over it).
bool IsProtected(const QFileInfo& info)
{
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

} // namespace

Outcome<> Replace(const QByteArray& name, const QByteArray& bytes,
                  const std::function<bool()>& unchanged)
{
    const QString path = FileName::Decode(name);
    const QFileInfo info(path);
    if (info.exists() && !info.isDir() && IsProtected(info)) {
        return Failed(SystemError::Text(EACCES));
    }

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target only on commit, so a failure leaves the old file as it was.
    // Unbuffered, each write reaches the system at once: a short write (file
    // size limit, full disk) is seen here, where a buffered write would hide it
    // and commit a truncated file.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failed(file.errorString());
    qsizetype done = 0;
    while (done < bytes.size()) {
        // After a short write the next one fails with the system's reason.
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason =
                file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(EIO);
            file.cancelWriting();
            return Failed(reason);
        }
        done += written;
    }
    if (unchanged && !unchanged()) {
        file.cancelWriting();
        return Failed(ChangedText());
    }
    if (!file.commit())
        return Failed(file.errorString());
    return {};
}

void RemoveLeftovers(const QByteArray&)
{
    // QSaveFile removes its own temporary file when a save fails.
}
#endif

} // namespace AtomicWrite
