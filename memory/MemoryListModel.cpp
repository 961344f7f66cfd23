// SPDX-License-Identifier: MIT
#include "MemoryListModel.h"

#include <QSet>
#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Above this many new texts, a list in sorted order takes them in one merge:
// an insertion each would take minutes for a million colours.
constexpr qsizetype OneMergeFrom = 1000;

} // namespace

MemoryListModel::MemoryListModel(QObject* parent) : QAbstractListModel(parent) {}

void MemoryListModel::InsertAt(int index, const QString& text)
{
    // An index outside 0..Count() is clamped rather than left to corrupt the model.
    const int row = std::clamp(index, 0, Count());
    beginInsertRows(QModelIndex(), row, row);
    m_items.insert(row, text);
    endInsertRows();
}

bool MemoryListModel::SortsBefore(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

int MemoryListModel::AddSorted(const QString& text)
{
    // Upper bound: the first entry that sorts strictly after text, so a new
    // entry lands after the entries that compare equal to it.
    const int row = SortedPlace(Count(), text,
                                [this](int index) -> const QString& { return m_items.at(index); });
    InsertAt(row, text);
    return row;
}

QStringList MemoryListModel::AddAllSorted(const QStringList& texts)
{
    // A set, so taking a large palette into a large list stays quick.
    QSet<QString> held(m_items.cbegin(), m_items.cend());
    QStringList added;
    for (const QString& text : texts) {
        if (!held.contains(text)) {
            held.insert(text);
            added.append(text);
        }
    }
    if (added.size() > OneMergeFrom &&
        std::is_sorted(m_items.cbegin(), m_items.cend(), SortsBefore)) {
        // The same order as AddSorted one text at a time: equal entries keep
        // their order (stable sort), and new ones go after the list's own
        // (std::merge takes the first range's first).
        QStringList fresh = added;
        std::stable_sort(fresh.begin(), fresh.end(), SortsBefore);
        QStringList merged;
        merged.reserve(m_items.size() + fresh.size());
        std::merge(m_items.cbegin(), m_items.cend(), fresh.cbegin(), fresh.cend(),
                   std::back_inserter(merged), SortsBefore);
        SetItems(std::move(merged));
    } else {
        for (const QString& text : std::as_const(added))
            AddSorted(text);
    }
    return added;
}

void MemoryListModel::RemoveAt(int index)
{
    if (index < 0 || index >= Count())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_items.removeAt(index);
    endRemoveRows();
}

void MemoryListModel::SetItems(QStringList items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

QString MemoryListModel::GivenName(const QString& entry) const
{
    return NamesFile::IsCode(entry) ? m_names.value(NamesFile::Key(entry)) : QString();
}

void MemoryListModel::SetGivenName(const QString& entry, const QString& name)
{
    if (!NamesFile::IsCode(entry))
        return;
    if (name.isEmpty())
        m_names.remove(NamesFile::Key(entry));
    else
        m_names.insert(NamesFile::Key(entry), name);
    NamesChanged();
}

void MemoryListModel::SetGivenNames(NamesFile::Names names)
{
    m_names = std::move(names);
    NamesChanged();
}

void MemoryListModel::NamesChanged()
{
    if (Count() > 0)
        emit dataChanged(index(0), index(Count() - 1), {Qt::ToolTipRole, Qt::AccessibleTextRole});
}

QString MemoryListModel::DerivedName(const QString& entry) const
{
    return m_namer && NamesFile::IsCode(entry) ? m_namer(entry) : QString();
}

bool MemoryListModel::DerivedByOther(const QString& name, const QString& entry) const
{
    const QString owner = m_owner ? m_owner(name) : QString();
    if (owner.isEmpty() || NamesFile::Key(owner) == NamesFile::Key(entry))
        return false;
    return m_items.contains(owner, Qt::CaseInsensitive);
}

QString MemoryListModel::Name(int index) const
{
    const QString& entry = m_items.at(index);
    const QString given = GivenName(entry);
    return given.isEmpty() ? DerivedName(entry) : given;
}

int MemoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant MemoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.parent().isValid() || index.column() != 0 || index.row() < 0 ||
        index.row() >= Count())
        return QVariant();
    switch (role) {
    case Qt::ToolTipRole: {
        const QString name = Name(index.row());
        return name.isEmpty() ? QVariant() : QVariant(name);
    }
    case Qt::AccessibleTextRole: {
        // A screen reader reads the code, then its name.
        const QString name = Name(index.row());
        if (!name.isEmpty())
            return QString(m_items.at(index.row()) + QStringLiteral(", ") + name);
        return data(index, Qt::DisplayRole);
    }
    case Qt::DisplayRole: {
        // A row shows the start of a very long hand-written line: laying out
        // megabytes of text on every repaint would freeze the window.
        constexpr qsizetype shown = 256;
        const QString& item = m_items.at(index.row());
        if (item.size() > shown) {
            return QString(item.left(shown) + QChar(0x2026));
        }
        return item;
    }
    case Qt::EditRole:
        return m_items.at(index.row());
    default:
        return QVariant();
    }
}
