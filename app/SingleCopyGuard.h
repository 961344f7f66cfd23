// SPDX-License-Identifier: MIT
#pragma once

#include <QLockFile>
#include <QString>

// Lets one copy of the program run per program folder: two copies started
// from the same folder would write the same memory file. The lock lives in
// the user's runtime directory (the program folder may be read-only), is
// taken atomically, and is released by the system when its holder dies, so a
// killed copy never blocks the next start.
class SingleCopyGuard
{
public:
    explicit SingleCopyGuard(const QString& programFolder);

    // True when this copy now holds the lock; false when another copy does.
    bool TryAcquire();

    // The lock file's path (for tests and messages).
    QString LockPath() const { return m_path; }

private:
    static QString LockPathFor(const QString& programFolder);

    QString m_path;
    QLockFile m_lock;
};
