// SPDX-License-Identifier: MIT
#include "IO_System.h"

#include "MemoryListModel.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDateTime>
#endif

namespace IO_System {

namespace {

// Lone low surrogates U+DC80..U+DCFF stand for the bytes 0x80..0xFF that are
// not part of a valid UTF-8 sequence.
constexpr char16_t EscapeBase = 0xDC00;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at data[0] (at most size bytes
// available) and its code point, or 0 when the bytes there do not form one.
// Overlong forms, encoded surrogates and code points above U+10FFFF are
// rejected, following the well-formed byte ranges of Unicode.
int ValidSequence(const unsigned char* data, qsizetype size, char32_t& codePoint)
{
    const unsigned char lead = data[0];
    int length = 0;
    unsigned char low = 0x80; // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong below U+0800
        else if (lead == 0xED)
            high = 0x9F; // U+D800..U+DFFF
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // overlong below U+10000
        else if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (size < length || data[1] < low || data[1] > high)
        return 0;
    codePoint = (codePoint << 6) | (data[1] & 0x3F);
    for (int i = 2; i < length; ++i) {
        if (!IsContinuation(data[i]))
            return 0;
        codePoint = (codePoint << 6) | (data[i] & 0x3F);
    }
    return length;
}

// Appends the UTF-8 form of a code point.
char* PutUtf8(char* out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

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
    const QString target = QFileInfo(path).canonicalFilePath();
    const QByteArray folder =
        QFile::encodeName(QFileInfo(target.isEmpty() ? path : target).absolutePath());
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

QString WithTrailingSlash(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

ReadStatus ReadMemoryFile(const QString& path, QStringList& lines, QString* errorText,
                          FileStamp* stamp)
{
    QByteArray bytes;
    const ReadStatus status = ReadBytes(path, bytes, errorText, stamp);
    if (status != ReadStatus::Read)
        return status;

    const char* const data = bytes.constData();
    const qsizetype size = bytes.size();
    // One entry per LF at most in the usual CR LF file: reserving avoids
    // regrowing a list of 100,000 entries many times over.
    lines.reserve(lines.size() + std::count(data, data + size, '\n') + 1);
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        // Empty lines and comment lines ("*" first) are not entries.
        if (end > start && data[start] != '*')
            lines.append(DecodeLine(QByteArrayView(data + start, end - start)));
        // CR LF, a lone CR and a lone LF each end one line.
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return ReadStatus::Read;
}

void FillMemoryList(const QStringList& lines, MemoryListModel& list)
{
    if (list.Count() == 0) {
        list.SetItems(lines);
        return;
    }
    for (int i = 0; i < lines.size(); ++i)
        list.InsertAt(i, lines.at(i));
}

QString MemoryListText(const MemoryListModel& list)
{
    const QStringList& items = list.Items();
    qsizetype length = 0;
    for (const QString& item : items)
        length += item.size() + 2;
    QString text;
    text.reserve(length);
    for (const QString& item : items) {
        if (item.isEmpty() || item.contains(QLatin1Char('\r')) || item.contains(QLatin1Char('\n')))
            continue;
        text += item;
        text += QLatin1String("\r\n");
    }
    return text;
}

bool WriteTextFile(const QString& path, const QString& body, QString* errorText, FileStamp* stamp)
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
    const QByteArray bytes = EncodeText(body);
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

QString DecodeLine(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    // One UTF-16 unit per byte at most: a 4-byte sequence gives two units.
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            *out++ = byte;
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const int length = ValidSequence(data + i, size - i, codePoint);
        if (length == 0) {
            *out++ = static_cast<char16_t>(EscapeBase + byte);
            ++i;
        } else if (codePoint >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
            i += length;
        } else {
            *out++ = static_cast<char16_t>(codePoint);
            i += length;
        }
    }
    text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
    return text;
}

QByteArray EncodeText(QStringView text)
{
    const char16_t* data = text.utf16();
    const qsizetype size = text.size();
    // At most three bytes per UTF-16 unit (a pair gives four bytes for two).
    QByteArray bytes(size * 3, Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = data[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (unit < 0xD800 || unit > 0xDFFF) {
            out = PutUtf8(out, unit);
        } else if (unit < 0xDC00 && i + 1 < size && data[i + 1] >= 0xDC00 &&
                   data[i + 1] <= 0xDFFF) {
            out = PutUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                   (char32_t(data[i + 1]) - 0xDC00));
            ++i;
        } else if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
            *out++ = static_cast<char>(unit - EscapeBase);
        } else {
            // Any other lone surrogate has no byte form; it never comes from a file.
            *out++ = '?';
        }
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

} // namespace IO_System
