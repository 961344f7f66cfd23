// SPDX-License-Identifier: MIT
#pragma once

// Rounding of channel values to 8 bits (0 to 255), halves up and clipped, as
// browsers store sRGB colours; and the linear-light value of each 8-bit level.
namespace EightBit {

// A gamma-encoded channel, 0 to 1. NaN gives 0.
int FromSrgb(double encoded);

// A linear-light channel: the same level as FromSrgb of its encoded value,
// found by comparing with the linear values of the 255 half steps, which is
// faster than encoding and gives both readers and writers one exact rule.
int FromLinear(double linear);

// The linear-light value of an 8-bit level.
double ToLinear(int level);

} // namespace EightBit
