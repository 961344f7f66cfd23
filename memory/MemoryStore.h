// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"
#include "StoreChange.h"
#include "UnsavedChanges.h"

#include <QString>
#include <QStringList>
#include <optional>

class MemoryListModel;

// Keeps the memory list and the memory file in step: reads the file at
// start, makes each change of the list and saves it at once, saves again at
// close, never writes a file it could not read, and never overwrites what
// someone changed in the file while Tintaro runs. The reasons for the user
// come from here; the window and the command line show them.
class MemoryStore
{
public:
    // list: the entries it keeps, which outlive the store.
    explicit MemoryStore(MemoryListModel& list) : m_list(list) {}

    // Reads the file at path into the empty list, and removes what saves
    // that a crash cut short left beside it. Fails, with the reason
    // (IO_System::UnreadableText frames it), when the file exists and cannot
    // be read: the list starts empty and the file is never written.
    Outcome<> Load(const QString& path);

    // The memory file's path, as Load was given it.
    const QString& Path() const { return m_path; }

    // Each change is made in the list and saved at once. When the save fails
    // the change stays in the list, and the reason is given. While the file
    // is never written (Load failed), a change is made in the list only, and
    // Save says at the close that it was not saved.
    //
    // "Guardar": adds code at its sorted place; a code the list already
    // holds, text for text, is skipped and nothing is saved.
    Outcome<StoreChange> Add(const QString& code);
    // "Borrar": removes the entry at index (one of the list's).
    Outcome<StoreChange> Remove(int index);
    // An import: adds each code the list does not hold as Add would (see
    // MemoryListModel::AddAllSorted) and saves once, when any went in.
    Outcome<StoreChange> Merge(const QStringList& codes);
    // An entry put back where it was (index 0 to the list's count), as
    // undoing "Borrar" does.
    Outcome<StoreChange> Insert(int index, const QString& code);
    // Takes out, for each of codes, the first entry equal to it, and saves
    // once, as undoing "Guardar" or an import does.
    Outcome<StoreChange> Drop(const QStringList& codes);

    // Writes the list to the file. When the file changed on disk since it
    // was last read or written, its entries become the list, and the changes
    // not saved yet are made again on them: an entry added by hand is never
    // lost. Before Load, nothing is written; after a failed Load, it fails
    // when the list holds changes.
    Outcome<> Save();

private:
    // The file's bytes now, none when there is no file.
    Outcome<std::optional<QByteArray>> ReadFile() const;
    // Saves after a change, which it gives back.
    Outcome<StoreChange> SaveChange(StoreChange change);
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
