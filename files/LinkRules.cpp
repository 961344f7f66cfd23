// SPDX-License-Identifier: MIT
#include "LinkRules.h"

#include "FileName.h"
#include "SystemError.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace LinkRules {

#ifdef Q_OS_UNIX
namespace {

bool TrustedOwner(uid_t owner)
{
    return owner == ::geteuid() || owner == 0;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

Failure Refused(const QByteArray& link, const QString& why)
{
    return Failed(QStringLiteral("%1 es un enlace simbólico %2: Tintaro no lo sigue.")
                      .arg(FileName::Decode(link), why));
}

} // namespace

Outcome<Target> Follow(const QByteArray& path)
{
    QByteArray current = path;
    // The kernel's own limit on links in a row.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link = {};
        if (::lstat(current.constData(), &link) != 0) {
            return Target{current, hops > 0 && errno == ENOENT};
        }
        if (!S_ISLNK(link.st_mode)) {
            return Target{current, false};
        }
        const QByteArray folder = FolderOf(current);
        struct stat holder = {};
        if (!TrustedOwner(link.st_uid)) {
            return Refused(current, QStringLiteral("de otro usuario"));
        }
        if (::stat(folder.constData(), &holder) != 0 || !TrustedOwner(holder.st_uid) ||
            (holder.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
            return Refused(
                current, QStringLiteral("en una carpeta en la que otros usuarios pueden escribir"));
        }
        QByteArray text(PATH_MAX, Qt::Uninitialized);
        const ssize_t size = ::readlink(current.constData(), text.data(), size_t(text.size()));
        // GCOVR_EXCL_START: only a link removed since the lstat, or longer than Linux allows
        if (size < 0 || size >= text.size()) {
            return Refused(current, QStringLiteral("que no se puede leer (%1)")
                                        .arg(SystemError::Text(size < 0 ? errno : ENAMETOOLONG)));
        }
        // GCOVR_EXCL_STOP
        text.truncate(size);
        current = text.startsWith('/') ? text : folder + '/' + text;
    }
    return Refused(path, QStringLiteral("que forma un bucle"));
}
#else
Outcome<Target> Follow(const QByteArray& path)
{
    return Target{path, false};
}
#endif

} // namespace LinkRules
