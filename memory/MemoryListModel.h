// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The entries of the memory list, shown by a list view. Entries added with
// AddSorted go to their place in case-insensitive order; entries inserted at
// an explicit index stay where they are put, so a hand-ordered file keeps its
// order.
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

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_items;
};
