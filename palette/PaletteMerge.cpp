// SPDX-License-Identifier: MIT
#include "PaletteMerge.h"

#include "MemoryListModel.h"

#include <QSet>

namespace PaletteMerge {

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
        list.AddSorted(code);
        result.added.append(code);
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
