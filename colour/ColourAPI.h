// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Conversions between channel values, colour codes and packed colour values.
//
// A colour code is "#" followed by three hexadecimal pairs in the order blue,
// green, red: red 255, green 128, blue 0 is written #0080FF. A packed colour
// value is red + 256 * green + 65536 * blue (0x00BBGGRR).
namespace ColourAPI {

using ColourValue = qint32;

// Channel numbers as taken by CodeChannel.
enum ChannelNumber : qint16 { Red = 1, Green = 2, Blue = 3 };

// Upper-case hexadecimal form of value, padded to two digits: 10 -> "0A".
QString HexPair(qint16 value);

// Reads one channel of a code: 1 red (characters 6-7), 2 green (4-5),
// 3 blue (2-3). Reads as far as the pair's leading hexadecimal digits; a short
// code gives a short or empty pair, any other channel number an empty pair.
// Always 0 to 255.
qint16 CodeChannel(QStringView code, qint16 channel);

// The packed colour of a code, or 0 (black) when it does not start with "#".
ColourValue CodeToColour(QStringView code);

// The code of three channel values: "#" + blue + green + red pairs.
QString ComposeCode(qint16 red, qint16 green, qint16 blue);

// Packs three channel values into a colour value.
constexpr ColourValue PackColour(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

// True when text looks like a code: first character "#" and exactly seven
// characters. The characters after "#" are not looked at.
bool HasCodeShape(QStringView text);

// Reads the longest leading number of text, ignoring blanks, tabs and line
// feeds anywhere; 0 when there is none. Accepts an optional sign, decimal
// digits with at most one point and an exponent (E or D), or "&H" hexadecimal
// and "&O" octal integers; those read as 16-bit signed integers up to 16 bits
// and as 32-bit signed integers up to 32 bits. Never fails: a number too large
// for a double reads as the largest finite double of its sign.
double TextToNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4), saturating at the 16-bit limits; NaN gives 0.
qint16 RoundToInteger(double value);

} // namespace ColourAPI
