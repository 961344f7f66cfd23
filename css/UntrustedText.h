// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

// Text that came from outside (a file, standard input, the clipboard, the
// command line) as a message shows it: nothing in it can act on a terminal
// (escape sequences, a NUL that ends a C string) or turn the message around
// (bidirectional overrides), and a long text cannot widen a message box
// beyond the screen.
namespace UntrustedText {

// The longest part of a text a message quotes, in characters.
constexpr qsizetype QuotedLength = 40;

// text with every control character, line and paragraph separator,
// bidirectional control and lone surrogate written as an escape: "\x1B",
// "\u202E"; a lone surrogate U+DC80..U+DCFF (a byte of a name that is not
// valid UTF-8) as its byte, "\xF1". Every other character stays.
QString Escaped(QStringView text);

// «text», escaped, its first QuotedLength characters then "…" when longer.
QString Quoted(QStringView text);

} // namespace UntrustedText
