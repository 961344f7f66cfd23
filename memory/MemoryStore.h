// SPDX-License-Identifier: MIT
#pragma once

#include "NamesFile.h"
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
//
// The colours' names live in a file of their own beside it (NamesFile),
// read at start and saved with the list, by the same rules: written
// atomically and only when its bytes change, edits made on disk taken in
// first, never written when it could not be read. The list's file never
// depends on it: a names file that cannot be read, or holds anything at
// all, changes no entry of the list, and the list is saved first.
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
    // "Guardar": adds code at its sorted place, with name when one is given
    // (see Merge); a code the list already holds, text for text, is skipped
    // and nothing is saved.
    Outcome<StoreChange> Add(const QString& code, const QString& name = QString());
    // "Borrar": removes the entry at index (one of the list's); its name
    // goes with the last entry of its colour.
    Outcome<StoreChange> Remove(int index);
    // An import: adds each code the list does not hold as Add would (see
    // MemoryListModel::AddAllSorted) and saves once, when anything changed.
    // names, when given, go with codes, one each (an empty one: none). A name
    // is taken (NamesFile::Cleaned) for a colour that has no given name yet
    // and when it is not the colour's derived name; one that another colour
    // holds already (in any case), or that is the derived name of another
    // colour of the list, gets "-2", "-3"..., so no other colour's name ever
    // changes.
    Outcome<StoreChange> Merge(const QStringList& codes, const QStringList& names = {});
    // "Nombre…": gives the entry at index (one of the list's) name, made
    // unique as Merge makes it; an empty name takes the given name away, and
    // the entry shows its derived name again. Saves at once.
    Outcome<> Rename(int index, const QString& name);

    // The names file's path (NamesFile::PathFor the memory file).
    const QString& NamesPath() const { return m_namesPath; }
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
    // when the list holds changes. The names are saved after the list, the
    // same way; a failure of the list's save is told first.
    Outcome<> Save();

private:
    // The file's bytes now, none when there is no file.
    Outcome<std::optional<QByteArray>> ReadFile() const;
    // Saves after a change, which it gives back.
    Outcome<StoreChange> SaveChange(StoreChange change);
    // Makes the entries of the file's bytes the list, with the unsaved
    // changes made again on them.
    void TakeIn(const QByteArray& bytes);
    Outcome<> SaveList();
    Outcome<> SaveNames();

    MemoryListModel& m_list;
    QString m_path;
    QByteArray m_digest; // of the file's bytes as last read or written
    UnsavedChanges m_unsaved;
    bool m_loaded = false;
    bool m_neverWrite = false;
    QString m_namesPath;
    QByteArray m_namesDigest;        // of the names file as last read or written
    NamesFile::Names m_namesUnsaved; // given (empty: taken away) since the last save
    bool m_namesNeverWrite = false;
};
