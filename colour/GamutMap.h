// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

// Brings a colour into the sRGB gamut with the CSS Color 4 gamut mapping to an
// RGB destination: Oklab lightness 1 or more gives white, 0 or less black, a
// colour inside sRGB stays as it is; any other is searched for along its OKLCH
// chroma, at fixed lightness and hue, until its clipped form lies within one
// just noticeable difference (deltaEOK 0.02) of it.
namespace GamutMap {

using Colour::Triple;

struct Result
{
    Triple linear;  // linear-light sRGB, each channel 0 to 1
    bool outside{}; // the colour lay outside sRGB by more than half an 8-bit step
};

Result FromOklab(const Triple& oklab);
Result FromLinearSrgb(const Triple& linear);

} // namespace GamutMap
