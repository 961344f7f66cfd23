// SPDX-License-Identifier: MIT
#include "CssColourMix.h"

#include "ColourSpaces.h"
#include "CssReadFailure.h"

#include <array>
#include <cmath>
#include <optional>

namespace CssColourMix {

namespace {

using Colour::Triple;
using ColourForms::Form;
using CssReadFailure::Fail;
using CssTokens::Is;
using CssTokens::Token;
using CssTokens::Type;
using CssValueReader::Cursor;

struct Space
{
    const char16_t* name;
    Form form;
    int hue; // which number is the hue, or -1
};

constexpr std::array<Space, 15> Spaces{{{u"srgb", Form::Srgb, -1},
                                        {u"srgb-linear", Form::SrgbLinear, -1},
                                        {u"display-p3", Form::DisplayP3, -1},
                                        {u"a98-rgb", Form::A98Rgb, -1},
                                        {u"prophoto-rgb", Form::ProphotoRgb, -1},
                                        {u"rec2020", Form::Rec2020, -1},
                                        {u"lab", Form::Lab, -1},
                                        {u"oklab", Form::Oklab, -1},
                                        {u"xyz", Form::Xyz, -1},
                                        {u"xyz-d50", Form::XyzD50, -1},
                                        {u"xyz-d65", Form::Xyz, -1},
                                        {u"hsl", Form::Hsl, 0},
                                        {u"hwb", Form::Hwb, 0},
                                        {u"lch", Form::Lch, 2},
                                        {u"oklch", Form::Oklch, 2}}};

enum class HueMethod { Shorter, Longer, Increasing, Decreasing };

constexpr std::array<const char16_t*, 4> HueMethods{u"shorter", u"longer", u"increasing",
                                                    u"decreasing"};

// One colour of the mix and its percentage, if given.
struct Part
{
    CssValue colour;
    std::optional<double> percent;
};

bool Next(const Cursor& cursor, Type type)
{
    return !cursor.AtEnd() && cursor.at->type == type;
}

Outcome<Part> ReadPart(Cursor& cursor)
{
    Part part;
    const auto percent = [&]() -> std::optional<Failure> {
        if (Next(cursor, Type::Percentage)) {
            const Token& token = *cursor.at++;
            if (!(token.value >= 0 && token.value <= 100)) {
                return Fail(cursor.input, u"porcentaje fuera de 0% a 100% %1", token.text);
            }
            part.percent = token.value;
        }
        return std::nullopt;
    };
    if (auto failure = percent()) {
        return *failure;
    }
    Outcome<CssValue> colour = CssValueReader::Read(cursor);
    if (!colour) {
        return Failed(colour.Reason());
    }
    part.colour = *colour;
    if (!part.percent) {
        if (auto failure = percent()) {
            return *failure;
        }
    }
    return part;
}

// The colour's numbers in the mixing space; a number is missing where it
// was none in that same form, and a hue where the colour is grey.
CssValue InSpace(const CssValue& colour, const Space& space)
{
    CssValue result = colour;
    result.form = space.form;
    if (colour.form != space.form) {
        Triple numbers = colour.channels;
        for (int i = 0; i < 3; ++i) {
            numbers[i] = colour.missing[i] ? 0 : numbers[i];
        }
        result.channels = ColourForms::Convert(colour.form, numbers, space.form);
        result.missing = {};
    }
    if (space.hue >= 0) {
        const Triple& v = result.channels;
        const bool grey = (space.form == Form::Hsl && std::abs(v[1]) < 1e-9) ||
                          (space.form == Form::Hwb && v[1] + v[2] >= 100 - 1e-9) ||
                          (space.form == Form::Lch && v[1] <= 0.0015) ||
                          (space.form == Form::Oklch && v[1] <= 0.000004);
        result.missing[std::size_t(space.hue)] = result.missing[std::size_t(space.hue)] || grey;
    }
    return result;
}

// The two hues brought together as the method goes from the first to the
// second.
void FixHues(double& h1, double& h2, HueMethod method)
{
    h1 = ColourSpaces::NormalHue(h1);
    h2 = ColourSpaces::NormalHue(h2);
    const double d = h2 - h1;
    switch (method) {
    case HueMethod::Shorter:
        h1 += d > 180 ? 360 : 0;
        h2 += d < -180 ? 360 : 0;
        break;
    case HueMethod::Longer:
        h1 += (d > 0 && d < 180) ? 360 : 0;
        h2 += (d > -180 && d <= 0) ? 360 : 0;
        break;
    case HueMethod::Increasing:
        h2 += d < 0 ? 360 : 0;
        break;
    case HueMethod::Decreasing:
        h1 += d > 0 ? 360 : 0;
        break;
    }
}

CssValue Mix(CssValue a, CssValue b, double p1, const Space& space, HueMethod method)
{
    const double p2 = 1 - p1;
    const auto lerp = [&](double x, double y) { return x * p1 + y * p2; };
    if (a.alphaMissing && !b.alphaMissing) {
        a.alpha = b.alpha;
    } else if (b.alphaMissing && !a.alphaMissing) {
        b.alpha = a.alpha;
    }
    CssValue result;
    result.form = space.form;
    result.alpha = lerp(a.alpha, b.alpha);
    result.alphaMissing = a.alphaMissing && b.alphaMissing;
    for (int i = 0; i < 3; ++i) {
        double& x = a.channels[i];
        double& y = b.channels[i];
        if (a.missing[i] && !b.missing[i]) {
            x = y;
        } else if (b.missing[i] && !a.missing[i]) {
            y = x;
        }
        result.missing[i] = a.missing[i] && b.missing[i];
        if (i == space.hue) {
            FixHues(x, y, method);
            result.channels[i] = ColourSpaces::NormalHue(lerp(x, y));
        } else if (result.alpha > 0) {
            // Premultiplied by alpha, so that a faint colour weighs little.
            result.channels[i] = lerp(x * a.alpha, y * b.alpha) / result.alpha;
        } else {
            result.channels[i] = lerp(x, y);
        }
    }
    return result;
}

} // namespace

Outcome<CssValue> Read(Cursor& cursor)
{
    ++cursor.depth;
    if (!Next(cursor, Type::Ident) || !Is(cursor.at->name, u"in")) {
        return Fail(cursor.input, QStringLiteral("falta «in» y el espacio de la mezcla"));
    }
    ++cursor.at;
    if (!Next(cursor, Type::Ident)) {
        return Fail(cursor.input, QStringLiteral("falta el espacio de la mezcla"));
    }
    const Token& spaceName = *cursor.at++;
    const Space* space = nullptr;
    for (const Space& s : Spaces) {
        space = Is(spaceName.name, s.name) ? &s : space;
    }
    if (space == nullptr) {
        return Fail(cursor.input, u"espacio de mezcla desconocido %1", spaceName.text);
    }
    HueMethod method = HueMethod::Shorter;
    if (Next(cursor, Type::Ident)) {
        const Token& methodName = *cursor.at++;
        int found = -1;
        for (int i = 0; i < int(HueMethods.size()); ++i) {
            found = Is(methodName.name, HueMethods[std::size_t(i)]) ? i : found;
        }
        if (found < 0 || !Next(cursor, Type::Ident) || !Is(cursor.at->name, u"hue")) {
            return Fail(cursor.input, u"valor no válido %1", methodName.text);
        }
        if (space->hue < 0) {
            return Fail(cursor.input, u"%1 no tiene tono que interpolar", spaceName.text);
        }
        ++cursor.at;
        method = HueMethod(found);
    }
    std::array<Part, 2> parts;
    for (Part& part : parts) {
        if (!Next(cursor, Type::Comma)) {
            return Fail(cursor.input, QStringLiteral("faltan colores: la mezcla lleva dos"));
        }
        ++cursor.at;
        Outcome<Part> read = ReadPart(cursor);
        if (!read) {
            return Failed(read.Reason());
        }
        part = *read;
    }
    if (!Next(cursor, Type::Close)) {
        return Fail(cursor.input, cursor.AtEnd() ? QStringLiteral("falta «)»")
                                                 : QStringLiteral("sobran valores"));
    }
    ++cursor.at;
    --cursor.depth;
    double p1 = parts[0].percent.value_or(100 - parts[1].percent.value_or(50));
    double p2 = parts[1].percent.value_or(100 - p1);
    const double sum = p1 + p2;
    if (sum == 0) {
        return Fail(cursor.input, QStringLiteral("los dos porcentajes son 0%"));
    }
    CssValue result = Mix(InSpace(parts[0].colour, *space), InSpace(parts[1].colour, *space),
                          p1 / sum, *space, method);
    if (sum < 100) {
        result.alpha *= sum / 100;
    }
    return result;
}

} // namespace CssColourMix
