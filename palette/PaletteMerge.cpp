// SPDX-License-Identifier: MIT
#include "PaletteMerge.h"

namespace PaletteMerge {

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
