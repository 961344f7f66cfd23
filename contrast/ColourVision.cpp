// SPDX-License-Identifier: MIT
#include "ColourVision.h"

#include "Contrast.h"
#include "EightBit.h"

#include <array>

namespace ColourVision {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Rows give linear red, green and blue seen from linear red, green and blue.
constexpr Matrix Protanopia{{
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
}};
constexpr Matrix Deuteranopia{{
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
}};
constexpr Matrix Tritanopia{{
    {1.255528, -0.076749, -0.178779},
    {-0.078411, 0.930809, 0.147602},
    {0.004733, 0.691367, 0.303900},
}};

Colour::Rgb8 Apply(const Matrix& matrix, Colour::Rgb8 colour)
{
    const std::array<double, 3> linear{EightBit::ToLinear(colour.red),
                                       EightBit::ToLinear(colour.green),
                                       EightBit::ToLinear(colour.blue)};
    std::array<int, 3> seen{};
    for (int row = 0; row < 3; ++row) {
        double sum = 0;
        for (int column = 0; column < 3; ++column) {
            sum += matrix[row][column] * linear[column];
        }
        seen[row] = EightBit::FromLinear(sum); // clipped to 0-1 there
    }
    return {seen[0], seen[1], seen[2]};
}

} // namespace

Colour::Rgb8 Simulate(Deficiency deficiency, Colour::Rgb8 colour)
{
    switch (deficiency) {
    case Deficiency::Protanopia:
        return Apply(Protanopia, colour);
    case Deficiency::Deuteranopia:
        return Apply(Deuteranopia, colour);
    case Deficiency::Tritanopia:
        return Apply(Tritanopia, colour);
    case Deficiency::Achromatopsia:
        break;
    }
    const int grey = EightBit::FromLinear(Contrast::Luminance(colour));
    return {grey, grey, grey};
}

} // namespace ColourVision
