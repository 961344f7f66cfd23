// SPDX-License-Identifier: MIT
#include "ColourScale.h"

#include "ColourSpaces.h"
#include "EightBit.h"

#include <algorithm>
#include <cmath>

namespace ColourScale {

namespace {

using namespace ColourSpaces;
constexpr int Count = int(Numbers.size());
using Row = std::array<double, Count>;

// Tailwind CSS 4.3.5's chromatic families (theme.css), in the order of their
// 500's hue: that hue, then the OKLCH lightness (percent) and chroma of each
// step from 50 to 950.
struct Family
{
    double hue;
    Row lightness;
    Row chroma;
};
constexpr Family Families[] = {
    {16.439,
     {96.9, 94.1, 89.2, 81, 71.2, 64.5, 58.6, 51.4, 45.5, 41, 27.1},
     {0.015, 0.03, 0.058, 0.117, 0.194, 0.246, 0.253, 0.222, 0.188, 0.159, 0.105}}, // rose
    {25.331,
     {97.1, 93.6, 88.5, 80.8, 70.4, 63.7, 57.7, 50.5, 44.4, 39.6, 25.8},
     {0.013, 0.032, 0.062, 0.114, 0.191, 0.237, 0.245, 0.213, 0.177, 0.141, 0.092}}, // red
    {47.604,
     {98, 95.4, 90.1, 83.7, 75, 70.5, 64.6, 55.3, 47, 40.8, 26.6},
     {0.016, 0.038, 0.076, 0.128, 0.183, 0.213, 0.222, 0.195, 0.157, 0.123, 0.079}}, // orange
    {70.08,
     {98.7, 96.2, 92.4, 87.9, 82.8, 76.9, 66.6, 55.5, 47.3, 41.4, 27.9},
     {0.022, 0.059, 0.12, 0.169, 0.189, 0.188, 0.179, 0.163, 0.137, 0.112, 0.077}}, // amber
    {86.047,
     {98.7, 97.3, 94.5, 90.5, 85.2, 79.5, 68.1, 55.4, 47.6, 42.1, 28.6},
     {0.026, 0.071, 0.129, 0.182, 0.199, 0.184, 0.162, 0.135, 0.114, 0.095, 0.066}}, // yellow
    {130.85,
     {98.6, 96.7, 93.8, 89.7, 84.1, 76.8, 64.8, 53.2, 45.3, 40.5, 27.4},
     {0.031, 0.067, 0.127, 0.196, 0.238, 0.233, 0.2, 0.157, 0.124, 0.101, 0.072}}, // lime
    {149.579,
     {98.2, 96.2, 92.5, 87.1, 79.2, 72.3, 62.7, 52.7, 44.8, 39.3, 26.6},
     {0.018, 0.044, 0.084, 0.15, 0.209, 0.219, 0.194, 0.154, 0.119, 0.095, 0.065}}, // green
    {162.48,
     {97.9, 95, 90.5, 84.5, 76.5, 69.6, 59.6, 50.8, 43.2, 37.8, 26.2},
     {0.021, 0.052, 0.093, 0.143, 0.177, 0.17, 0.145, 0.118, 0.095, 0.077, 0.051}}, // emerald
    {182.503,
     {98.4, 95.3, 91, 85.5, 77.7, 70.4, 60, 51.1, 43.7, 38.6, 27.7},
     {0.014, 0.051, 0.096, 0.138, 0.152, 0.14, 0.118, 0.096, 0.078, 0.063, 0.046}}, // teal
    {215.221,
     {98.4, 95.6, 91.7, 86.5, 78.9, 71.5, 60.9, 52, 45, 39.8, 30.2},
     {0.019, 0.045, 0.08, 0.127, 0.154, 0.143, 0.126, 0.105, 0.085, 0.07, 0.056}}, // cyan
    {237.323,
     {97.7, 95.1, 90.1, 82.8, 74.6, 68.5, 58.8, 50, 44.3, 39.1, 29.3},
     {0.013, 0.026, 0.058, 0.111, 0.16, 0.169, 0.158, 0.134, 0.11, 0.09, 0.066}}, // sky
    {259.815,
     {97, 93.2, 88.2, 80.9, 70.7, 62.3, 54.6, 48.8, 42.4, 37.9, 28.2},
     {0.014, 0.032, 0.059, 0.105, 0.165, 0.214, 0.245, 0.243, 0.199, 0.146, 0.091}}, // blue
    {277.117,
     {96.2, 93, 87, 78.5, 67.3, 58.5, 51.1, 45.7, 39.8, 35.9, 25.7},
     {0.018, 0.034, 0.065, 0.115, 0.182, 0.233, 0.262, 0.24, 0.195, 0.144, 0.09}}, // indigo
    {292.717,
     {96.9, 94.3, 89.4, 81.1, 70.2, 60.6, 54.1, 49.1, 43.2, 38, 28.3},
     {0.016, 0.029, 0.057, 0.111, 0.183, 0.25, 0.281, 0.27, 0.232, 0.189, 0.141}}, // violet
    {303.9,
     {97.7, 94.6, 90.2, 82.7, 71.4, 62.7, 55.8, 49.6, 43.8, 38.1, 29.1},
     {0.014, 0.033, 0.063, 0.119, 0.203, 0.265, 0.288, 0.265, 0.218, 0.176, 0.149}}, // purple
    {322.15,
     {97.7, 95.2, 90.3, 83.3, 74, 66.7, 59.1, 51.8, 45.2, 40.1, 29.3},
     {0.017, 0.037, 0.076, 0.145, 0.238, 0.295, 0.293, 0.253, 0.211, 0.17, 0.136}}, // fuchsia
    {354.308,
     {97.1, 94.8, 89.9, 82.3, 71.8, 65.6, 59.2, 52.5, 45.9, 40.8, 28.4},
     {0.014, 0.028, 0.061, 0.12, 0.202, 0.241, 0.249, 0.223, 0.187, 0.153, 0.109}}, // pink
};
// The lightness of its nine grey families (slate ... taupe), step by step, averaged.
constexpr Row GreyLightness = {98.6, 96.6, 92.5, 87.1, 71.3, 55.5, 44.5, 37.4, 27.3, 21.3, 14.3};

// Below this chroma a colour follows the greys' lightness, above the other
// the hue's; in between a mix. Tailwind's greys reach 0.046 at 500, its
// other families 0.14 at least.
constexpr double GreyChroma = 0.04;
constexpr double HueChroma = 0.10;
// Where a step's chroma is at most this, its hue may turn in 8 bits.
constexpr double HueKeptAbove = 0.03;
constexpr double HueTolerance = 2; // degrees

struct Reference
{
    Row lightness; // 0 to 1
    Row chroma;    // relative to the 500's
};

// The families on either side of hue, mixed by how near each lies.
Reference AtHue(double hue, double chroma)
{
    constexpr int n = int(std::size(Families));
    int next = 0;
    while (next < n && Families[next].hue < hue)
        ++next;
    const Family& a = Families[(next + n - 1) % n];
    const Family& b = Families[next % n];
    const double span = NormalHue(b.hue - a.hue);
    const double t = NormalHue(hue - a.hue) / span;
    const double hueWeight = std::clamp((chroma - GreyChroma) / (HueChroma - GreyChroma), 0.0, 1.0);
    Reference r;
    for (int i = 0; i < Count; ++i) {
        const double own = a.lightness[i] * (1 - t) + b.lightness[i] * t;
        r.lightness[i] = (GreyLightness[i] * (1 - hueWeight) + own * hueWeight) / 100;
        r.chroma[i] = a.chroma[i] / a.chroma[5] * (1 - t) + b.chroma[i] / b.chroma[5] * t;
    }
    return r;
}

Triple ToOklch(Rgb8 colour)
{
    return ToPolar(
        LinearSrgbToOklab({EightBit::ToLinear(colour.red), EightBit::ToLinear(colour.green),
                           EightBit::ToLinear(colour.blue)}));
}

bool InsideSrgb(const Triple& oklch)
{
    const Triple linear = OklabToLinearSrgb(FromPolar(oklch));
    return std::all_of(linear.begin(), linear.end(),
                       [](double c) { return c >= -1e-9 && c <= 1 + 1e-9; });
}

// The chroma reduced, at the same lightness and hue, until the colour lies
// inside sRGB.
Triple IntoSrgb(Triple oklch)
{
    if (InsideSrgb(oklch))
        return oklch;
    double inside = 0;
    double outside = oklch[1];
    for (int i = 0; i < 40; ++i) {
        oklch[1] = (inside + outside) / 2;
        (InsideSrgb(oklch) ? inside : outside) = oklch[1];
    }
    oklch[1] = inside;
    return oklch;
}

double HueDistance(double a, double b)
{
    return std::abs(NormalHue(a - b + 180) - 180);
}

// The 8-bit colour nearest the asked one in Oklab among those around it
// (each channel rounded down or up) whose hue stays within the tolerance of
// hue, or which has too little chroma for its hue to count. Very dark steps
// may need one level more each way to find one.
Rgb8 EightBitNear(const Triple& oklch, double hue)
{
    const Triple asked = FromPolar(oklch);
    const Triple linear = OklabToLinearSrgb(asked);
    std::array<int, 3> low{};
    for (int c = 0; c < 3; ++c)
        low[c] = int(std::floor(LinearToSrgb(linear[c]) * 255));
    Rgb8 best;
    double bestDistance = INFINITY;
    bool bestKeepsHue = false;
    for (int reach = 0; reach < 2 && !bestKeepsHue; ++reach) {
        const int from = -reach;
        const int side = 2 + 2 * reach;
        for (int corner = 0; corner < side * side * side; ++corner) {
            const std::array<int, 3> levels{low[0] + from + corner % side,
                                            low[1] + from + corner / side % side,
                                            low[2] + from + corner / (side * side)};
            if (std::any_of(levels.begin(), levels.end(), [](int l) { return l < 0 || l > 255; }))
                continue;
            const Rgb8 candidate{levels[0], levels[1], levels[2]};
            const Triple own = ToOklch(candidate);
            const bool keepsHue =
                own[1] <= HueKeptAbove || HueDistance(own[2], hue) <= HueTolerance;
            const double distance = DeltaEOK(FromPolar(own), asked);
            if ((keepsHue && !bestKeepsHue) ||
                (keepsHue == bestKeepsHue && distance < bestDistance)) {
                best = candidate;
                bestDistance = distance;
                bestKeepsHue = keepsHue;
            }
        }
    }
    return best;
}

} // namespace

std::array<Step, 11> Of(Rgb8 given)
{
    const Triple own = ToOklch(given);
    const Reference reference = AtHue(own[2], own[1]);
    const Row& l = reference.lightness;
    int at = 0;
    for (int i = 1; i < Count; ++i) {
        if (std::abs(l[i] - own[0]) < std::abs(l[at] - own[0]))
            at = i;
    }
    std::array<Step, 11> steps;
    for (int i = 0; i < Count; ++i) {
        steps[i].number = Numbers[i];
        if (i == at) {
            steps[i].colour = given;
            steps[i].oklch = own;
            continue;
        }
        // The reference's lightness stretched so that the given colour's
        // step lands on its own: lighter steps keep their share of the way
        // to white, darker ones their share of the way to black.
        const double lightness =
            i < at ? own[0] + (l[i] - l[at]) / (1 - l[at]) * (1 - own[0]) : own[0] * l[i] / l[at];
        const double chroma = own[1] * reference.chroma[i] / reference.chroma[at];
        steps[i].oklch = IntoSrgb({lightness, chroma, own[2]});
        steps[i].colour = EightBitNear(steps[i].oklch, own[2]);
    }
    return steps;
}

} // namespace ColourScale
