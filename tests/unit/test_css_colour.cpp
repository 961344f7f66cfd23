// SPDX-License-Identifier: MIT
// Reading CSS colours. Reference values come from the CSS Color 4 text: its
// named colour table, the lab()/lch()/oklab()/oklch() examples with their
// rgb() percentages, and the HSL and HWB examples.
#include "CssColourReader.h"
#include "CssColourWriter.h"
#include "GamutMap.h"

#include <QTest>
#include <future>
#include <optional>
#include <thread>

using namespace Colour;

namespace {

Rgb8 Hex(const QString& rrggbb)
{
    const uint v = rrggbb.toUInt(nullptr, 16);
    return {int(v >> 16), int((v >> 8) & 0xFF), int(v & 0xFF)};
}

// The result of work run on a thread of its own, or none after 5 s: work that
// never ends fails its test, named, instead of hanging it.
template <class Work> std::optional<std::invoke_result_t<Work>> WithinSeconds(Work work)
{
    using Result = std::invoke_result_t<Work>;
    auto task = std::make_shared<std::packaged_task<Result()>>(work);
    std::future<Result> done = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        return std::nullopt;
    }
    return done.get();
}

bool Near(Rgb8 a, Rgb8 b, int tolerance)
{
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

// Typed from the named colour table of CSS Color 4.
const char* const NamedTable =
    "aliceblue f0f8ff antiquewhite faebd7 aqua 00ffff aquamarine 7fffd4 azure f0ffff beige f5f5dc "
    "bisque ffe4c4 black 000000 blanchedalmond ffebcd blue 0000ff blueviolet 8a2be2 brown a52a2a "
    "burlywood deb887 cadetblue 5f9ea0 chartreuse 7fff00 chocolate d2691e coral ff7f50 "
    "cornflowerblue 6495ed cornsilk fff8dc crimson dc143c cyan 00ffff darkblue 00008b darkcyan "
    "008b8b darkgoldenrod b8860b darkgray a9a9a9 darkgreen 006400 darkgrey a9a9a9 darkkhaki bdb76b "
    "darkmagenta 8b008b darkolivegreen 556b2f darkorange ff8c00 darkorchid 9932cc darkred 8b0000 "
    "darksalmon e9967a darkseagreen 8fbc8f darkslateblue 483d8b darkslategray 2f4f4f darkslategrey "
    "2f4f4f darkturquoise 00ced1 darkviolet 9400d3 deeppink ff1493 deepskyblue 00bfff dimgray "
    "696969 "
    "dimgrey 696969 dodgerblue 1e90ff firebrick b22222 floralwhite fffaf0 forestgreen 228b22 "
    "fuchsia "
    "ff00ff gainsboro dcdcdc ghostwhite f8f8ff gold ffd700 goldenrod daa520 gray 808080 green "
    "008000 "
    "greenyellow adff2f grey 808080 honeydew f0fff0 hotpink ff69b4 indianred cd5c5c indigo 4b0082 "
    "ivory fffff0 khaki f0e68c lavender e6e6fa lavenderblush fff0f5 lawngreen 7cfc00 lemonchiffon "
    "fffacd lightblue add8e6 lightcoral f08080 lightcyan e0ffff lightgoldenrodyellow fafad2 "
    "lightgray d3d3d3 lightgreen 90ee90 lightgrey d3d3d3 lightpink ffb6c1 lightsalmon ffa07a "
    "lightseagreen 20b2aa lightskyblue 87cefa lightslategray 778899 lightslategrey 778899 "
    "lightsteelblue b0c4de lightyellow ffffe0 lime 00ff00 limegreen 32cd32 linen faf0e6 magenta "
    "ff00ff maroon 800000 mediumaquamarine 66cdaa mediumblue 0000cd mediumorchid ba55d3 "
    "mediumpurple "
    "9370db mediumseagreen 3cb371 mediumslateblue 7b68ee mediumspringgreen 00fa9a mediumturquoise "
    "48d1cc mediumvioletred c71585 midnightblue 191970 mintcream f5fffa mistyrose ffe4e1 moccasin "
    "ffe4b5 navajowhite ffdead navy 000080 oldlace fdf5e6 olive 808000 olivedrab 6b8e23 orange "
    "ffa500 orangered ff4500 orchid da70d6 palegoldenrod eee8aa palegreen 98fb98 paleturquoise "
    "afeeee palevioletred db7093 papayawhip ffefd5 peachpuff ffdab9 peru cd853f pink ffc0cb plum "
    "dda0dd powderblue b0e0e6 purple 800080 rebeccapurple 663399 red ff0000 rosybrown bc8f8f "
    "royalblue 4169e1 saddlebrown 8b4513 salmon fa8072 sandybrown f4a460 seagreen 2e8b57 seashell "
    "fff5ee sienna a0522d silver c0c0c0 skyblue 87ceeb slateblue 6a5acd slategray 708090 slategrey "
    "708090 snow fffafa springgreen 00ff7f steelblue 4682b4 tan d2b48c teal 008080 thistle d8bfd8 "
    "tomato ff6347 turquoise 40e0d0 violet ee82ee wheat f5deb3 white ffffff whitesmoke f5f5f5 "
    "yellow ffff00 yellowgreen 9acd32";

} // namespace

