// SPDX-License-Identifier: MIT
#include "PaletteMerge.h"

#include "MemoryListModel.h"

#include <QSet>
#include <algorithm>
#include <iterator>
#include <utility>

namespace PaletteMerge {

namespace {

// Above this many new codes, a list in sorted order takes them in one merge:
// an insertion each would take minutes for a million colours.
constexpr qsizetype OneMergeFrom = 1000;

} // namespace

MergeResult Merge(const QStringList& codes, MemoryListModel& list)
{
    // A set, so taking a large palette into a large list stays quick.
    QSet<QString> held(list.Items().cbegin(), list.Items().cend());
    MergeResult result;
    for (const QString& code : codes) {
        if (held.contains(code)) {
            ++result.skipped;
            continue;
        }
        held.insert(code);
        result.added.append(code);
    }
    const QStringList& items = list.Items();
    if (result.added.size() > OneMergeFrom &&
        std::is_sorted(items.cbegin(), items.cend(), MemoryListModel::SortsBefore)) {
        // The same order as AddSorted one code at a time: equal entries keep
        // their order (stable sort), and new ones go after the list's own
        // (std::merge takes the first range's first).
        QStringList fresh = result.added;
        std::stable_sort(fresh.begin(), fresh.end(), MemoryListModel::SortsBefore);
        QStringList merged;
        merged.reserve(items.size() + fresh.size());
        std::merge(items.cbegin(), items.cend(), fresh.cbegin(), fresh.cend(),
                   std::back_inserter(merged), MemoryListModel::SortsBefore);
        list.SetItems(std::move(merged));
    } else {
        for (const QString& code : std::as_const(result.added))
            list.AddSorted(code);
    }
    result.message = MergeMessage(int(result.added.size()), result.skipped);
    return result;
}

QString MergeMessage(int added, int skipped)
{
    if (added == 0) {
        const QString none = QStringLiteral("No se añadió ningún color");
        if (skipped == 0)
            return none + u'.';
        if (skipped == 1)
            return none + QStringLiteral(": ya estaba en la lista.");
        return none + QStringLiteral(": los %1 ya estaban en la lista.").arg(skipped);
    }
    QString text = added == 1 ? QStringLiteral("Se añadió 1 color")
                              : QStringLiteral("Se añadieron %1 colores").arg(added);
    if (skipped == 1)
        text += QStringLiteral("; 1 ya estaba en la lista");
    else if (skipped > 1)
        text += QStringLiteral("; %1 ya estaban en la lista").arg(skipped);
    return text + u'.';
}

} // namespace PaletteMerge
