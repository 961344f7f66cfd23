// SPDX-License-Identifier: MIT
#include "StyleSheetReader.h"

#include "CssColourReader.h"
#include "PaletteColours.h"

#include <QRegularExpression>

namespace StyleSheetReader {

namespace {

// One piece of a style sheet, and whether it stands in a Tailwind theme
// (an "@theme" block).
struct Statement
{
    QString text;
    bool inTheme = false;
};

// The text between the ";", "{" and "}" that stand outside brackets and
// quotes, comments left out: the declarations, and the selectors and
// at-rules around them.
QList<Statement> Statements(QStringView text)
{
    QList<Statement> statements;
    QList<bool> blocks; // of each block open: whether it is a theme
    const auto inTheme = [&blocks] { return blocks.contains(true); };
    QString current;
    int depth = 0; // open brackets
    QChar quote;   // the quote a string opened with, else null
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (!quote.isNull()) {
            current += c;
            if (c == u'\\' && !next.isNull()) {
                current += next;
                ++i;
            } else if (c == quote) {
                quote = QChar();
            }
        } else if (c == u'/' && next == u'*') {
            const qsizetype end = text.indexOf(u"*/", i + 2);
            i = end < 0 ? text.size() : end + 1;
            current += u' ';
        } else if (c == u'/' && next == u'/' && depth == 0) {
            const qsizetype end = text.indexOf(u'\n', i);
            i = end < 0 ? text.size() : end;
        } else if (depth == 0 && (c == u';' || c == u'{' || c == u'}')) {
            statements.append({current, inTheme()});
            if (c == u'{')
                blocks.append(current.trimmed().startsWith(QLatin1String("@theme")));
            else if (c == u'}' && !blocks.isEmpty())
                blocks.removeLast();
            current.clear();
        } else {
            if (c == u'"' || c == u'\'')
                quote = c;
            else if (c == u'(' || c == u'[')
                ++depth;
            else if ((c == u')' || c == u']') && depth > 0)
                --depth;
            current += c;
        }
    }
    statements.append({current, inTheme()});
    return statements;
}

// value without the flags that may follow it: "red !default" is red.
QStringView WithoutFlags(QStringView value)
{
    for (;;) {
        value = value.trimmed();
        const qsizetype bang = value.lastIndexOf(u'!');
        if (bang < 0)
            return value;
        const QStringView flag = value.sliced(bang + 1).trimmed();
        for (QChar c : flag) {
            if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
                return value;
        }
        value.truncate(bang);
    }
}

} // namespace

std::optional<Outcome<ImportedPalette>> Read(QStringView text)
{
    // A name as CSS and SCSS write it: letters, digits, "-", "_", escapes
    // and any character beyond ASCII.
    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*(?:--|\$)([^\s:;{}()]+)\s*:)"));
    // A property as plain style sheets set one: "color: red".
    static const QRegularExpression property(QStringLiteral(R"(^\s*[A-Za-z-]+\s*:)"));
    bool found = false;
    bool properties = false;
    ImportedPalette result;
    const auto statements = Statements(text);
    for (const auto& [statement, inTheme] : statements) {
        const QRegularExpressionMatch match = declaration.match(statement);
        properties = properties || property.match(statement).hasMatch();
        if (!match.hasMatch())
            continue;
        found = true;
        const Outcome<Colour::CssColour> colour =
            Colour::ReadCssColour(WithoutFlags(QStringView(statement).sliced(match.capturedEnd())));
        if (!colour)
            continue;
        result.codes.append(PaletteColours::CodeOf(colour->colour));
        // The name without "--" or "$", and a theme's colour without
        // Tailwind's "color-": "--color-brand" is the colour brand.
        QString name = match.captured(1);
        if (inTheme && name.startsWith(QLatin1String("color-")) && name.size() > 6)
            name.remove(0, 6);
        result.names.append(name);
    }
    // Rules with properties but no custom property: a style sheet all the
    // same, whose colours have no names to keep.
    if (!found && properties && statements.size() > 1)
        return Failed(QStringLiteral(
            "Es una hoja de estilo, pero no hay propiedades personalizadas (--nombre: color)."));
    if (!found)
        return std::nullopt;
    return result;
}

} // namespace StyleSheetReader
