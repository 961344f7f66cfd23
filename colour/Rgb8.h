// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace Colour {

// An sRGB colour as stored and shown: red, green and blue, each 0 to 255.
struct Rgb8
{
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// Three components of a colour in one colour space, in double precision.
using Triple = std::array<double, 3>;

} // namespace Colour
