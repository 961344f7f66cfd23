// SPDX-License-Identifier: MIT
#pragma once

#include "CssForms.h"
#include "CssValueReader.h"

#include <QVarLengthArray>

// The math functions a colour's channels take: calc(), min(), max() and
// clamp(), with + - * /, parentheses, numbers, percentages, angles, e, pi and
// a relative colour's channel keywords. + and - need whitespace on both
// sides, as CSS has it. A percentage met with a number stands for that share
// of the channel's reference value, and a number met with an angle (in a
// hue) for degrees.
namespace CssCalc {

enum class Unit { Number, Percentage, Angle };

struct Quantity
{
    double value{}; // an angle in degrees, a percentage in percent
    Unit unit = Unit::Number;
};

// A channel keyword of a relative colour ("r", "h", "alpha") and its value.
struct Keyword
{
    const char16_t* name;
    double value;
};

using Keywords = QVarLengthArray<Keyword, 4>;

bool IsMathFunction(QStringView name);

// Degrees in an angle's unit (deg, grad, rad, turn), none for another unit.
std::optional<double> DegreesPer(QStringView unit);

// Reads the math function whose token the cursor has just passed, up to and
// with its ")", for a channel of that kind.
Outcome<Quantity> Read(CssValueReader::Cursor& cursor, const CssTokens::Token& function,
                       const Keywords& keywords, CssForms::Channel channel);

} // namespace CssCalc
