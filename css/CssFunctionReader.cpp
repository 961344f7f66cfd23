// SPDX-License-Identifier: MIT
#include "CssFunctionReader.h"

#include "ColourForms.h"
#include "ColourSpaces.h"
#include "CssCalc.h"
#include "CssForms.h"
#include "CssReadFailure.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string_view>

namespace CssFunctionReader {

namespace {

using Colour::Triple;
using ColourForms::Form;
using CssReadFailure::Fail;
using CssTokens::Is;
using CssTokens::Token;
using CssTokens::Type;
using CssValueReader::Cursor;

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

// The predefined spaces of CSS Color 4; xyz is xyz-d65.
constexpr std::array<Space, 9> Spaces{{{u"srgb", Form::Srgb},
                                       {u"srgb-linear", Form::SrgbLinear},
                                       {u"display-p3", Form::DisplayP3},
                                       {u"a98-rgb", Form::A98Rgb},
                                       {u"prophoto-rgb", Form::ProphotoRgb},
                                       {u"rec2020", Form::Rec2020},
                                       {u"xyz", Form::Xyz},
                                       {u"xyz-d50", Form::XyzD50},
                                       {u"xyz-d65", Form::Xyz}}};

// Other color() spaces of CSS: valid there, but not read here.
constexpr std::array<const char16_t*, 1> OtherSpaces{u"display-p3-linear"};

// The colour function of that name, in any ASCII case: a row of CssForms or
// color().
std::optional<Function> Find(QStringView name)
{
    for (const CssForms::Row& row : CssForms::Rows) {
        if (row.write == nullptr &&
            (Is(name, row.name) || (row.alias != nullptr && Is(name, row.alias)))) {
            return Function{row.name, row.form, row.commas, row.channels};
        }
    }
    if (Is(name, ColorFunction.name)) {
        return ColorFunction;
    }
    return std::nullopt;
}

// One argument: a value, "none", a comma or a slash.
enum class Kind { Number, Percentage, Angle, None, Name, Comma, Slash };

struct Item
{
    Kind kind{};
    double value{}; // for an angle, in degrees; for a percentage, in percent
    QStringView text;
};

// A colour function never needs more.
constexpr qsizetype MaxItems = 12;

// The channel keywords of each form, in the order of its numbers.
std::array<const char16_t*, 3> KeywordNames(Form form)
{
    switch (form) {
    case Form::Hsl:
        return {u"h", u"s", u"l"};
    case Form::Hwb:
        return {u"h", u"w", u"b"};
    case Form::Lab:
    case Form::Oklab:
        return {u"l", u"a", u"b"};
    case Form::Lch:
    case Form::Oklch:
        return {u"l", u"c", u"h"};
    case Form::Xyz:
    case Form::XyzD50:
        return {u"x", u"y", u"z"};
    default:
        return {u"r", u"g", u"b"};
    }
}

// A relative colour's keywords: the origin's numbers in the function's form
// (none there counts as 0) and its alpha.
CssCalc::Keywords KeywordsOf(const CssValue& origin, Form form)
{
    Triple numbers = origin.channels;
    for (int i = 0; i < 3; ++i) {
        numbers[i] = origin.missing[i] ? 0 : numbers[i];
    }
    const Triple converted = ColourForms::Convert(origin.form, numbers, form);
    const std::array<const char16_t*, 3> names = KeywordNames(form);
    CssCalc::Keywords keywords;
    for (int i = 0; i < 3; ++i) {
        const bool hue = std::u16string_view(names[i]) == u"h";
        keywords.append({names[i], hue ? ColourSpaces::NormalHue(converted[i]) : converted[i]});
    }
    keywords.append({u"alpha", origin.alphaMissing ? 0 : origin.alpha});
    return keywords;
}

// Takes the arguments up to the function's ")" as items: a math function
// and a relative colour's keyword become the number they stand for.
Outcome<QVarLengthArray<Item, MaxItems>>
ReadItems(Cursor& cursor, const std::array<Channel, 3>& channels, const CssCalc::Keywords& keywords)
{
    QVarLengthArray<Item, MaxItems> items;
    int values = 0;
    bool slash = false;
    while (true) {
        if (cursor.AtEnd()) {
            return Fail(cursor.input, QStringLiteral("falta «)»"));
        }
        const Token& token = *cursor.at++;
        if (token.type == Type::Close) {
            return items;
        }
        if (items.size() == MaxItems) {
            return Fail(cursor.input, QStringLiteral("sobran valores"));
        }
        Item item{Kind::Number, token.value, token.text};
        switch (token.type) {
        case Type::Number:
            break;
        case Type::Percentage:
            item.kind = Kind::Percentage;
            break;
        case Type::Dimension: {
            const std::optional<double> factor = CssCalc::DegreesPer(token.name);
            if (!factor) {
                return Fail(cursor.input, u"valor no válido %1", token.text);
            }
            item.kind = Kind::Angle;
            item.value *= *factor;
            // Scaling can overflow: 1e308turn is no angle.
            if (!std::isfinite(item.value)) {
                return Fail(cursor.input, u"valor fuera de rango %1", token.text);
            }
            break;
        }
        case Type::Ident: {
            const auto keyword =
                std::find_if(keywords.begin(), keywords.end(),
                             [&](const CssCalc::Keyword& k) { return Is(token.name, k.name); });
            if (keyword != keywords.end()) {
                item.value = keyword->value;
            } else {
                item.kind = Is(token.name, u"none") ? Kind::None : Kind::Name;
            }
            break;
        }
        case Type::Comma:
            item.kind = Kind::Comma;
            break;
        case Type::Slash:
            item.kind = Kind::Slash;
            slash = true;
            break;
        case Type::Function: {
            if (auto page = CssValueReader::PageFunction(cursor, token)) {
                return *page;
            }
            if (!CssCalc::IsMathFunction(token.name)) {
                return Fail(cursor.input, u"función no admitida %1",
                            QString(token.text.toString() + u')'));
            }
            const Channel channel =
                (slash || values >= 3) ? Channel{false, 1} : channels[std::size_t(values)];
            const Outcome<CssCalc::Quantity> quantity =
                CssCalc::Read(cursor, token, keywords, channel);
            if (!quantity) {
                return Failed(quantity.Reason());
            }
            constexpr Kind Kinds[] = {Kind::Number, Kind::Percentage, Kind::Angle};
            item = {
                Kinds[int(quantity->unit)], quantity->value,
                QStringView(token.text.data(), cursor.at[-1].text.data() + 1 - token.text.data())};
            break;
        }
        default:
            return Fail(cursor.input, u"valor no válido %1", token.text);
        }
        values += (item.kind == Kind::Comma || item.kind == Kind::Slash) ? 0 : 1;
        items.append(item);
    }
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
bool ChannelValue(const Item& item, Channel channel, double& value)
{
    switch (item.kind) {
    case Kind::None:
        value = 0;
        return true;
    case Kind::Number:
        value = item.value;
        return true;
    case Kind::Angle:
        value = item.value;
        return channel.hue;
    case Kind::Percentage:
        value = FromPercentage(item.value, channel.reference);
        return !channel.hue;
    default:
        return false;
    }
}

// The space of color(), its name the next token.
Outcome<Form> ReadSpace(Cursor& cursor)
{
    if (cursor.AtEnd() || cursor.at->type != Type::Ident) {
        return Fail(cursor.input, QStringLiteral("falta el espacio de color"));
    }
    const QStringView name = cursor.at++->name;
    const auto space = std::find_if(Spaces.begin(), Spaces.end(),
                                    [&](const Space& s) { return Is(name, s.name); });
    if (space == Spaces.end()) {
        const bool known = std::any_of(OtherSpaces.begin(), OtherSpaces.end(),
                                       [&](const char16_t* other) { return Is(name, other); });
        return Fail(cursor.input,
                    known ? u"espacio de color no admitido %1" : u"espacio de color desconocido %1",
                    name);
    }
    return space->form;
}

// origin: a relative colour's, whose alpha is the default.
Outcome<CssValue> ReadArguments(QStringView input, const Function& function, Form form,
                                const QVarLengthArray<Item, MaxItems>& items,
                                const std::optional<CssValue>& origin)
{
    const bool commas = std::any_of(items.begin(), items.end(),
                                    [](const Item& t) { return t.kind == Kind::Comma; });
    if (commas && (!function.commasAllowed || origin)) {
        return Fail(input,
                    QString::fromUtf16(function.name) + QStringLiteral("() no admite comas"));
    }
    QVarLengthArray<Item, 4> values;
    bool slash = false;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        const bool separatorExpected = commas && i % 2 == 1;
        if (item.kind == Kind::Slash) {
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
        } else if (item.kind == Kind::Comma) {
            if (!separatorExpected) {
                return Fail(input, QStringLiteral("sobra una coma"));
            }
        } else if (separatorExpected) {
            return Fail(input, QStringLiteral("mezcla comas y espacios"));
        } else if (item.kind == Kind::Name) {
            return Fail(input, u"valor no válido %1", item.text);
        } else if (item.kind == Kind::None && commas) {
            return Fail(input, QStringLiteral("«none» no vale con comas"));
        } else {
            values.append(item);
        }
    }
    if (commas && items.last().kind == Kind::Comma) {
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
        (values[0].kind != values[1].kind || values[1].kind != values[2].kind)) {
        return Fail(input, QStringLiteral("mezcla números y porcentajes"));
    }
    if (commas && function.form == Form::Hsl &&
        (values[1].kind != Kind::Percentage || values[2].kind != Kind::Percentage)) {
        return Fail(input, QStringLiteral("con comas, la saturación y la luminosidad llevan «%»"));
    }
    CssValue value;
    value.form = form;
    if (origin) {
        value.alpha = origin->alpha;
        value.alphaMissing = origin->alphaMissing;
    }
    for (int i = 0; i < 3; ++i) {
        if (!ChannelValue(values[i], function.channels[i], value.channels[i])) {
            return Fail(input, u"valor no válido %1", values[i].text);
        }
        value.missing[i] = values[i].kind == Kind::None;
    }
    if (values.size() == 4) {
        if (!ChannelValue(values[3], {false, 1}, value.alpha)) {
            return Fail(input, u"valor no válido %1", values[3].text);
        }
        value.alphaMissing = values[3].kind == Kind::None;
        value.alpha = std::clamp(value.alpha, 0.0, 1.0);
    }
    // Each of a and b may be finite while their chroma is not: no search
    // along the chroma could start from there.
    if ((form == Form::Lab || form == Form::Oklab) &&
        !std::isfinite(std::hypot(value.channels[1], value.channels[2]))) {
        return Fail(input, QStringLiteral("el croma de a y b está fuera de rango"));
    }
    return value;
}

} // namespace

bool IsColourFunction(QStringView name)
{
    return Find(name).has_value();
}

Outcome<CssValue> Read(Cursor& cursor, const Token& token)
{
    const std::optional<Function> function = Find(token.name);
    if (!function) {
        return Fail(cursor.input, u"función no admitida %1", QString(token.text.toString() + u')'));
    }
    ++cursor.depth;
    std::optional<CssValue> origin;
    if (!cursor.AtEnd() && cursor.at->type == Type::Ident && Is(cursor.at->name, u"from")) {
        ++cursor.at;
        Outcome<CssValue> read = CssValueReader::Read(cursor);
        if (!read) {
            return read;
        }
        origin = *read;
    }
    Form form = function->form;
    if (function->form == Form::Srgb) {
        const Outcome<Form> space = ReadSpace(cursor);
        if (!space) {
            return Failed(space.Reason());
        }
        form = *space;
    }
    const auto items = ReadItems(cursor, function->channels,
                                 origin ? KeywordsOf(*origin, form) : CssCalc::Keywords{});
    --cursor.depth;
    if (!items) {
        return Failed(items.Reason());
    }
    return ReadArguments(cursor.input, *function, form, *items, origin);
}

} // namespace CssFunctionReader
