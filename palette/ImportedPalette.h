// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"

#include <QString>
#include <QStringList>

// What reading a palette gives: every colour of the file. A file is taken
// whole or not at all: reading it fails, with the reason in Spanish, at the
// first colour it cannot take (Outcome<ImportedPalette>).
struct ImportedPalette
{
    QStringList codes; // the colours as codes, "#BBGGRR" upper case, in file order
    // The names the file gives them, one per code (empty: none), as the file
    // writes them ("--brand" is "brand"); none at all for a kind without names.
    QStringList names;
    QString note; // how the file was read, when the user should know; ends in a blank
};
