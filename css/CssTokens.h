// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>
#include <QVarLengthArray>

// Splits a colour text into tokens as the CSS tokenizer does, for the part of
// the grammar colours use: names, functions ("rgb("), numbers (sign,
// decimals, exponent, as in "+.5e-1"), percentages, dimensions ("30deg"),
// hashes ("#f80"), commas, slashes, parentheses and any other character as a
// delimiter. Comments ("/* ... */") are dropped, an unclosed one running to
// the end. Whitespace is only space, tab, line feed, carriage return and form
// feed; it separates tokens and is remembered on the token after it. Any
// other character (a no-break space, U+3000) is not whitespace: non-ASCII
// characters belong to names, as CSS has it.
namespace CssTokens {

enum class Type {
    Ident,
    Function,
    Number,
    Percentage,
    Dimension,
    Hash,
    Comma,
    Slash,
    Open,
    Close,
    Delim
};

struct Token
{
    Type type{};
    double value{};   // a number, percentage (in percent) or dimension
    QStringView text; // the token as written
    // A name, a function's name without "(", a hash without "#", a
    // dimension's unit.
    QStringView name;
    bool spaceBefore{}; // whitespace came right before it
};

enum class Fault { None, OutOfRange, TooMany };

// The longest text the reader takes (4096 characters) has at most this many
// tokens.
constexpr qsizetype MaxTokens = 4096;

struct Tokens
{
    QVarLengthArray<Token, 24> list;
    Fault fault = Fault::None;
    QStringView culprit; // a number too large for a double
};

Tokens Split(QStringView text);

// CSS whitespace: space, tab, line feed, carriage return, form feed.
bool IsBlank(QChar c);

// name, compared as CSS compares names: only A-Z and a-z are the same
// letter in either case ("hſl" and the Kelvin sign's "oKlch" are not hsl and
// oklch). lower is in lower case.
bool Is(QStringView name, const char16_t* lower);

} // namespace CssTokens
