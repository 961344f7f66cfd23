// SPDX-License-Identifier: MIT
#pragma once

#include "UnsavedChanges.h"

#include <QString>

class MemoryListModel;

// Keeps the memory list and the memory file in step: reads the file at
// start, saves the list after every change and at close, never writes a file
// it could not read, and never overwrites what someone changed in the file
// while Tintaro runs. The texts for the user come from here; the window
// shows them.
class MemoryStore
{
public:
    enum class SaveResult {
        Saved,      // the file holds the list, or there was nothing to write
        NotWritten, // changes left unsaved: the file could not be read at start and is
                    // never written
        Failed,     // not saved; the file is as it was
    };

    // Reads the file at path into the empty list, and removes what saves
    // that a crash cut short left beside it. Returns the message for the
    // user, empty when the file was read or does not exist.
    QString Load(const QString& path, MemoryListModel& list);

    // The memory file's path, as Load was given it.
    const QString& Path() const { return m_path; }

    // Records a change that "Guardar" or "Borrar" made to the list.
    void Added(const QString& text);
    void Removed(const QString& text);

    // Writes the list to the file. When the file changed on disk since it
    // was last read or written, its entries become the list, and the changes
    // recorded since the last save are made again on them: an entry added by
    // hand is never lost. message receives the text for the user on NotWritten
    // and Failed. Before Load, nothing is written.
    SaveResult Save(MemoryListModel& list, QString* message);

private:
    // The file's bytes now (empty, and missing set, when there is no file);
    // false with the reason when it cannot be read.
    bool ReadFile(QByteArray& bytes, bool& missing, QString* reason) const;
    // Makes the entries of the file's bytes the list, with the unsaved
    // changes made again on them.
    void TakeIn(const QByteArray& bytes, MemoryListModel& list) const;

    QString m_path;
    QByteArray m_digest; // of the file's bytes as last read or written
    UnsavedChanges m_unsaved;
    bool m_loaded = false;
    bool m_neverWrite = false;
};
