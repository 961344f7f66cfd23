// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Lets one copy of the program use a memory file at a time: two copies
// writing one file would undo each other's changes. The lock is keyed by the
// memory file's canonical path and lives in a folder only this user can
// enter (the runtime folder, else a private folder in the user's cache),
// never in a shared one where another user could take it first.
class SingleCopyGuard
{
public:
    enum class Result {
        Acquired,   // this copy holds the lock
        Running,    // a live copy holds it
        Unavailable // no lock can be made here (reason given): run unguarded
    };

    explicit SingleCopyGuard(const QString& memoryFile);
    ~SingleCopyGuard();

    Result TryAcquire(QString* reason = nullptr);

    // The lock file's path; empty when no private folder could be had.
    QString LockPath() const { return m_path; }

private:
    QString m_path;
    QString m_folderError;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
};
