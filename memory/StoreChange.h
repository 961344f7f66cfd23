// SPDX-License-Identifier: MIT
#pragma once

// What a change of the memory list came to: how many codes went in, and how
// many the list held already.
struct StoreChange
{
    int added = 0;
    int skipped = 0;
};
