// SPDX-License-Identifier: MIT
#include "DesignTokensReader.h"

#include "ColourForms.h"
#include "CssColourReader.h"
#include "PaletteColours.h"
#include "UntrustedText.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace DesignTokensReader {

namespace {

using ColourForms::Form;

struct Token
{
    QString path; // the names from the top, joined by "."
    QString type; // its own or its group's; empty when neither gives one
    QJsonValue value;
};

struct Space
{
    QLatin1StringView name;
    Form form;
};

// The colour spaces of the format, each with the CSS form whose numbers are
// in the same units: sRGB-like spaces 0 to 1, hsl and hwb percent, lab and
// lch lightness 0 to 100, oklab and oklch 0 to 1, hues in degrees.
constexpr Space Spaces[] = {
    {QLatin1StringView("srgb"), Form::Srgb},
    {QLatin1StringView("srgb-linear"), Form::SrgbLinear},
    {QLatin1StringView("hsl"), Form::Hsl},
    {QLatin1StringView("hwb"), Form::Hwb},
    {QLatin1StringView("lab"), Form::Lab},
    {QLatin1StringView("lch"), Form::Lch},
    {QLatin1StringView("oklab"), Form::Oklab},
    {QLatin1StringView("oklch"), Form::Oklch},
    {QLatin1StringView("display-p3"), Form::DisplayP3},
    {QLatin1StringView("a98-rgb"), Form::A98Rgb},
    {QLatin1StringView("prophoto-rgb"), Form::ProphotoRgb},
    {QLatin1StringView("rec2020"), Form::Rec2020},
    {QLatin1StringView("xyz-d65"), Form::Xyz},
    {QLatin1StringView("xyz-d50"), Form::XyzD50},
};

using UntrustedText::Quoted;

// Every token under group, in the order of their names; a member that is
// neither a group nor a token is the reason the file fails.
Outcome<> Collect(const QJsonObject& group, const QString& path, const QString& type,
                  QList<Token>& tokens)
{
    const QString groupType = group.value(QLatin1String("$type")).toString(type);
    for (auto member = group.begin(); member != group.end(); ++member) {
        // A group's "$root" is the token named as the group itself.
        if (member.key().startsWith(u'$') && (member.key() != u"$root" || path.isEmpty()))
            continue;
        const QString memberPath = path.isEmpty() ? member.key() : path + u'.' + member.key();
        if (!member.value().isObject())
            return Failed(Quoted(memberPath) + QStringLiteral(": no es un grupo ni un token."));
        const QJsonObject object = member.value().toObject();
        if (object.contains(QLatin1String("$value"))) {
            tokens.append({memberPath, object.value(QLatin1String("$type")).toString(groupType),
                           object.value(QLatin1String("$value"))});
        } else if (const Outcome<> inner = Collect(object, memberPath, groupType, tokens); !inner) {
            return inner;
        }
    }
    return {};
}

// A value's colour: an object of the format, or a CSS colour text.
Outcome<Colour::Rgb8> ReadColour(const QJsonValue& value)
{
    if (value.isString()) {
        const Outcome<Colour::CssColour> css = Colour::ReadCssColour(value.toString());
        if (!css)
            return Failed(css.Reason() + u'.');
        return css->colour;
    }
    const QJsonObject object = value.toObject();
    const QString spaceName = object.value(QLatin1String("colorSpace")).toString();
    const QJsonValue hex = object.value(QLatin1String("hex"));
    for (const Space& space : Spaces) {
        if (spaceName != space.name)
            continue;
        const QJsonArray components = object.value(QLatin1String("components")).toArray();
        Colour::Triple numbers{};
        for (int i = 0; i < 3; ++i) {
            const QJsonValue c = components.at(i);
            if (!c.isDouble() && c.toString() != u"none")
                return Failed(QStringLiteral("«components» no son tres números."));
            numbers[i] = c.toDouble(); // none counts as 0, as in CSS
        }
        if (components.size() != 3)
            return Failed(QStringLiteral("«components» no son tres números."));
        return ColourForms::ToRgb8(space.form, numbers).colour;
    }
    if (hex.isString()) {
        const Outcome<Colour::CssColour> css = Colour::ReadCssColour(hex.toString());
        if (!css || !hex.toString().startsWith(u'#'))
            return Failed(QStringLiteral("«hex» no es un color #RRGGBB."));
        return css->colour;
    }
    return Failed(spaceName.isEmpty()
                      ? QStringLiteral("no es un color: le falta «colorSpace».")
                      : Quoted(spaceName) + QStringLiteral(" no es un espacio de color conocido, "
                                                           "y no lleva «hex»."));
}

// Where each token's aliases lead: the token whose value it takes (itself
// when its value is no alias), and its type (its own, else the first met on
// the way). Each chain is walked once, so a file of long chains is read in
// time proportional to its tokens.
struct Resolved
{
    qsizetype target = -1;
    QString type;
};

Outcome<QList<Resolved>> Resolve(const QList<Token>& tokens)
{
    static const QRegularExpression alias(QStringLiteral("^\\{([^{}]+)\\}$"));
    QHash<QString, qsizetype> byPath;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        byPath.insert(tokens[i].path, i);
    QList<Resolved> resolved(tokens.size());
    QList<qsizetype> next(tokens.size(), -1); // the token an alias names
    enum : char { NotYet, OnTheWay, Done };
    QList<char> state(tokens.size(), NotYet);
    for (qsizetype first = 0; first < tokens.size(); ++first) {
        QList<qsizetype> chain;
        qsizetype at = first;
        while (state[at] == NotYet) {
            state[at] = OnTheWay;
            chain.append(at);
            const QJsonValue& value = tokens[at].value;
            const QRegularExpressionMatch match = alias.match(value.toString());
            if (!value.isString() || !match.hasMatch()) {
                resolved[at] = {at, tokens[at].type};
                state[at] = Done;
                break;
            }
            const auto found = byPath.constFind(match.captured(1));
            if (found == byPath.cend())
                return Failed(Quoted(tokens[at].path) + QStringLiteral(": el alias ") +
                              Quoted(match.captured(0)) +
                              QStringLiteral(" no lleva a ningún token."));
            next[at] = *found;
            at = *found;
        }
        if (state[at] == OnTheWay)
            return Failed(Quoted(tokens[first].path) +
                          QStringLiteral(": sus alias forman un círculo."));
        for (qsizetype i = chain.size() - 1; i >= 0; --i) {
            const qsizetype t = chain[i];
            if (state[t] == Done)
                continue;
            const Resolved& after = resolved[next[t]];
            resolved[t] = {after.target, tokens[t].type.isEmpty() ? after.type : tokens[t].type};
            state[t] = Done;
        }
    }
    return resolved;
}

} // namespace

std::optional<Outcome<ImportedPalette>> Read(const QByteArray& bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    QList<Token> tokens;
    if (const Outcome<> collected = Collect(document.object(), {}, {}, tokens); !collected)
        return Failed(collected.Reason());
    const Outcome<QList<Resolved>> resolved = Resolve(tokens);
    if (!resolved)
        return Failed(resolved.Reason());
    ImportedPalette result;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const auto& [target, type] = resolved->at(i);
        if (type != u"color")
            continue;
        const Outcome<Colour::Rgb8> colour = ReadColour(tokens[target].value);
        if (!colour)
            return Failed(Quoted(tokens[i].path) + QStringLiteral(": ") + colour.Reason());
        result.codes.append(PaletteColours::CodeOf(*colour));
        result.names.append(
            QString(tokens[i].path).remove(QLatin1String(".$root")).replace(u'.', u'-'));
    }
    return result;
}

} // namespace DesignTokensReader
