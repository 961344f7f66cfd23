// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QLockFile;

// Lets one copy of the program use a memory file at a time: two copies
// writing one file would undo each other's changes. The lock is a hidden
// file beside the memory file (".List.slc.lock", in the folder where a link
// at the file's name leads), so every copy that uses the file meets it,
// whatever its environment. Only where that folder cannot hold a new file
// (read-only media) is the lock keyed by the file's canonical path in a
// folder only this user can enter (the runtime folder, else a private
// folder in the user's cache), never in a shared one where another user
// could take it first.
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

    // The lock file's path: beside the memory file, or in the private folder
    // once TryAcquire found that the memory file's folder cannot hold one
    // (empty when no private folder could be had).
    QString LockPath() const;

private:
    // Takes the lock at m_path; on Unavailable, noPlace tells whether its
    // folder cannot hold a new file at all.
    Result Take(QString* why, bool* noPlace);

    QString m_memoryFile;
    QByteArray m_path; // as the system names it
    bool m_private = false;
    QString m_folderError;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
};
