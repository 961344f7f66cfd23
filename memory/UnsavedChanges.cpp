// SPDX-License-Identifier: MIT
#include "UnsavedChanges.h"

#include "MemoryListModel.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// The list being rebuilt, as numbers of rows: 0 to entries - 1 the file's
// entries, entries and up the additions. A merge cannot give AddSorted's
// places in a list that is not in sorted order (a hand-ordered file), where
// the place comes from bisecting the list as it is at each addition; this
// bisects it the same way, by index. The rows are kept in blocks of about
// the square root of their count, so an insertion or a removal moves one
// block instead of the whole list, and the row at an index is found through
// the blocks' first indexes.
class Rows
{
public:
    explicit Rows(int entries) : m_blockOf(size_t(entries))
    {
        std::vector<int> all(static_cast<size_t>(entries));
        std::iota(all.begin(), all.end(), 0);
        Rebuild(all);
    }

    int Count() const { return m_count; }

    int At(int index)
    {
        const auto [block, offset] = Find(index);
        return m_blocks[block][offset];
    }

    void Insert(int index, int row)
    {
        const auto [block, offset] =
            index == m_count ? std::pair(m_blocks.size() - 1, m_blocks.back().size()) : Find(index);
        std::vector<int>& rows = m_blocks[block];
        rows.insert(rows.begin() + qsizetype(offset), row);
        m_blockOf.resize(std::max(m_blockOf.size(), size_t(row) + 1));
        m_blockOf[size_t(row)] = block;
        ++m_count;
        m_startsValid = false;
        if (rows.size() > 2 * m_blockSize)
            Rebuild(All());
    }

    void Drop(int row)
    {
        std::vector<int>& rows = m_blocks[m_blockOf[size_t(row)]];
        rows.erase(std::find(rows.begin(), rows.end(), row));
        --m_count;
        m_startsValid = false;
    }

    std::vector<int> All() const
    {
        std::vector<int> all;
        all.reserve(size_t(m_count));
        for (const std::vector<int>& rows : m_blocks)
            all.insert(all.end(), rows.begin(), rows.end());
        return all;
    }

private:
    void Rebuild(const std::vector<int>& all)
    {
        m_count = int(all.size());
        m_blockSize = std::max<size_t>(64, size_t(std::sqrt(double(all.size()))));
        m_blocks.clear();
        for (size_t first = 0; first < all.size() || m_blocks.empty(); first += m_blockSize) {
            const size_t end = std::min(all.size(), first + m_blockSize);
            for (size_t i = first; i < end; ++i)
                m_blockOf[size_t(all[i])] = m_blocks.size();
            m_blocks.emplace_back(all.begin() + qsizetype(first), all.begin() + qsizetype(end));
        }
        m_startsValid = false;
    }

    // The block that holds the row at index (below Count()), and where in it.
    std::pair<size_t, size_t> Find(int index)
    {
        if (!m_startsValid) {
            m_starts.resize(m_blocks.size());
            int start = 0;
            for (size_t block = 0; block < m_blocks.size(); ++block) {
                m_starts[block] = start;
                start += int(m_blocks[block].size());
            }
            m_startsValid = true;
        }
        // The last block starting at or before index: an empty block starts
        // where the next one does, so it is never the one found.
        const size_t block =
            size_t(std::upper_bound(m_starts.begin(), m_starts.end(), index) - m_starts.begin()) -
            1;
        return {block, size_t(index - m_starts[block])};
    }

    std::vector<std::vector<int>> m_blocks;
    std::vector<size_t> m_blockOf; // the block of each row in the list
    std::vector<int> m_starts;     // the index of each block's first row
    bool m_startsValid = false;
    size_t m_blockSize = 64;
    int m_count = 0;
};

} // namespace

QStringList UnsavedChanges::MadeAgainOn(const QStringList& entries) const
{
    if (m_changes.isEmpty())
        return entries;
    // For each text that a change names: the file's entries that still hold
    // it, in order (the first still there at next), and the addition that
    // holds it. An addition is made only when no entry holds its text, so
    // the two never hold one text at the same time.
    struct Holders
    {
        QList<int> entries;
        qsizetype next = 0;
        int added = -1;
    };
    QHash<QString, Holders> holders;
    holders.reserve(m_changes.size());
    for (const Change& change : m_changes)
        holders[change.text];
    const int count = int(entries.size());
    for (int row = 0; row < count; ++row) {
        if (const auto found = holders.find(entries.at(row)); found != holders.end())
            found->entries.append(row);
    }
    QStringList added;
    const auto text = [&](int row) -> const QString& {
        return row < count ? entries.at(row) : added.at(row - count);
    };
    Rows rows(count);
    for (const Change& change : m_changes) {
        Holders& held = holders[change.text];
        const bool inEntries = held.next < held.entries.size();
        if (!change.added && inEntries) {
            rows.Drop(held.entries.at(held.next++));
        } else if (!change.added && held.added >= 0) {
            rows.Drop(std::exchange(held.added, -1));
        } else if (change.added && !inEntries && held.added < 0) {
            held.added = count + int(added.size());
            added.append(change.text);
            const int place = MemoryListModel::SortedPlace(
                rows.Count(), change.text,
                [&](int index) -> const QString& { return text(rows.At(index)); });
            rows.Insert(place, held.added);
        }
    }
    QStringList list;
    list.reserve(rows.Count());
    for (const int row : rows.All())
        list.append(text(row));
    return list;
}
