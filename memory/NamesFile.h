// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

// The names given to the memory list's colours, kept in a file of their own
// beside the list ("List.names" beside "List.slc"), so that the list's file
// stays exactly as other copies and programs read it. The file is UTF-8 text,
// one colour a line: the code as the list holds it ("#BBGGRR", blue first),
// a tab or blanks, and the name to the end of the line. Lines starting with
// "*" are comments, empty lines and lines that do not start with a code are
// skipped; CR LF, a lone CR or a lone LF end a line; of two lines for one
// code, the later wins. A damaged line costs its own name only. The name of
// a code the list does not hold is neither shown nor exported nor written
// back.
namespace NamesFile {

// Name by code, keyed by Key(code).
using Names = QHash<QString, QString>;

// The longest name kept, in characters.
constexpr qsizetype MaxName = 64;

// The names file that goes with the memory file at memoryFile: in the same
// folder, its name's last extension replaced by ".names" (List.slc,
// List.names); never memoryFile itself.
QString PathFor(const QString& memoryFile);

// The key a code's name is kept under: the code in upper case, so that
// #0080ff and #0080FF, one colour, share a name.
QString Key(QStringView code);

// True when text is "#" and six hexadecimal digits.
bool IsCode(QStringView text);

// name as it is kept: control, line-break and direction characters become
// blanks, runs of blanks one blank, blanks at the ends dropped, and at most
// MaxName characters (a character outside the BMP is never cut in two).
QString Cleaned(QStringView name);

// The names of the file's bytes (invalid UTF-8 read as U+FFFD), each Cleaned.
Names Parse(QByteArrayView bytes);

// The file's bytes for the list's entries: a comment line saying what the
// file is, then each entry that is a code and has a name, in list order, once
// per key, as "code<TAB>name" ended by CR LF, as the list's lines are.
// Empty when no entry has a name.
QByteArray Text(const QStringList& entries, const Names& names);

} // namespace NamesFile
