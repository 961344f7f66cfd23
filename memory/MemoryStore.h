// SPDX-License-Identifier: MIT
#pragma once

#include "StoreOutcome.h"
#include "UnsavedChanges.h"

#include <QString>
#include <QStringList>

class MemoryListModel;

// Keeps the memory list and the memory file in step: reads the file at
// start, makes each change of the list and saves it at once, saves again at
// close, never writes a file it could not read, and never overwrites what
// someone changed in the file while Tintaro runs. The texts for the user
// come from here; the window shows them.
class MemoryStore
{
public:
    using SaveResult = StoreOutcome::SaveResult;

    // list: the entries it keeps, which outlive the store.
    explicit MemoryStore(MemoryListModel& list) : m_list(list) {}

    // Reads the file at path into the empty list, and removes what saves
    // that a crash cut short left beside it. Returns the message for the
    // user, empty when the file was read or does not exist.
    QString Load(const QString& path);

    // The memory file's path, as Load was given it.
    const QString& Path() const { return m_path; }

    // "Guardar": adds code at its sorted place and saves; a code the list
    // already holds, text for text, is skipped and nothing is saved.
    StoreOutcome Add(const QString& code);
    // "Borrar": removes the entry at index (one of the list's) and saves.
    StoreOutcome Remove(int index);
    // An import: adds each code the list does not hold as Add would (see
    // MemoryListModel::AddAllSorted) and saves once, when any went in.
    StoreOutcome Merge(const QStringList& codes);

    // Writes the list to the file. When the file changed on disk since it
    // was last read or written, its entries become the list, and the changes
    // not saved yet are made again on them: an entry added by hand is never
    // lost. Before Load, nothing is written.
    StoreOutcome Save();

private:
    // The file's bytes now (empty, and missing set, when there is no file);
    // false with the reason when it cannot be read.
    bool ReadFile(QByteArray& bytes, bool& missing, QString* reason) const;
    // Makes the entries of the file's bytes the list, with the unsaved
    // changes made again on them.
    void TakeIn(const QByteArray& bytes);

    MemoryListModel& m_list;
    QString m_path;
    QByteArray m_digest; // of the file's bytes as last read or written
    UnsavedChanges m_unsaved;
    bool m_loaded = false;
    bool m_neverWrite = false;
};
