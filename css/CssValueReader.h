// SPDX-License-Identifier: MIT
#pragma once

#include "CssTokens.h"
#include "CssValue.h"
#include "Outcome.h"

#include <optional>

// Reads one colour from the tokens of a text: a hash, a name or a colour
// function. Colours nest (a relative colour's origin, the colours of a mix),
// so the function readers come back here for the colours inside them.
namespace CssValueReader {

struct Cursor
{
    QStringView input; // the whole text, as a message quotes it
    const CssTokens::Token* at = nullptr;
    const CssTokens::Token* end = nullptr;
    int depth = 0; // functions open around the cursor

    bool AtEnd() const { return at == end; }
};

// Functions nest at most this deep, which bounds the reader's stack.
constexpr int MaxDepth = 32;

Outcome<CssValue> Read(Cursor& cursor);

// var(), env() and attr(), whose token the cursor has just passed, stand for
// what only a page knows: the refusal, quoting the function whole, and the
// cursor past its ")". None for any other function.
std::optional<Failure> PageFunction(Cursor& cursor, const CssTokens::Token& function);

} // namespace CssValueReader
