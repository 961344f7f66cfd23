// SPDX-License-Identifier: MIT
#pragma once

#include "CssColourReader.h"
#include "UntrustedText.h"

// How the reader refuses a text: the text quoted with « » (short, escaped:
// UntrustedText::Quoted), a colon, and what is wrong with it.
namespace CssReadFailure {

inline QString Quote(QStringView text)
{
    return UntrustedText::Quoted(text);
}

inline Failure Fail(QStringView input, const QString& what)
{
    return Failed(Quote(input) + QStringLiteral(": ") + what);
}

// what has %1 where the quoted culprit goes.
inline Failure Fail(QStringView input, const char16_t* what, QStringView culprit)
{
    return Fail(input, QString::fromUtf16(what).arg(Quote(culprit)));
}

} // namespace CssReadFailure