class TestCssColourReader : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryNamedColour()
    {
        const QStringList words = QString::fromLatin1(NamedTable).split(u' ');
        QCOMPARE(words.size(), 2 * 148);
        for (qsizetype i = 0; i < words.size(); i += 2) {
            const Outcome<CssColour> lower = ReadCssColour(words[i]);
            const Outcome<CssColour> upper =
                ReadCssColour(QString(u"  " + words[i].toUpper() + u'\t'));
            QVERIFY2(lower && upper, qPrintable(words[i]));
            QCOMPARE(lower->colour, Hex(words[i + 1]));
            QCOMPARE(upper->colour, Hex(words[i + 1]));
        }
    }

    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<int>("mapped"); // 1 or 0; -1: not checked
        struct Row
        {
            const char* text;
            const char* hex;
            int tolerance = 0;
            int mapped = 0;
        };
        // clang-format off
        const Row rows[] = {
            // Hexadecimal, rgb() in both syntaxes, halves up, none, alpha ignored.
            {"#f80", "ff8800"}, {"#F80c", "ff8800"}, {"#Ff8000", "ff8000"},
            {"#ff800000", "ff8000"}, {"rgb(255, 128, 0)", "ff8000"},
            {" RGBA( 255 ,128,0 , 0.5 ) ", "ff8000"}, {"rgb(100%, 50%, 0%)", "ff8000"},
            {"rgb(255 50% 0 / 10%)", "ff8000"}, {"rgb(127.5 0 0)", "800000"},
            {"rgb(127.49 0 0)", "7f0000"}, {"rgb(none 128 none / none)", "008000"},
            {"rgb(300 -20 1e2)", "ff0064"}, {"rgb(+.5e3 2.55E+2 0)", "ffff00"},
            // hsl(): both syntaxes, every angle unit, the example tables, clamps.
            {"hsl(30, 100%, 50%)", "ff8000"}, {"hsla(30deg 100 50 / .5)", "ff8000"},
            {"hsl(0.5turn 100% 50%)", "00ffff"}, {"hsl(200grad 100% 50%)", "00ffff"},
            {"hsl(3.14159265358979rad 100% 50%)", "00ffff"}, {"hsl(-180 100% 50%)", "00ffff"},
            {"hsl(540DEG 100% 50%)", "00ffff"}, {"hsl(0, 80%, 10%)", "2e0505"},
            {"hsl(30, 60%, 90%)", "f5e6d6"}, {"hsl(330, 20%, 40%)", "7a5266"},
            {"hsl(120 -50% 50%)", "808080"}, {"hsl(none none 50%)", "808080"},
            // hwb(): the examples; white plus black of 100% or more is grey.
            {"hwb(150 20% 10%)", "33e68c"}, {"hwb(45 40% 80%)", "555555"},
            // Blue is 25.5 exactly, a few ulps short in doubles: halves still round up.
            {"hwb(126 0% 0%)", "00ff1a"}, {"hsl(238 100% 50%)", "0009ff"},
            // Far past 100%: white and black of 1e307% each are grey 0.5; hsl() clamps
            // only negative saturation, then maps (200% at 150% is 0.5, 2.5, 2.5: Oklab
            // lightness over 1, white); channels past any Oklab value are clipped.
            {"hwb(0 1e307% 1e307%)", "808080"}, {"hsl(0 100% 1e20%)", "ffffff", 0, 1},
            {"hsl(30 1e307% 50%)", "ff8000", 0, 1}, {"hsl(0 200% 150%)", "ffffff", 0, 1},
            {"hsl(0 100% -1e20%)", "000000", 0, 1}, {"rgb(1e308% 50% -1e308%)", "ff8000"},
            // Its b, rounded from -0.1015 to -25% (-0.1), moves green by two steps.
            {"oklab(42.1% 41% -25%)", "800080", 2, -1},
            {"lab(29.567% 68.298 -112.0294)", "0000ff", 1, -1},
            {"lab(97.607% -15.753 93.388)", "ffff00", 1, -1},
            {"oklch(0.452 0.313 264.1)", "0000ff", 1, -1},
            {"oklch(0.968 0.211 109.8)", "ffff00", 1, -1},
            {"oklch(0.533 0.26 262.6)", "0055ff", 1, -1},
            {"oklch(0.882 0.181 94.24)", "ffd500", 1, -1},
            // Lightness clamps and its ends; negative chroma is none.
            {"lab(150 0 0)", "ffffff"}, {"oklch(1 0.2 40)", "ffffff", 0, 1},
            {"oklch(-1 0.2 40)", "000000", 0, 1}, {"oklch(50% -0.1 40)", "636363"},
            {"oklab(0.5 none none)", "636363"},
            // Gamut mapping of colours that sRGB can't show.
            {"oklch(0.7 0.4 150)", "00c248", 1, 1},
            {"OKLCH(70% 100% 150deg / 1)", "00c248", 1, 1},
            // color(): the same colour in srgb and srgb-linear; display-p3 grey.
            {"color(srgb 0.691 0.139 0.259)", "b02342"},
            {"color(srgb-linear 0.435 0.017 0.055)", "b02342", 1},
            {"color(SRGB 100% 50% 0 / 0.3)", "ff8000"},
            {"color(display-p3 0.4 0.4 0.4)", "666666"},
            // Every predefined space, inside sRGB and mapped into it, against
            // colorjs.io 0.5 (toGamut, method "css"); srgb and srgb-linear are mapped
            // too, not clipped.
            {"color(srgb 0.5 2 0.2)", "ffffff", 0, 1}, {"color(srgb 1.2 0.3 -0.2)", "ff7e51", 1, 1},
            {"color(srgb-linear 0.8 -0.05 0.3)", "dc0092", 1, 1},
            {"color(srgb-linear 0.2 0.5 0.02)", "7cbc27"},
            {"color(a98-rgb 0.5 0.4 0.3)", "89664a"}, {"color(a98-rgb 0.3 0.6 0.2)", "009a22", 1, 1},
            {"color(prophoto-rgb 0.5 0.4 0.3)", "ab735a"},
            {"color(prophoto-rgb 0.2 0.5 0.8)", "008fa6", 1, 1},
            {"color(rec2020 0.5 0.3 0.7)", "9c51c1"}, {"color(rec2020 0.42053 0.97978 0.00579)", "00fc24", 1, 1},
            {"color(xyz 0.3 0.25 0.2)", "ba7875"}, {"color(xyz-d65 0.2 0.3 0.4)", "00a7a4", 1, 1},
            {"color(xyz-d50 0.5 0.4 0.1)", "f09052"}, {"color(xyz-d50 0.2 0.3 0.4)", "00a8bc", 1, 1},
            // Comments go as CSS tokenizes them; only CSS whitespace separates.
            {"red /* brand */", "ff0000"}, {"#fff/**/", "ffffff"},
            {"rgb(1 2 3 /* c */)", "010203"}, {"rgb(1/**/2/**/3)", "010203"},
            {"/**/\f\r\nhsl(0/**/100%/**/50%) /* open", "ff0000"},
        };
        // clang-format on
        // The lab(), lch(), oklab() and oklch() examples, with their rgb() rounded.
        const char* const examples[][5] = {
            {"7d2329", "lab(29.2345% 39.3825 20.0664)", "lch(29.2345% 44.2 27)",
             "oklab(40.101% 0.1147 0.0453)", "oklch(40.101% 0.12332 21.555)"},
            {"c65d06", "lab(52.2345 40.1645 59.9971)", "lch(52.2345% 72.2 56.2)",
             "oklab(59.686% 0.1009 0.1192)", "oklch(59.686% 0.15619 49.7694)"},
            {"9d9318", "lab(60.2345 -5.3654 58.956)", "lch(60.2345 59.2 95.2)",
             "oklab(0.65125 -0.0320 0.1274)", "oklch(0.65125 0.13138 104.097)"},
            {"68a639", "lab(62.2345% -34.9638 47.7721)", "lch(62.2345% 59.2 126.2)",
             "oklab(66.016% -0.1084 0.1114)", "oklch(0.66016 0.15546 134.231)"},
            {"62acef", "lab(67.5345 -8.6911 -41.6019)", "lch(67.5345% 42.5 258.2)",
             "oklab(72.322% -0.0465 -0.1150)", "oklch(72.322% 0.12403 247.996)"},
            {"800080", "lab(29.69% 44.888% -29.04%)", "lch(29.69% 45.553% 327.1)",
             "oklch(42.1% 48.25% 328.4)", nullptr}};
        std::vector<Row> all(std::begin(rows), std::end(rows));
        for (const auto& e : examples) {
            for (int i = 1; i < 5 && e[i]; ++i) {
                all.push_back({e[i], e[0], 1, -1});
            }
        }
        for (const Row& r : all) {
            QTest::newRow(r.text) << QString::fromUtf8(r.text) << QString::fromLatin1(r.hex)
                                  << r.tolerance << r.mapped;
        }
    }

    void reads()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, tolerance);
        QFETCH(int, mapped);
        const Outcome<CssColour> result = ReadCssColour(text);
        QVERIFY2(result, qPrintable(result.Reason()));
        QVERIFY2(Near(result->colour, Hex(expected), tolerance),
                 qPrintable(WriteCssColour(result->colour, CssFormat::Hex)));
        if (mapped >= 0) {
            QCOMPARE(result->mapped, mapped == 1);
        }
    }

    // The relative colours and mixes of CSS Color 5 and the colours its text
    // gives them (some rounded there), within 1; calc() worked out by hand.
    void readsCssColour5()
    {
        const char* const rows[][2] = {
            {"rgb(from indianred 255 g b)", "rgb(255 92 92)"},
            {"hsl(from lightseagreen calc(h + 180deg) s l)", "hsl(357deg 70% 41%)"},
            // Its rgb() here, 57.58% 32.47% 3.82%, is not its lch() (colorjs.io agrees).
            {"lch(from peru calc(l * 0.8) c h)", "lch(49.80256% 54.0114 63.6769)"},
            {"LCH(from lightseagreen l c calc(h + 180deg))", "rgb(88.2814% 51.1047% 58.3039%)"},
            {"lab(from orchid l 0 0)", "rgb(59.515% 59.515% 59.515%)"},
            {"lch(from lch(from orchid l 0 h) l 30 h)", "rgb(72.710% 53.293% 71.224%)"},
            // Mapped as colorjs.io 0.5 maps (method "css"); the text's 0.079% 69.282%
            // 72.067% takes the chroma down to the edge, an older mapping.
            {"oklch(from lch(60% 90 320) l c calc(h - 120))", "rgb(0 179.59 188.37)"},
            {"rgb(from red calc(r * .3 + g * .59 + b * .11) calc(r * .3 + g * .59 + b * .11) "
             "calc(r * .3 + g * .59 + b * .11))",
             "rgb(30% 30% 30%)"},
            {"rgb(from lime calc(r*.3 + g*.59 + b*.11) calc(r*.3 + g*.59 + b*.11) "
             "calc(r*.3 + g*.59 + b*.11))",
             "rgb(59% 59% 59%)"},
            {"rgb(from #f00 r g calc(b + 20))", "#ff0014"},
            {"hsl(from red h s l / 0.5)", "red"},
            {"oklch(from rgb(300 -9 0) l c h)", "red"}, // rgb() clamps as it reads
            {"color(from green srgb r g b / 0.5)", "green"},
            {"color(from #336699 xyz-d50 x y z)", "#336699"},
            // Into each space and back: its curve (also the linear part near
            // black) and its matrix, both ways.
            {"color(from #336699 a98-rgb r g b)", "#336699"},
            {"color(from #336699 prophoto-rgb r g b)", "#336699"},
            {"color(from #010203 prophoto-rgb r g b)", "#010203"},
            {"color(from #336699 rec2020 r g b)", "#336699"},
            {"color(from #010203 rec2020 r g b)", "#010203"},
            {"color(from #336699 display-p3 r g b)", "#336699"},
            {"color(from #336699 srgb-linear r g b)", "#336699"},
            {"color(from #336699 xyz x y z)", "#336699"},
            {"hwb(from #808080 h w calc(b - 10%))", "hwb(0 50.2% 39.8%)"},
            {"rgb(calc((1 + 2) * 3) max(4, 5%) clamp(0, 300, 255))", "rgb(9 13 255)"},
            // colorjs.io 0.5: 178.671 103.542 88.366.
            {"oklch(from tomato calc(l - 0.1) min(c, 0.1) h)", "rgb(178.671 103.542 88.366)"},
            // color-mix(): CSS Color 5's examples; the hue methods by hand.
            {"color-mix(in lch, purple 50%, plum 50%)", "rgb(68.51% 36.01% 68.29%)"},
            {"color-mix(in lch, purple 50%, plum)", "rgb(68.51% 36.01% 68.29%)"},
            {"color-mix(in lch, purple, plum 50%)", "rgb(68.51% 36.01% 68.29%)"},
            {"color-mix(in lch, plum, purple)", "rgb(68.51% 36.01% 68.29%)"},
            {"color-mix(in lch, 80% purple, plum 80%)", "rgb(68.51% 36.01% 68.29%)"},
            {"color-mix(in lch, purple 30%, plum 30%)", "rgb(68.51% 36.01% 68.29%)"},
            {"color-mix(in lch, peru 40%, palegoldenrod)", "rgb(87.416% 76.036% 47.637%)"},
            {"color-mix(in lch, teal 65%, olive)", "rgb(7.7377% 52.5730% 37.3213%)"},
            {"color-mix(in lch, white, black)", "rgb(47% 47% 47%)"},
            {"color-mix(in xyz, white, black)", "rgb(74% 74% 74%)"},
            {"color-mix(in srgb, white, black)", "rgb(50% 50% 50%)"},
            {"color-mix(in xyz, rgb(82.02% 30.21% 35.02%) 75.23%, rgb(5.64% 55.94% 85.31%))",
             "rgb(72.300% 38.639% 53.557%)"},
            {"color-mix(in lch, white, blue)", "rgb(68.594% 53.794% 100%)"},
            {"color-mix(in oklch, white, blue)", "rgb(45.304% 63.808% 100%)"},
            {"color-mix(in srgb, white, blue)", "rgb(50% 50% 100%)"},
            // The text maps display-p3 green to srgb 0 0.99797 0, an older mapping;
            // colorjs.io 0.5 ("css") gives hsl(129.723 100% 49.288%), mixed by hand.
            {"color-mix(in hsl, color(display-p3 0 1 0) 80%, yellow)",
             "hsl(115.7784 100% 49.4305%)"},
            {"color-mix(in srgb, rgb(100% 0% 0% / 0.7) 25%, rgb(0% 100% 0% / 0.2))",
             "color(srgb 0.53846 0.46154 0)"},
            {"color-mix(in srgb, rgb(100% 0% 0% / 0.7) 20%, rgb(0% 100% 0% / 0.2) 60%)",
             "color(srgb 0.53846 0.46154 0)"},
            {"color-mix(in hsl, hsl(10 100% 50%), hsl(350 100% 50%))", "red"},
            {"color-mix(in hsl longer hue, hsl(10 100% 50%), hsl(350 100% 50%))", "cyan"},
            {"color-mix(in hsl increasing hue, hsl(350 100% 50%), hsl(10 100% 50%))", "red"},
            {"color-mix(in hwb decreasing hue, hwb(350 0% 0%), hwb(10 0% 0%))", "cyan"},
            {"color-mix(in hsl, hsl(350 100% 50%), hsl(10 100% 50%))", "red"},
            {"color-mix(in hsl longer hue, hsl(0 100% 50%), hsl(120 100% 50%))", "blue"},
            {"color-mix(in hsl longer hue, hsl(120 100% 50%), hsl(0 100% 50%))", "blue"},
            {"color-mix(in hsl increasing hue, hsl(120 100% 50%), hsl(0 100% 50%))", "blue"},
            {"color-mix(in hsl decreasing hue, hsl(0 100% 50%), hsl(120 100% 50%))", "blue"},
            // A grey has no hue in HSL (a powerless hue counts as missing): the other's.
            {"color-mix(in hsl, rgb(128 128 128), hsl(120 100% 50%))", "hsl(120 50% 50.098%)"},
            // A missing alpha or channel takes the other colour's.
            {"color-mix(in srgb, rgb(0 0 255 / none), red)", "rgb(50% 0% 50%)"},
            {"color-mix(in srgb, red, rgb(0 0 255 / none))", "rgb(50% 0% 50%)"},
            {"color-mix(in srgb, red, color(srgb none 0 1))", "rgb(100% 0% 50%)"},
            {"color-mix(in srgb, rgb(255 0 0 / 0), rgb(0 0 255 / 0))", "rgb(50% 0% 50%)"},
            {"rgb(calc(min(10, 20) * 2) calc(e * 10) 0)", "rgb(20 27.18 0)"},
            {"hsl(calc(pi * 1rad) 100% 50%)", "cyan"},
        };
        for (const auto& [text, stated] : rows) {
            const Outcome<CssColour> read = ReadCssColour(QString::fromUtf8(text));
            const Outcome<CssColour> expected = ReadCssColour(QString::fromUtf8(stated));
            QVERIFY2(read && expected && Near(read->colour, expected->colour, 1),
                     qPrintable(read.Reason() +
                                WriteCssColour(read ? read->colour : Rgb8{}, CssFormat::Hex)));
        }
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        // Each message is "«text»: " and what is wrong.
        // clang-format off
        const char* const rows[][2] = {
            {"oklch(0.7 0.1)", "faltan valores"}, {"verde", "no es un color CSS"},
            {"  ", "está vacío"}, {"transparent", "es transparente, no un color"},
            {"currentColor", "depende de la página"}, {"Canvas", "depende de la página"},
            {"var(--x)", "depende de la página"}, {"env(a, var(--b))", "depende de la página"},
            {"#12345", "un color hexadecimal lleva 3, 4, 6 u 8 cifras"},
            {"#12g", "cifra hexadecimal no válida «g»"}, {"rgb(1 2 3 4)", "sobran valores"},
            {"rgb(1 2 3 / 1 2)", "sobran valores"},
            {"rgb(1 2 3 /)", "falta la opacidad tras «/»"}, {"rgb(1 2 / 3)", "faltan valores"},
            {"rgb(1 2 x)", "valor no válido «x»"}, {"rgb(1 2 3", "falta «)»"},
            {"rgb(1 2 3) x", "sobra «x» tras «)»"},
            {"rgb (1 2 3)", "sobra el espacio antes de «(»"},
            {"rgb(1, 50%, 3)", "mezcla números y porcentajes"},
            {"rgb(1, 2 3)", "mezcla comas y espacios"}, {"rgb(1,,2, 3)", "sobra una coma"},
            {"rgb(1, 2, 3,)", "sobra una coma"},
            {"rgb(none, 2, 3)", "«none» no vale con comas"},
            {"rgb(1, 2, 3 / 1)", "mezcla comas y «/»"}, {"rgb(1 2 3 / 4 / 5)", "sobra «/»"},
            {"hsl(30, 100, 50)", "con comas, la saturación y la luminosidad llevan «%»"},
            {"hsl(30% 100% 50%)", "valor no válido «30%»"},
            {"lab(50deg 0 0)", "valor no válido «50deg»"},
            {"hsl(30px 1% 1%)", "valor no válido «30px»"},
            {"rgb(1. 2 3)", "valor no válido «.»"}, {"rgb(1e 2 3)", "valor no válido «1e»"},
            {"rgb(1e999 2 3)", "valor fuera de rango «1e999»"},
            {"lab(1, 2, 3)", "lab() no admite comas"},
            {"rgb(foo(1) 2 3)", "función no admitida «foo()»"},
            {"rgb(calc(1 -2) 2 3)", "valor no válido «-2»"},
            {"rgb(calc(1 + 5deg) 2 3)", "valor no válido «+»"},
            {"hsl(calc(1 / 0) 50% 50%)", "valor fuera de rango «calc(1 / 0)»"},
            {"rgb(from red r g b, 1)", "rgb() no admite comas"},
            {"color-mix(in srgb longer hue, red, blue)", "«srgb» no tiene tono que interpolar"},
            {"color-mix(in srgb, red 0%, blue 0%)", "los dos porcentajes son 0%"},
            {"color-mix(in srgb, red 150%, blue)", "porcentaje fuera de 0% a 100% «150%»"},
            {"color-mix(in cmyk, red, blue)", "espacio de mezcla desconocido «cmyk»"},
            {"lab(from red l a x)", "valor no válido «x»"},
            {"colour(1 2 3)", "función no admitida «colour()»"},
            {"color(1 2 3)", "falta el espacio de color"},
            {"color(display-p3-linear 1 0 0)", "espacio de color no admitido «display-p3-linear»"},
            {"color(profoto-rgb 1 0 0)", "espacio de color desconocido «profoto-rgb»"},
            {"rgb(calc(1", "falta «)»"},
            {"rgb(min(1, 5deg) 2 3)", "valor no válido «min(1, 5deg)»"},
            {"rgb(clamp(1, 2) 2 3)", "valor no válido «clamp(1, 2)»"},
            {"rgb(calc(1 +(2)) 2 3)", "valor no válido «+»"},
            {"rgb(calc(1 + x) 2 3)", "valor no válido «x»"},
            {"rgb(calc(2 * x) 2 3)", "valor no válido «x»"},
            {"rgb(calc(1 / 5deg) 2 3)", "valor no válido «/»"},
            {"rgb(calc(1 *", "falta «)»"},
            {"rgb(calc(1px) 2 3)", "valor no válido «1px»"},
            {"rgb(calc(foo) 2 3)", "valor no válido «foo»"},
            {"rgb(calc((1 2)) 2 3)", "falta «)»"},
            {"rgb(calc(foo(1)) 2 3)", "valor no válido «foo(»"},
            {"rgb(calc(#fff) 2 3)", "valor no válido «#fff»"},
            {"color-mix(in srgb, 150% red, blue)", "porcentaje fuera de 0% a 100% «150%»"},
            {"color-mix(in srgb, verde, blue)", "no es un color CSS"},
            {"color-mix(srgb, red, blue)", "falta «in» y el espacio de la mezcla"},
            {"color-mix(in, red, blue)", "falta el espacio de la mezcla"},
            {"color-mix(in hsl longer, red, blue)", "valor no válido «longer»"},
            {"color-mix(in hsl up hue, red, blue)", "valor no válido «up»"},
            {"color-mix(in srgb, red)", "faltan colores: la mezcla lleva dos"},
            {"color-mix(in srgb, red, blue", "falta «)»"},
            {"color-mix(in srgb, red, blue green)", "sobran valores"},
            {"red blue", "no es un color CSS"},
            {"rgb(1 2 3 / 5deg)", "valor no válido «5deg»"},
            {"hsl(1e308turn 50% 50%)", "valor fuera de rango «1e308turn»"},
            {"rgb(1 2 3 4 5 6 7 8 9 10 11 12 13)", "sobran valores"},
            {"rgb(from", "falta un color"},
        };
        // clang-format on
        for (const auto& r : rows) {
            const QString text = QString::fromUtf8(r[0]);
            QTest::newRow(r[0]) << text
                                << QString(u'«' + text.trimmed() + u"»: " +
                                           QString::fromUtf8(r[1]));
        }
    }

    void refuses()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const Outcome<CssColour> result = ReadCssColour(text);
        QVERIFY(!result);
        QCOMPARE(result.Reason(), error);
    }

    // Only space, tab, line feed, carriage return and form feed are blanks, and
    // names match in ASCII case only (not U+017F, long s, nor U+212A, Kelvin).
    void refusesWhatCssDoesNotRead()
    {
        const char16_t* const rows[][2] = {
            {u"\u00A0red", u"no es un color CSS"},
            {u"\u2003red", u"no es un color CSS"},
            {u"red\u2009", u"no es un color CSS"},
            {u"\u3000red", u"no es un color CSS"},
            {u"\u1680red", u"no es un color CSS"},
            {u"\u0085red", u"no es un color CSS"},
            {u"\u000Bred", u"no es un color CSS"},
            {u"h\u017Fl(0 100% 50%)", u"«h\u017Fl()»"},
            {u"o\u212Alch(0.5 0.1 30)", u"«o\u212Alch()»"},
            {u"rgb(1 var(--g, 2) 3)", u"«var(--g, 2)»: depende de la página"},
            {u"rgb(calc(var(--x)) 2 3)", u"«var(--x)»: depende de la página"}};
        // Functions within functions, up to 32 deep.
        const QString nested[] = {u"rgb(" + QStringLiteral("calc(").repeated(33) + u"1",
                                  u"rgb(calc(" + QStringLiteral("(").repeated(33) + u"1",
                                  QStringLiteral("rgb(from ").repeated(33) + u"red"};
        for (const QString& text : nested)
            QVERIFY2(ReadCssColour(text).Reason().endsWith(u"demasiadas funciones anidadas"),
                     qPrintable(ReadCssColour(text).Reason()));
        for (const auto& [text, reason] : rows) {
            const Outcome<CssColour> result = ReadCssColour(QString::fromUtf16(text));
            QVERIFY2(!result && result.Reason().endsWith(QString::fromUtf16(reason)),
                     qPrintable(result.Reason()));
        }
    }

    void refusesHugeAndTinyNumbersSafely()
    {
        QVERIFY(ReadCssColour(u"rgb(1e-999 0 0)"));
        const QString longText = u"rgb(" + QString(5000, u'1') + u" 0 0)";
        QVERIFY(ReadCssColour(longText).Reason().contains(u"demasiado largo"));
        QVERIFY(ReadCssColour(u"oklch(0.5 1e300 30)"));
        QVERIFY(ReadCssColour(u"lab(50 -1e300 1e300)"));
    }

    // Numbers near the largest double end at once, read or refused. Hue 1e308
    // is 296 degrees.
    void extremeNumbersEndAtOnce()
    {
        // clang-format off
        const char* const rows[][2] = {
            {"oklab(0.5 1.3e308 1.3e308)", "el croma de a y b está fuera de rango"},
            {"lab(50 1.3e308 -1.3e308)", "el croma de a y b está fuera de rango"},
            {"rgb(nan 0 0)", "valor no válido «nan»"},
            {"oklch(0.5 0 infinity)", "valor no válido «infinity»"},
            {"oklch(0.7 0.1 1e308)", "oklch(0.7 0.1 296)"}, {"lch(50 30 1e308)", "lch(50 30 296)"},
            {"oklab(0.5 1e308 1e308)", ""}, {"oklch(0.5 1e308 -1e308)", ""},
            {"lch(50 1e308 1e308)", ""}, {"oklab(1e-300 1e308% 1e308%)", ""},
            {"color(display-p3 1e308 -1e308 1e308%)", ""}};
        // clang-format on
        for (const auto& [text, expected] : rows) {
            const QString input = QString::fromUtf8(text);
            const auto result = WithinSeconds([input] { return ReadCssColour(input); });
            QVERIFY2(result, text);
            const QString same = QString::fromUtf8(expected);
            if (same.contains(u'(')) {
                QCOMPARE((*result)->colour, ReadCssColour(same)->colour);
            } else {
                QCOMPARE(result->Reason().section(QStringLiteral("»: "), 1), same);
            }
        }
        // The gamut mapping alone, whatever reaches it.
        QVERIFY(WithinSeconds([] { return GamutMap::FromOklab({0.5, 1.3e308, 1.3e308}).outside; }));
    }
};

QTEST_APPLESS_MAIN(TestCssColourReader)
#include "test_css_colour.moc"
