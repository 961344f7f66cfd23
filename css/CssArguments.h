// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>
#include <QVarLengthArray>

// Splits the text between the parentheses of a CSS colour function into its
// pieces: numbers (CSS syntax: sign, decimals, exponent, as in "+.5e-1"),
// percentages, angles, the keyword none, other names, commas and slashes.
namespace CssArguments {

enum class Type { Number, Percentage, Angle, None, Name, Comma, Slash };

struct Token
{
    Type type{};
    double value{}; // the number; for an angle, in degrees; for a percentage, in percent
    QStringView text;
};

enum class Fault { None, BadValue, OutOfRange, TooMany };

struct Arguments
{
    QVarLengthArray<Token, 12> tokens;
    Fault fault = Fault::None;
    QStringView culprit; // the piece at fault
};

// The largest count of pieces kept; a colour function never needs more.
constexpr qsizetype MaxTokens = 12;

bool IsBlank(QChar c);

Arguments Scan(QStringView inside);

} // namespace CssArguments
