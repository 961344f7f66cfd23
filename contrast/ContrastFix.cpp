// SPDX-License-Identifier: MIT
#include "ContrastFix.h"

#include "ColourForms.h"
#include "ColourSpaces.h"
#include "EightBit.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ContrastFix {

namespace {

using Colour::Rgb8;
using Colour::Triple;
using ColourForms::Form;

// Lightness steps from the text to white or black: at most 0.001, finer than
// an 8-bit level everywhere but in the lightest tints, where the neighbours
// taken at each step cover the levels between.
constexpr int Steps = 1000;
// A text chroma below this is a grey's, whose hue is only rounding noise.
constexpr double GreyChroma = 1e-4;
// Far beyond the chroma of any sRGB colour (about 0.32).
constexpr double ChromaCeiling = 0.5;
constexpr int Halvings = 40;
constexpr double GamutSlack = 1e-9;

struct Goal
{
    Triple lch; // the text's OKLCH
    Triple lab; // and Oklab
    Rgb8 background;
    double ratio;
    bool keepHue; // false: any hue may do
};

struct Candidate
{
    Rgb8 colour;
    double distance; // from the text, in Oklab
    bool chromaCut;
};

Triple Oklab(Rgb8 colour)
{
    return ColourForms::FromRgb8(Form::Oklab, colour);
}

bool InGamut(const Triple& lch)
{
    const Triple linear = ColourSpaces::OklabToLinearSrgb(ColourSpaces::FromPolar(lch));
    return std::all_of(linear.begin(), linear.end(),
                       [](double v) { return v >= -GamutSlack && v <= 1 + GamutSlack; });
}

// The largest chroma sRGB holds at this lightness and hue.
double MaxChroma(double lightness, double hue)
{
    double inside = 0;
    double outside = ChromaCeiling;
    for (int i = 0; i < Halvings; ++i) {
        const double middle = (inside + outside) / 2;
        (InGamut({lightness, middle, hue}) ? inside : outside) = middle;
    }
    return inside;
}

double HueTurn(double a, double b)
{
    const double turn = std::abs(a - b);
    return std::min(turn, 360 - turn);
}

bool KeepsHue(const Goal& goal, Rgb8 colour)
{
    if (goal.lch[1] < GreyChroma) {
        return colour.red == colour.green && colour.green == colour.blue;
    }
    const Triple lch = ColourForms::FromRgb8(Form::Oklch, colour);
    return HueTurn(lch[2], goal.lch[2]) <= MaxHueTurn;
}

// Among the 8-bit neighbours of the exact colour at this lightness, the one
// nearest it that reaches the ratio (and keeps the hue when asked).
std::optional<Candidate> At(const Goal& goal, double lightness)
{
    const double limit = MaxChroma(lightness, goal.lch[2]);
    const double chroma = std::min(goal.lch[1], limit);
    const Triple exact = ColourSpaces::FromPolar({lightness, chroma, goal.lch[2]});
    const Triple linear = ColourSpaces::OklabToLinearSrgb(exact);
    std::array<int, 3> low{};
    for (int i = 0; i < 3; ++i) {
        const double level = ColourSpaces::LinearToSrgb(std::clamp(linear[i], 0.0, 1.0)) * 255;
        low[i] = std::clamp(static_cast<int>(std::floor(level)), 0, 254);
    }
    std::optional<Candidate> nearest;
    double nearestGap = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const Rgb8 colour{low[0] + (corner & 1), low[1] + ((corner >> 1) & 1),
                          low[2] + ((corner >> 2) & 1)};
        if (Contrast::Ratio(colour, goal.background) < goal.ratio ||
            (goal.keepHue && !KeepsHue(goal, colour))) {
            continue;
        }
        const Triple lab = Oklab(colour);
        const double gap = ColourSpaces::DeltaEOK(lab, exact);
        if (!nearest || gap < nearestGap) {
            nearest = Candidate{colour, ColourSpaces::DeltaEOK(lab, goal.lab),
                                chroma < goal.lch[1] - 0.0005};
            nearestGap = gap;
        }
    }
    return nearest;
}

// The first lightness step towards `end` (0 or 1) that gives a colour.
std::optional<Candidate> Towards(const Goal& goal, double end)
{
    const double start = goal.lch[0];
    for (int step = 1; step <= Steps; ++step) {
        if (std::optional<Candidate> found = At(goal, start + (end - start) * step / Steps)) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<Candidate> Nearer(std::optional<Candidate> a, std::optional<Candidate> b)
{
    if (a && (!b || a->distance <= b->distance)) {
        return a;
    }
    return b;
}

std::optional<Candidate> Search(const Goal& goal)
{
    return Nearer(Towards(goal, 1), Towards(goal, 0));
}

Result Make(Kind kind, Rgb8 colour, const Goal& goal, bool chromaCut)
{
    Result result;
    result.kind = kind;
    result.colour = colour;
    result.ratio = Contrast::Ratio(colour, goal.background);
    result.from = goal.lch;
    result.to = ColourForms::FromRgb8(Form::Oklch, colour);
    result.chromaCut = chromaCut;
    result.best = std::max(Contrast::Ratio({}, goal.background),
                           Contrast::Ratio({255, 255, 255}, goal.background));
    return result;
}

} // namespace

Result Find(Rgb8 text, Rgb8 background, double ratio)
{
    Goal goal{ColourForms::FromRgb8(Form::Oklch, text), Oklab(text), background, ratio, true};
    if (Contrast::Ratio(text, background) >= ratio) {
        return Make(Kind::Reached, text, goal, false);
    }
    if (const std::optional<Candidate> found = Search(goal)) {
        return Make(Kind::Fixed, found->colour, goal, found->chromaCut);
    }
    goal.keepHue = false;
    std::optional<Candidate> proposal = Search(goal);
    for (const Rgb8 end : {Rgb8{}, Rgb8{255, 255, 255}}) {
        if (Contrast::Ratio(end, background) >= ratio) {
            proposal = Nearer(proposal,
                              Candidate{end, ColourSpaces::DeltaEOK(Oklab(end), goal.lab), false});
        }
    }
    if (proposal) {
        return Make(Kind::Proposed, proposal->colour, goal, false);
    }
    return Make(Kind::Unreachable, text, goal, false);
}

} // namespace ContrastFix
