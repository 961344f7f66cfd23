// SPDX-License-Identifier: MIT
#include "CssFunctionReader.h"

#include "ColourForms.h"
#include "CssArguments.h"
#include "CssForms.h"
#include "CssReadFailure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace CssFunctionReader {

namespace {

using Colour::CssColour;
using Colour::Triple;
using ColourForms::Form;
using CssArguments::Token;
using CssArguments::Type;
using CssReadFailure::Fail;

using CssForms::Channel;
using CssForms::Percent;

// What the reader needs of a colour function.
struct Function
{
    const char16_t* name;
    Form form;
    bool commasAllowed;
    std::array<Channel, 3> channels;
};

// color() takes the name of its space first (Spaces).
constexpr Function ColorFunction{
    u"color", Form::Srgb, false, {{{false, 1}, {false, 1}, {false, 1}}}};

struct Space
{
    const char16_t* name;
    Form form;
};

constexpr std::array<Space, 3> Spaces{
    {{u"srgb", Form::Srgb}, {u"srgb-linear", Form::SrgbLinear}, {u"display-p3", Form::DisplayP3}}};

// Other color() spaces of CSS: valid there, but not read here.
constexpr std::array<const char16_t*, 7> OtherSpaces{
    u"display-p3-linear", u"a98-rgb", u"prophoto-rgb", u"rec2020", u"xyz", u"xyz-d50", u"xyz-d65"};

bool Is(QStringView text, const char16_t* name)
{
    return name != nullptr && text.compare(QStringView(name), Qt::CaseInsensitive) == 0;
}

// The colour function of that name, in any case: a row of CssForms or color().
std::optional<Function> Find(QStringView name)
{
    for (const CssForms::Row& row : CssForms::Rows) {
        if (row.write == nullptr && (Is(name, row.name) || Is(name, row.alias))) {
            return Function{row.name, row.form, row.commas, row.channels};
        }
    }
    if (Is(name, ColorFunction.name)) {
        return ColorFunction;
    }
    return std::nullopt;
}

// A percentage in the function's units. Multiplying first keeps the usual
// results exact (30% of 255 is 76.5, a half that rounds up); where the product
// overflows, dividing first keeps the value, and a value still beyond the
// largest double (over 7e307% of 255) becomes that double, as large as any
// channel needs.
double FromPercentage(double percent, double reference)
{
    const double product = percent * reference;
    if (std::isfinite(product)) {
        return product / 100;
    }
    constexpr double largest = std::numeric_limits<double>::max();
    return std::clamp(percent / 100 * reference, -largest, largest);
}

// Checks the kind of one value and brings it to the function's units.
bool ChannelValue(const Token& token, Channel channel, double& value)
{
    switch (token.type) {
    case Type::None:
        value = 0;
        return true;
    case Type::Number:
        value = token.value;
        return true;
    case Type::Angle:
        value = token.value;
        return channel.hue;
    case Type::Percentage:
        value = FromPercentage(token.value, channel.reference);
        return !channel.hue;
    default:
        return false;
    }
}

Outcome<CssColour> ReadArguments(QStringView input, const Function& function,
                                 QVarLengthArray<Token, 12> tokens)
{
    Form form = function.form;
    if (function.form == Form::Srgb) {
        if (tokens.isEmpty() || tokens[0].type != Type::Name) {
            return Fail(input, QStringLiteral("falta el espacio de color"));
        }
        const QStringView name = tokens[0].text;
        const auto space = std::find_if(Spaces.begin(), Spaces.end(),
                                        [&](const Space& s) { return Is(name, s.name); });
        if (space == Spaces.end()) {
            const bool known = std::any_of(OtherSpaces.begin(), OtherSpaces.end(),
                                           [&](const char16_t* other) { return Is(name, other); });
            return Fail(input,
                        known ? u"espacio de color no admitido %1"
                              : u"espacio de color desconocido %1",
                        name);
        }
        form = space->form;
        tokens.remove(0);
    }
    const bool commas = std::any_of(tokens.begin(), tokens.end(),
                                    [](const Token& t) { return t.type == Type::Comma; });
    if (commas && !function.commasAllowed) {
        return Fail(input,
                    QString::fromUtf16(function.name) + QStringLiteral("() no admite comas"));
    }
    QVarLengthArray<Token, 4> values;
    bool slash = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        const bool separatorExpected = commas && i % 2 == 1;
        if (token.type == Type::Slash) {
            if (commas) {
                return Fail(input, QStringLiteral("mezcla comas y «/»"));
            }
            if (slash) {
                return Fail(input, QStringLiteral("sobra «/»"));
            }
            if (values.size() != 3) {
                return Fail(input, values.size() < 3 ? QStringLiteral("faltan valores")
                                                     : QStringLiteral("sobran valores"));
            }
            slash = true;
        } else if (token.type == Type::Comma) {
            if (!separatorExpected) {
                return Fail(input, QStringLiteral("sobra una coma"));
            }
        } else if (separatorExpected) {
            return Fail(input, QStringLiteral("mezcla comas y espacios"));
        } else if (token.type == Type::Name) {
            return Fail(input, u"valor no válido %1", token.text);
        } else if (token.type == Type::None && commas) {
            return Fail(input, QStringLiteral("«none» no vale con comas"));
        } else {
            values.append(token);
        }
    }
    if (commas && tokens.last().type == Type::Comma) {
        return Fail(input, QStringLiteral("sobra una coma"));
    }
    if (values.size() < 3) {
        return Fail(input, QStringLiteral("faltan valores"));
    }
    if (slash && values.size() == 3) {
        return Fail(input, QStringLiteral("falta la opacidad tras «/»"));
    }
    if (values.size() > ((slash || commas) ? 4 : 3)) {
        return Fail(input, QStringLiteral("sobran valores"));
    }
    if (commas && function.form == Form::Rgb &&
        (values[0].type != values[1].type || values[1].type != values[2].type)) {
        return Fail(input, QStringLiteral("mezcla números y porcentajes"));
    }
    if (commas && function.form == Form::Hsl &&
        (values[1].type != Type::Percentage || values[2].type != Type::Percentage)) {
        return Fail(input, QStringLiteral("con comas, la saturación y la luminosidad llevan «%»"));
    }
    Triple numbers{};
    for (int i = 0; i < 3; ++i) {
        if (!ChannelValue(values[i], function.channels[i], numbers[i])) {
            return Fail(input, u"valor no válido %1", values[i].text);
        }
    }
    double alpha = 0;
    if (values.size() == 4 && !ChannelValue(values[3], Percent, alpha)) {
        return Fail(input, u"valor no válido %1", values[3].text);
    }
    // Each of a and b may be finite while their chroma is not: no search
    // along the chroma could start from there.
    if ((form == Form::Lab || form == Form::Oklab) &&
        !std::isfinite(std::hypot(numbers[1], numbers[2]))) {
        return Fail(input, QStringLiteral("el croma de a y b está fuera de rango"));
    }
    return ColourForms::ToRgb8(form, numbers);
}

} // namespace

