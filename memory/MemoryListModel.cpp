// SPDX-License-Identifier: MIT
#include "MemoryListModel.h"

#include <algorithm>
#include <utility>

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
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
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
