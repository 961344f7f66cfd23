// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What a change of the memory list came to: how many codes went in, and
// whether the save after it reached the file, with the reason for the user,
// in Spanish, when it did not. A change that was not saved stays in the list.
struct StoreOutcome
{
    enum class SaveResult {
        Saved,      // the file holds the list, or there was nothing to write
        NotWritten, // changes left unsaved: the file could not be read at start and is
                    // never written
        Failed,     // not saved; the file is as it was
    };

    SaveResult result = SaveResult::Saved;
    QString reason;  // on NotWritten and Failed
    int added = 0;   // codes put in the list
    int skipped = 0; // codes the list already held
};
