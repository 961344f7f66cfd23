// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdio>

// The process's standard input, output and error.
namespace StandardStreams {

// Opens each of descriptors 0, 1 and 2 that is closed on /dev/null. Called
// first thing: otherwise the next file or socket opened (the display's
// connection) takes that number, and what is meant for standard output
// goes into it.
void OpenMissing();

// Writes the text to the stream and flushes it. Returns an empty string on
// success, else why it failed, in Spanish.
QString Write(FILE* stream, const QString& text);

} // namespace StandardStreams
