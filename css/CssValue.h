// SPDX-License-Identifier: MIT
#pragma once

#include "ColourForms.h"

#include <array>

// A colour as the reader holds it until the end: the numbers of the form it
// was written in (CssForms' units: rgb() 0 to 255, hsl() percent, ...), which
// of them were "none", and its opacity. Kept unrounded so that a colour
// inside another (a relative colour's origin, a mix) loses nothing.
struct CssValue
{
    ColourForms::Form form = ColourForms::Form::Rgb;
    Colour::Triple channels{};
    std::array<bool, 3> missing{};
    double alpha = 1;
    bool alphaMissing = false;
};
