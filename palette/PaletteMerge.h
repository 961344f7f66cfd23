// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class MemoryListModel;

// Takes imported colours into the memory list.
namespace PaletteMerge {

struct MergeResult
{
    QStringList added; // the codes put in the list, in the order they came
    int skipped = 0;   // codes the list already held
    QString message;   // for the user, in Spanish
};

// Puts each code at its sorted place, as "Guardar" does
// (MemoryListModel::AddSorted); a code the list already holds, text for text,
// is skipped, and so is a code that came earlier in codes. Many codes going
// into a list in sorted order are merged in at once (one model reset). The
// caller records each added code with MemoryStore::Added and then saves once.
MergeResult Merge(const QStringList& codes, MemoryListModel& list);

// "Se añadieron 12 colores; 3 ya estaban en la lista.", "Se añadió 1 color.",
// "No se añadió ningún color: los 3 ya estaban en la lista."
QString MergeMessage(int added, int skipped);

} // namespace PaletteMerge
