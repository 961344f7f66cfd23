// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What an import into the memory list tells the user (MemoryStore::Merge
// takes the colours in).
namespace PaletteMerge {

// "Se añadieron 12 colores; 3 ya estaban en la lista.", "Se añadió 1 color.",
// "No se añadió ningún color: los 3 ya estaban en la lista."
QString MergeMessage(int added, int skipped);

} // namespace PaletteMerge
