// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The changes "Guardar" and "Borrar" made to the memory list since it was
// last saved, in the order they were made, to be made again on the entries
// of a file that someone changed meanwhile.
class UnsavedChanges
{
public:
    void Added(const QString& text) { m_changes.append({true, text}); }
    void Removed(const QString& text) { m_changes.append({false, text}); }
    bool IsEmpty() const { return m_changes.isEmpty(); }
    void Clear() { m_changes.clear(); }

    // entries with the changes made again on them, one after another, as the
    // list made them: a removal takes out the first entry that equals its
    // text, when there is one; an addition puts its text where
    // MemoryListModel::AddSorted would, unless an entry already equals it
    // (equal: the same text, case included). The time taken grows with the
    // entries and the changes added up, not multiplied, also for a list in
    // an order of its own.
    QStringList MadeAgainOn(const QStringList& entries) const;

private:
    struct Change
    {
        bool added;
        QString text;
    };
    QList<Change> m_changes;
};
