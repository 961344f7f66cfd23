// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// What reading a palette gives: every colour of the file, or nothing and the
// reason: a file is taken whole or not at all.
struct PaletteImportResult
{
    QStringList codes; // the colours as codes, "#BBGGRR" upper case, in file order
    QString error;     // in Spanish; empty when the file was read
    QString note;      // how the file was read, when the user should know; ends in a blank

    bool ok() const { return error.isEmpty(); }

    static PaletteImportResult Failure(const QString& reason) { return {{}, reason, {}}; }
};
