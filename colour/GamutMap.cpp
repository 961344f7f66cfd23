// SPDX-License-Identifier: MIT
#include "GamutMap.h"

#include "ColourSpaces.h"

#include <cmath>

namespace GamutMap {

namespace {

constexpr double JustNoticeable = 0.02;
constexpr double Epsilon = 0.0001;
// No sRGB colour has an OKLCH chroma above 0.33 (magenta's, 0.322, is the
// largest), so past 0.5 every clipped colour lies far more than one just
// noticeable difference away: the search starts there at most, whatever the
// chroma asked for (1e300, or infinite when a and b are both near the largest
// double). From 0.5 the halvings reach Epsilon in 13 steps; the bound on them
// only guards against NaN.
constexpr double MaxChroma = 0.5;
constexpr int MaxHalvings = 64;

bool InGamut(const Triple& linear)
{
    // Written so that NaN counts as outside.
    for (double channel : linear) {
        if (!(channel >= 0 && channel <= 1)) {
            return false;
        }
    }
    return true;
}

Triple Clip(const Triple& linear)
{
    // Clipping linear light to 0-1 clips the encoded channels alike, since the
    // transfer curve keeps 0 and 1 in place. NaN becomes 0.
    Triple clipped{};
    for (int i = 0; i < 3; ++i) {
        clipped[i] = linear[i] > 1 ? 1 : (linear[i] >= 0 ? linear[i] : 0);
    }
    return clipped;
}

// More than half an 8-bit step outside 0-1: the 8-bit colour can't show it.
bool Outside(const Triple& linear)
{
    static const double low = ColourSpaces::SrgbToLinear(-0.5 / 255);
    static const double high = ColourSpaces::SrgbToLinear(255.5 / 255);
    for (double channel : linear) {
        if (!(channel >= low && channel <= high)) {
            return true;
        }
    }
    return false;
}

// The search proper, for a colour outside the gamut given in both forms.
Triple Search(const Triple& oklab, const Triple& linear)
{
    using ColourSpaces::DeltaEOK;
    using ColourSpaces::LinearSrgbToOklab;
    // A colour so far out that it has no Oklab value (channels near the
    // largest double) has no lightness to keep: it is clipped.
    if (std::isnan(oklab[0])) {
        return Clip(linear);
    }
    if (oklab[0] >= 1) {
        return {1, 1, 1};
    }
    if (oklab[0] <= 0) {
        return {0, 0, 0};
    }
    Triple clipped = Clip(linear);
    if (DeltaEOK(LinearSrgbToOklab(clipped), oklab) < JustNoticeable) {
        return clipped;
    }
    const double hue = std::atan2(oklab[2], oklab[1]);
    const double cosHue = std::cos(hue);
    const double sinHue = std::sin(hue);
    const double chroma = std::hypot(oklab[1], oklab[2]);
    double min = 0;
    double max = chroma < MaxChroma ? chroma : MaxChroma; // NaN too
    bool minInGamut = true;
    for (int halvings = 0; max - min > Epsilon && halvings < MaxHalvings; ++halvings) {
        const double middle = (min + max) / 2;
        const Triple current{oklab[0], middle * cosHue, middle * sinHue};
        const Triple currentLinear = ColourSpaces::OklabToLinearSrgb(current);
        if (minInGamut && InGamut(currentLinear)) {
            min = middle;
            continue;
        }
        clipped = Clip(currentLinear);
        const double difference = DeltaEOK(LinearSrgbToOklab(clipped), current);
        if (difference < JustNoticeable) {
            if (JustNoticeable - difference < Epsilon) {
                return clipped;
            }
            minInGamut = false;
            min = middle;
        } else {
            max = middle;
        }
    }
    return clipped;
}

} // namespace

Result FromOklab(const Triple& oklab)
{
    const Triple linear = ColourSpaces::OklabToLinearSrgb(oklab);
    if (oklab[0] >= 1 || oklab[0] <= 0) {
        return {Search(oklab, linear), Outside(linear)};
    }
    if (InGamut(linear)) {
        return {linear, false};
    }
    return {Search(oklab, linear), Outside(linear)};
}

Result FromLinearSrgb(const Triple& linear)
{
    // Checking the gamut first saves the Oklab conversion for most colours;
    // an sRGB colour whose Oklab lightness reaches 1 or 0 is white or black
    // already, so the order of the tests does not change the result.
    if (InGamut(linear)) {
        return {linear, false};
    }
    return {Search(ColourSpaces::LinearSrgbToOklab(linear), linear), Outside(linear)};
}

} // namespace GamutMap
