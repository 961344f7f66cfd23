// SPDX-License-Identifier: MIT
#pragma once

// Rounding of channel values to 8 bits (0 to 255), halves up and clipped, as
// browsers store sRGB colours; and the linear-light value of each 8-bit level.
namespace EightBit {

// Halves round up whatever floating point did on the way: a value that
// should be exactly n + 0.5 often arrives a few units of the last place short
// (hwb(126 0% 0%)'s blue is 25.5 in exact arithmetic and 25.499999999999996
// in doubles), so a level counts as a half from this far below it. No text
// the writer gives lies that near a half (it keeps 1e-6 away).
constexpr double HalfTolerance = 1e-9;

// A channel on the 0 to 255 scale, unrounded. NaN gives 0.
int FromLevel(double level);

// A gamma-encoded channel, 0 to 1. NaN gives 0.
int FromSrgb(double encoded);

// A linear-light channel: the same level as FromSrgb of its encoded value,
// found by comparing with the linear values of the 255 half steps, which is
// faster than encoding and gives both readers and writers one exact rule.
int FromLinear(double linear);

// How near a half step, in steps, a value has to lie for NearHalf.
constexpr double NearHalfSteps = 1e-6;

// Whether a linear-light channel lies within NearHalfSteps of a half step;
// level is its FromLinear.
bool NearHalf(double linear, int level);

// The linear-light value of an 8-bit level.
double ToLinear(int level);

} // namespace EightBit
