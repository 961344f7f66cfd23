// SPDX-License-Identifier: MIT
// libFuzzer target for the CSS grammar under the colour reader: any bytes,
// taken as UTF-8. The tokens, put back together, must be the text without
// its comments and CSS whitespace (found here with a regular expression),
// and each number's value what the C library reads of it. A colour read must
// read the same after comments and blanks around it, as a relative colour's
// origin taken whole ("rgb(from X r g b)" and the like) and mixed with
// itself (for a colour inside sRGB); every read ends within a bound.
#include "CssColourReader.h"
#include "CssTokens.h"
#include "TimedRead.h"

#include <QRegularExpression>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckTokens(const QString& text)
{
    const CssTokens::Tokens tokens = CssTokens::Split(text);
    if (tokens.fault != CssTokens::Fault::None) {
        return;
    }
    static const QRegularExpression comment(QStringLiteral("/\\*.*?(\\*/|$)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression blank(QStringLiteral("[ \\t\\n\\r\\f]"));
    QString bare = text;
    bare.remove(comment).remove(blank);
    QString joined;
    for (const CssTokens::Token& token : tokens.list) {
        joined += token.text;
        if (token.type == CssTokens::Type::Number || token.type == CssTokens::Type::Percentage) {
            const QByteArray digits =
                token.text.chopped(token.type == CssTokens::Type::Percentage ? 1 : 0).toLatin1();
            const double value = std::strtod(digits.constData(), nullptr);
            // A number too small for a double is read as 0 (the C library may
            // keep a subnormal).
            if (!(value == token.value || (token.value == 0 && std::abs(value) < 1e-300))) {
                std::abort();
            }
        }
    }
    if (joined != bare) {
        std::abort();
    }
}

bool Same(Colour::Rgb8 a, Colour::Rgb8 b, int tolerance)
{
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::setlocale(LC_NUMERIC, "C");
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckTokens(text);
    const Outcome<Colour::CssColour> result = TimedRead(text);
    if (!result) {
        if (result.Reason().isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const Colour::Rgb8 colour = result->colour;
    const auto reads = [&](const QString& wrapped, int tolerance) {
        const Outcome<Colour::CssColour> again = TimedRead(wrapped);
        // A longer text may pass the length limit or the nesting bound.
        if (wrapped.size() > Colour::MaxCssColourLength ||
            (!again && again.Reason().contains(QStringLiteral("anidadas")))) {
            return;
        }
        if (!again || !Same(again->colour, colour, tolerance)) {
            std::abort();
        }
    };
    reads(QStringLiteral("/* a */\f") + text + QStringLiteral("\t/**/ "), 0);
    // A comment left open would swallow what follows the colour.
    if (text.contains(QStringLiteral("/*"))) {
        return 0;
    }
    // Numbers far outside sRGB (near the largest double) have no Oklab value
    // to mix or to take apart: only colours inside are checked so.
    if (!result->mapped && !result->clipped) {
        reads(QStringLiteral("color-mix(in oklab, ") + text + QStringLiteral(", ") + text + u')',
              1);
        reads(QStringLiteral("rgb(from ") + text + QStringLiteral(" r g b)"), 1);
        reads(QStringLiteral("oklch(from ") + text + QStringLiteral(" l c h / alpha)"), 1);
        reads(QStringLiteral("color(from ") + text + QStringLiteral(" xyz-d50 x y z)"), 1);
    }
    return 0;
}
