// SPDX-License-Identifier: MIT
#include "ContrastFix.h"

#include "ColourForms.h"
#include "Contrast.h"

#include <cmath>

namespace ContrastFix {

namespace {

using Colour::Rgb8;
using ColourForms::Form;

// Lightness steps from the text to white or black. The ratio grows with the
// distance from the text but for small dips where the gamut mapping gives up
// chroma; steps of at most 0.001 (a quarter of an 8-bit level mid-range) find
// the first crossing, and halving the step that crossed finds where it lies.
constexpr int Steps = 1000;
constexpr int Halvings = 30;
constexpr double Sliver = 1e-6;

// What the search keeps fixed: the text's hue and chroma, the background and
// the ratio to reach.
struct Goal
{
    Colour::Triple lch; // the text's OKLCH lightness, chroma and hue
    Rgb8 background;
    double ratio;
};

struct Candidate
{
    Rgb8 colour;
    double distance; // from the text's OKLCH lightness
};

Rgb8 At(const Goal& goal, double lightness)
{
    return ColourForms::ToRgb8(Form::Oklch, {lightness, goal.lch[1], goal.lch[2]}).colour;
}

bool Reaches(const Goal& goal, double lightness)
{
    return Contrast::Ratio(At(goal, lightness), goal.background) >= goal.ratio;
}

// Halves the step between a lightness that misses and one that reaches, then
// goes a sliver past the crossing: a colour that only a sliver of lightness
// gives is rounding noise, where channels meant to be equal (a grey's) cross
// a half step at nearly the same lightness and round apart.
Candidate Nearest(const Goal& goal, double missed, double reached)
{
    for (int i = 0; i < Halvings; ++i) {
        const double middle = (missed + reached) / 2;
        (Reaches(goal, middle) ? reached : missed) = middle;
    }
    const double beyond = reached + (reached > missed ? Sliver : -Sliver);
    Rgb8 colour = At(goal, beyond);
    if (Contrast::Ratio(colour, goal.background) < goal.ratio) {
        colour = At(goal, reached);
    }
    const double lightness = ColourForms::FromRgb8(Form::Oklch, colour)[0];
    return {colour, std::abs(lightness - goal.lch[0])};
}

// The first colour that reaches the ratio going towards `end` (0 or 1).
std::optional<Candidate> Towards(const Goal& goal, double end)
{
    const double start = goal.lch[0];
    double missed = start;
    for (int step = 1; step <= Steps; ++step) {
        const double lightness = start + (end - start) * step / Steps;
        if (Reaches(goal, lightness)) {
            return Nearest(goal, missed, lightness);
        }
        missed = lightness;
    }
    return std::nullopt;
}

} // namespace

std::optional<Rgb8> Fix(Rgb8 text, Rgb8 background, double ratio)
{
    if (Contrast::Ratio(text, background) >= ratio) {
        return text;
    }
    const Goal goal{ColourForms::FromRgb8(Form::Oklch, text), background, ratio};
    const std::optional<Candidate> lighter = Towards(goal, 1);
    const std::optional<Candidate> darker = Towards(goal, 0);
    if (lighter && (!darker || lighter->distance <= darker->distance)) {
        return lighter->colour;
    }
    if (darker) {
        return darker->colour;
    }
    return std::nullopt;
}

} // namespace ContrastFix
