// SPDX-License-Identifier: MIT
#include "SingleCopyGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

SingleCopyGuard::SingleCopyGuard(const QString& programFolder)
    : m_path(LockPathFor(programFolder)), m_lock(m_path)
{
    // A running copy holds the lock however long it runs; only a lock whose
    // process is gone is stale.
    m_lock.setStaleLockTime(0);
}

bool SingleCopyGuard::TryAcquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString SingleCopyGuard::LockPathFor(const QString& programFolder)
{
    QString folder = QFileInfo(programFolder).canonicalFilePath();
    if (folder.isEmpty()) {
        folder = QDir::cleanPath(QDir(programFolder).absolutePath());
    }
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty() || !QDir().mkpath(runtime)) {
        runtime = QDir::tempPath();
    }
    const QByteArray key =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return runtime + QStringLiteral("/tintaro-") + QString::fromLatin1(key) +
           QStringLiteral(".lock");
}