Outcome<CssColour> Read(QStringView input, qsizetype open)
{
    const QStringView name = input.first(open);
    const std::optional<Function> function = Find(name);
    if (!function) {
        if (Find(name.trimmed())) {
            return Fail(input, QStringLiteral("sobra el espacio antes de «(»"));
        }
        return Fail(input, u"función no admitida %1",
                    QString(name.toString() + QStringLiteral("()")));
    }
    const qsizetype close = input.indexOf(u')', open);
    if (close < 0) {
        return Fail(input, QStringLiteral("falta «)»"));
    }
    const QStringView inside = input.sliced(open + 1, close - open - 1);
    if (inside.contains(u'(')) {
        return Fail(input, QStringLiteral("no se admiten funciones anidadas"));
    }
    if (close != input.size() - 1) {
        return Fail(input, u"sobra %1 tras «)»", input.sliced(close + 1).trimmed());
    }
    const CssArguments::Arguments arguments = CssArguments::Scan(inside);
    switch (arguments.fault) {
    case CssArguments::Fault::None:
        break;
    case CssArguments::Fault::TooMany:
        return Fail(input, QStringLiteral("sobran valores"));
    case CssArguments::Fault::OutOfRange:
        return Fail(input, u"valor fuera de rango %1", arguments.culprit);
    case CssArguments::Fault::BadValue:
        return Fail(input, u"valor no válido %1", arguments.culprit);
    }
    return ReadArguments(input, *function, arguments.tokens);
}

} // namespace CssFunctionReader
