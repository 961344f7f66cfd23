// SPDX-License-Identifier: MIT
#pragma once

#include "NamesFile.h"

#include <QAbstractListModel>
#include <QStringList>

// The entries of the memory list, shown by a list view. Entries added with
// AddSorted go to their place in case-insensitive order; entries inserted at
// an explicit index stay where they are put, so a hand-ordered file keeps its
// order. It also holds the names given to the colours (NamesFile), and shows
// each entry's name, given or derived, in its tooltip and beside its code in
// its accessible text; the text shown stays the entry itself.
class MemoryListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit MemoryListModel(QObject* parent = nullptr);

    int Count() const { return static_cast<int>(m_items.size()); }
    const QString& Item(int index) const { return m_items.at(index); }
    const QStringList& Items() const { return m_items; }

    // Inserts text at index (0 to Count()).
    void InsertAt(int index, const QString& text);
    // Inserts text at its sorted place (case-insensitive, after equal
    // entries) and returns that index.
    int AddSorted(const QString& text);
    // The order AddSorted keeps: a before b, case-insensitive.
    static bool SortsBefore(const QString& a, const QString& b);
    // Where AddSorted puts text in a list of count entries, entry i being
    // at(i): before the first entry that sorts after it, found by bisecting
    // the list as std::upper_bound does. A list in an order of its own (a
    // hand-ordered file) is bisected all the same, so every caller gets the
    // place AddSorted would give.
    template <typename At> static int SortedPlace(int count, const QString& text, At at)
    {
        // std::upper_bound's own steps, over indexes (clang 14's ranges
        // cannot take libstdc++ 12's iota_view).
        int first = 0;
        for (int length = count; length > 0;) {
            const int half = length / 2;
            if (SortsBefore(text, at(first + half))) {
                length = half;
            } else {
                first += half + 1;
                length -= half + 1;
            }
        }
        return first;
    }
    // Adds each text that the list does not hold yet, text for text, and
    // that came no earlier in texts, at its sorted place, as AddSorted one at
    // a time would. Many texts going into a list in sorted order are merged
    // in at once (one model reset). Returns the texts added, in the order
    // they came.
    QStringList AddAllSorted(const QStringList& texts);
    // Removes the entry at index; an index out of range is ignored.
    void RemoveAt(int index);
    // Replaces every entry at once (fast path for loading large lists).
    void SetItems(QStringList items);

    // The name given to the colour of entry (any case of its code), else an
    // empty text.
    QString GivenName(const QString& entry) const;
    // Gives name to the colour of entry; an empty name takes it away.
    void SetGivenName(const QString& entry, const QString& name);
    // The names given, by NamesFile::Key; SetGivenNames replaces them all.
    const NamesFile::Names& GivenNames() const { return m_names; }
    void SetGivenNames(NamesFile::Names names);

    // The name a code takes when none is given, from its colour alone
    // (empty for an entry that is no code), and its way back: the code of
    // the colour a name is the derived name of (empty for none); set by the
    // layer that knows the colours' names. None set: no derived names.
    using Namer = QString (*)(const QString& text);
    void SetNamer(Namer namer, Namer owner)
    {
        m_namer = namer;
        m_owner = owner;
    }
    QString DerivedName(const QString& entry) const;
    // True when name is the derived name of a colour the list holds, other
    // than entry's: given to entry, it would take that colour's name.
    bool DerivedByOther(const QString& name, const QString& entry) const;
    // The entry's name: given, else derived.
    QString Name(int index) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Every row's tooltip and accessible text may have changed.
    void NamesChanged();

    QStringList m_items;
    NamesFile::Names m_names;
    Namer m_namer = nullptr;
    Namer m_owner = nullptr;
};
