// SPDX-License-Identifier: MIT
#include "ColourForms.h"
#include "ColourScale.h"
#include "ColourSpaces.h"
#include "CssColourReader.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "PaletteExport.h"
#include "PaletteImport.h"
#include "PaletteMerge.h"
#include "PaletteNames.h"
#include "ScalePalette.h"
#include "UntrustedText.h"

#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A list with notes and a bad code, which exports leave out, and each colour
// as the files must write it: CSS hex and name.
const QStringList Entries = {"#0080FF", "#0000FF", "nota",    "#0000FF", "#FFFF00",
                             "#12345G", "#123456", "#000000", "#FFFFFF", "#010203"};
const QStringList Codes = {"#0080FF", "#0000FF", "#0000FF", "#FFFF00",
                           "#123456", "#000000", "#FFFFFF", "#010203"};
const QStringList Written = {
    "#FF8000 darkorange-ff8000", "#FF0000 red",   "#FF0000 red-2", "#00FFFF aqua",
    "#563412 maroon-563412",     "#000000 black", "#FFFFFF white", "#030201 black-030201"};

// A GIMP palette read from the format's rules: the magic line, "Name:",
// "Columns:" (1 to 256), "#" comments, then "RRR GGG BBB<TAB>name" with each
// number right-aligned in 3 columns and 0 to 255; LF only. "#RRGGBB name" a colour.
QStringList ReadGimp(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split('\n');
    if (bytes.contains('\r') || lines.size() < 4 || lines.takeLast() != "" ||
        lines.takeFirst() != "GIMP Palette" || lines.takeFirst() != "Name: palette")
        return {"bad header"};
    const QString columns = lines.takeFirst();
    if (!QRegularExpression("^Columns: ([1-9]|[1-9][0-9]|1[0-9][0-9]|2[0-4][0-9]|25[0-6])$")
             .match(columns)
             .hasMatch())
        return {"bad " + columns};
    QStringList colours;
    const QRegularExpression line("^([ \\d]{2}\\d) ([ \\d]{2}\\d) ([ \\d]{2}\\d)\\t(\\S+)$");
    for (const QString& text : lines) {
        if (text.startsWith('#'))
            continue;
        const QRegularExpressionMatch m = line.match(text);
        QString hex = "#";
        for (int i = 1; m.hasMatch() && i <= 3 && m.captured(i).toInt() <= 255; ++i)
            hex += QString("%1").arg(m.captured(i).toInt(), 2, 16, QChar('0')).toUpper();
        colours << (hex.size() == 7 ? hex + ' ' + m.captured(4) : "bad " + text);
    }
    return colours;
}

// Declarations one a line, each "<prefix><name>: #RRGGBB;" with a name as a
// CSS <dashed-ident> or an SCSS identifier allow, between opening and "}".
QStringList ReadDeclarations(const QByteArray& bytes, const QString& opening,
                             const QString& pattern)
{
    const QString text = QString::fromUtf8(bytes);
    const QString closing = opening.isEmpty() ? "\n" : "\n}\n";
    if (!text.startsWith(opening) || !text.endsWith(closing))
        return {"bad block"};
    QStringList colours;
    for (const QString& declaration :
         text.mid(opening.size()).chopped(closing.size()).split('\n')) {
        const QRegularExpressionMatch m = QRegularExpression(pattern).match(declaration);
        colours << (m.hasMatch() ? m.captured(2) + ' ' + m.captured(1) : "bad " + declaration);
    }
    return colours;
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Every format gives the list's colours back in order, through the files.
    void roundTrip()
    {
        for (const char* name : {"gpl", "css", "scss", "tailwind", "json", "txt", "tokens"}) {
            const auto format = PaletteFormatFromName(QString(name).toUpper());
            QVERIFY(format);
            const QString path = m_dir.filePath("palette." + PaletteFormatExtension(*format));
            const Outcome<> exported = PaletteExport::ExportToFile(path, *format, Entries, {});
            QVERIFY2(exported, qPrintable(exported.Reason()));
            const Outcome<ImportedPalette> back = PaletteImport::ImportFromFile(path);
            QVERIFY2(back, qPrintable(back.Reason()));
            // Design tokens come back named as written, in the order of their names.
            QStringList read = back->codes, written = Codes;
            for (int i = 0; *format == PaletteFormat::Tokens && i < Codes.size(); ++i)
                read[i] = back->names.value(i) + ' ' + read[i],
                written[i] = Written[i].section(' ', 1) + ' ' + written[i];
            if (*format == PaletteFormat::Tokens)
                read.sort(), written.sort();
            QCOMPARE(read, written);
        }
        const Outcome<> none = PaletteExport::ExportToFile(m_dir.filePath("none.gpl"),
                                                           PaletteFormat::Gpl, {"nota"}, {});
        QVERIFY(!none && !none.Reason().isEmpty() && !QFile::exists(m_dir.filePath("none.gpl")));
    }

    // The files as other programs read them.
    void exportsReadByOthers()
    {
        using PaletteExport::ExportBytes;
        QCOMPARE(ReadGimp(ExportBytes(PaletteFormat::Gpl, Entries, {}, "palette")), Written);
        QCOMPARE(ReadDeclarations(ExportBytes(PaletteFormat::Css, Entries), ":root {\n",
                                  "^    --([A-Za-z_][A-Za-z0-9_-]*): (#[0-9A-F]{6});$"),
                 Written);
        QCOMPARE(ReadDeclarations(ExportBytes(PaletteFormat::Scss, Entries), "",
                                  "^\\$([A-Za-z_][A-Za-z0-9_-]*): (#[0-9A-F]{6});$"),
                 Written);
        QJsonParseError error;
        const QJsonArray array =
            QJsonDocument::fromJson(ExportBytes(PaletteFormat::Json, Entries), &error).array();
        QStringList colours;
        for (int i = 0; i < array.size(); ++i) {
            const QJsonObject o = array[i].toObject();
            const uint rgb = o["css"].toString().mid(1).toUInt(nullptr, 16);
            QVERIFY(o["code"] == Codes[i] && o["red"] == int(rgb >> 16) &&
                    o["green"] == int(rgb >> 8 & 255) && o["blue"] == int(rgb & 255));
            colours << o["css"].toString() + ' ' + o["name"].toString();
        }
        QCOMPARE(colours, Written);
        // Design tokens: a token a colour, in list order, each an sRGB colour
        // whose components are the channels over 255 and whose hex agrees.
        const QByteArray tokens = ExportBytes(PaletteFormat::Tokens, Entries);
        const QJsonObject object = QJsonDocument::fromJson(tokens, &error).object();
        colours.clear();
        for (QRegularExpressionMatchIterator names =
                 QRegularExpression("^    \"([^\"]+)\": \\{$", QRegularExpression::MultilineOption)
                     .globalMatch(tokens);
             names.hasNext();) {
            const QString name = names.next().captured(1);
            const QJsonObject token = object[name].toObject(), value = token["$value"].toObject();
            const QJsonArray c = value["components"].toArray();
            QString hex = "#";
            for (int i = 0; i < 3 && c.size() == 3 && token.size() == 2 && value.size() == 3; ++i)
                hex +=
                    QString("%1").arg(qRound(c[i].toDouble() * 255), 2, 16, QChar('0')).toUpper();
            QVERIFY(token["$type"] == "color" && value["colorSpace"] == "srgb" &&
                    value["hex"] == hex);
            colours << hex + ' ' + name;
        }
        QVERIFY(error.error == QJsonParseError::NoError && object.size() == colours.size());
        QCOMPARE(colours, Written);
    }

    // Design tokens come in named after their paths, through groups, types
    // given above them and aliases; other types are skipped, and what cannot
    // be read names its path.
    void importTokens()
    {
        // clang-format off
        const struct { QByteArray json; QString colours, error; } cases[] = {
            {R"({"$description": "x", "brand": {"$type": "color", "$root": {"$value": "{css}"},
                 "500": {"$value": {"colorSpace": "srgb", "components": [1, 0.5, 0]}},
                 "dark": {"$value": {"colorSpace": "oklch", "components": [0, "none", 30]}},
                 "hsl": {"$value": {"colorSpace": "hsl", "components": [120, 100, 25]}},
                 "p3": {"$value": {"colorSpace": "cmyk", "components": [1, 0, 0, 0], "hex": "#00FFFF"}},
                 "gap": {"$type": "dimension", "$value": {"value": 4, "unit": "px"}}},
               "text": {"$value": "{link}", "$description": "alias of an alias"},
               "link": {"$value": "{brand.500}"}, "css": {"$type": "color", "$value": "rebeccapurple"},
               "size": {"$value": "{brand.gap}"}})",
             "#993366 brand #0080FF brand-500 #000000 brand-dark #008000 brand-hsl #FFFF00 brand-p3 "
             "#993366 css #0080FF link #0080FF text", ""},
            {R"({"a": {"$value": "{b}"}, "b": {"$value": "{a}"}})", "", "«a»: sus alias forman un círculo."},
            {R"({"g": {"a": {"$type": "color", "$value": "{g.b}"}}})", "", "«g.a»: el alias «{g.b}» no lleva"},
            {R"({"g": {"$type": "color", "a": {"$value": {"colorSpace": "srgb", "components": [1, 0]}}}})",
             "", "«g.a»: «components» no son tres números."},
            {R"({"g": {"$type": "color", "a": {"$value": {"colorSpace": "cmyk", "components": []}}}})",
             "", "«g.a»: «cmyk» no es un espacio de color conocido"},
            {R"({"g": {"a": 3}})", "", "«g.a»: no es un grupo ni un token."},
            {R"({"$type": "color", "a": {"$value": "verde"}})", "", "«a»: «verde»: no es un color CSS."},
            {"{}", "", "El archivo no tiene ningún color."}};
        // clang-format on
        for (const auto& [json, colours, error] : cases) {
            const Outcome<ImportedPalette> result = PaletteImport::ImportBytes(json);
            QStringList read;
            for (int i = 0; result && i < result->codes.size(); ++i)
                read << result->codes[i] + ' ' + result->names.value(i);
            QCOMPARE(read.join(' '), colours);
            QVERIFY2(result ? error.isEmpty() : result.Reason().startsWith(error),
                     qPrintable(result.Reason()));
        }
    }

    // Kinds told from the content; a bad line or element imports nothing.
    void import()
    {
        // clang-format off
        const struct { QByteArray bytes; QStringList codes; QString error; } cases[] = {
            {"GIMP Palette\r\nName: x\r\nColumns: 4\r\n# c\r\n\r\n255 128   0\tnaranja\r\n  0 0 255\r\n",
             {"#0080FF", "#FF0000"}, ""},
            {"GIMP Palette\n#\n1 2 3 uno dos\n", {"#030201"}, ""},
            {"GIMP Palette\nName: x\n255 0 0\n\n#\n\n255 256 0 x\n", {}, "Línea 7: «256» no está entre 0 y 255."},
            {"GIMP Palette\n1 2 3\n-1 2 3\n", {}, "Línea 3: «-1» no está entre 0 y 255."},
            {"GIMP Palette\r\n1 2\r\n", {}, "Línea 2: faltan valores"},
            {"GIMP Palette\n1 2 x3\n", {}, "Línea 2: «x3» no es un número entero."},
            {"/* --x: red; */ :root { --a: #F00; --gap: 4px; color: blue; --b: rgb(0 0 255) !important; }\n"
             ".x { background: url(http://e.org/a;b) } $c: lime !default; // $d: white; $g: navy;\n"
             "$e: 10px; @theme { --font: \"a;b\"; --color-f: hsl(120 100% 25%); }",
             {"#0000FF", "#FF0000", "#00FF00", "#008000"}, ""},
            {"\xEF\xBB\xBFred\r\nrgb(0 128 255)\n\n#abc\n", {"#0000FF", "#FF8000", "#CCBBAA"}, ""},
            {"red\nverde\n", {}, "Línea 2: «verde»: no es un color CSS."},
            {"[\"red\", {\"code\": \"#0080ff\"}, {\"red\": 1, \"green\": 2, \"blue\": 3}]",
             {"#0000FF", "#0080FF", "#030201"}, ""},
            {"[{\"red\": 1, \"green\": 2}]", {}, "Elemento 1: no lleva ningún color"},
            {"", {}, "El archivo no tiene ningún color."},
            {":root { --gap: 4px; }", {}, "El archivo no tiene ningún color."},
            {"a:hover {\n  color: red;\n}\n", {},
             "Es una hoja de estilo, pero no hay propiedades personalizadas (--nombre: color)."},
            {"GIMP Palette\nName: vacía\n", {}, "El archivo no tiene ningún color."}};
        // clang-format on
        for (const auto& [bytes, codes, error] : cases) {
            const Outcome<ImportedPalette> result = PaletteImport::ImportBytes(bytes);
            QCOMPARE(result ? result->codes : QStringList(), codes);
            QVERIFY2(result ? error.isEmpty()
                            : !error.isEmpty() && result.Reason().startsWith(error),
                     qPrintable(result.Reason()));
        }
    }

    // Only a regular file of at most 64 MiB is read, and nothing waits.
    void importRefusesFiles()
    {
        for (const auto& [make, error] : {std::pair{"mkfifo p", "No es un archivo normal"},
                                          {"truncate -s 65M p", "El archivo mide más de 64 MiB"},
                                          {"true", "El archivo no existe"}}) {
            QTemporaryDir dir;
            QCOMPARE(QProcess::execute("sh", {"-c", QString("cd \"$0\" && ") + make, dir.path()}),
                     0);
            const Outcome<ImportedPalette> result =
                PaletteImport::ImportFromFile(dir.filePath("p"));
            QVERIFY2(!result && result.Reason().startsWith(error), make);
        }
    }

    // The memory file, under any name, is neither written by an export nor
    // imported; a copy of it comes back as it was written, blue first, and a
    // palette is read through any link.
    void memoryFile()
    {
        QTemporaryDir dir;
        const QString list = dir.filePath("List.slc"), shared = dir.filePath("shared");
        const auto refused = [&](const QString& name) {
            const Outcome<> exported =
                PaletteExport::ExportToFile(name, PaletteFormat::Txt, Codes, list);
            return !exported && exported.Reason().startsWith("Es la lista de la memoria") &&
                   PaletteImport::ImportFromFile(name, list).Reason().startsWith("Es la lista");
        };
        QVERIFY(refused(dir.path() + "/./List.slc") && !QFile::exists(list));
        const QByteArray bytes = "#0000FF\r\nnota\r\n";
        const auto write = [&](const QString& name, const QByteArray& content) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
        };
        QVERIFY(write("List.slc", bytes) && QFile::link(list, dir.filePath("link")) &&
                ::link(qPrintable(list), qPrintable(dir.filePath("hard"))) == 0);
        for (const char* name : {"List.slc", "link", "hard"})
            QVERIFY2(refused(dir.filePath(name)), name);
        QVERIFY(write("copy.SLC", bytes + "#00ff00\n") && write("codes.txt", "#0080FF\r\n") &&
                write("css.txt", "#0080FF\n") && QDir().mkdir(shared) &&
                QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)) &&
                QFile::link(dir.filePath("css.txt"), shared + "/link"));
        const std::pair<const char*, QStringList> cases[] = {{"copy.SLC", {"#0000FF", "#00FF00"}},
                                                             {"codes.txt", {"#0080FF"}},
                                                             {"css.txt", {"#FF8000"}},
                                                             {"shared/link", {"#FF8000"}}};
        for (const auto& [name, codes] : cases) {
            const Outcome<ImportedPalette> result =
                PaletteImport::ImportFromFile(dir.filePath(name));
            QVERIFY2(result, name);
            QCOMPARE(result->codes, codes);
            QCOMPARE(result->note.isEmpty(), codes.first() == "#FF8000");
        }
        QFile file(list);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == bytes);
    }

    // A message quotes a text from outside short, its control characters escaped.
    void quotesShort()
    {
        const Outcome<ImportedPalette> result =
            PaletteImport::ImportBytes("\x1B]0;x\x07" + QByteArray(4000, 'a') + "\n");
        QCOMPARE(result.Reason(),
                 "Línea 1: «\\x1B]0;x\\x07" + QString(34, 'a') + "…»: no es un color CSS.");
        // Every control character, line or paragraph separator and direction
        // mark is escaped at the ends of its range; its neighbours stay.
        for (const char16_t c :
             {0x00, 0x1F, 0x7F, 0x9F, 0x061C, 0x200E, 0x200F, 0x2028, 0x202E, 0x2066, 0x2069})
            QVERIFY2(UntrustedText::Escaped(QStringView(&c, 1)).startsWith(u'\\'),
                     qPrintable(QString::number(c, 16)));
        for (const char16_t c :
             {0x20, 0x7E, 0xA0, 0x061B, 0x061D, 0x200D, 0x2010, 0x2027, 0x202F, 0x2065, 0x206A})
            QCOMPARE(UntrustedText::Escaped(QStringView(&c, 1)), QString(QChar(c)));
        // A character of two code units stays whole, also where the quote is
        // cut; a stray byte shows as its value, a lone surrogate as its code.
        QCOMPARE(UntrustedText::Escaped(u"\U0001F3A8\xDCFF\xDC41\xD800"),
                 QStringLiteral("\U0001F3A8\\xFF\\uDC41\\uD800"));
        QCOMPARE(UntrustedText::Quoted(QString(39, 'a') + QStringLiteral("\U0001F3A8")),
                 "«" + QString(39, 'a') + "…»");
    }

    void formatForFile()
    {
        const std::tuple<const char*, const char*, std::optional<PaletteFormat>> cases[] = {
            {"a.GPL", "", PaletteFormat::Gpl},
            {"a.css", "", PaletteFormat::Css},
            {"a.css", "Tailwind", PaletteFormat::Tailwind},
            {"a.txt", "json", PaletteFormat::Json},
            {"a.b.scss", "", PaletteFormat::Scss},
            {"a.pal", "", std::nullopt},
            {"a.gpl", "xml", std::nullopt},
            {"a.tailwind", "", std::nullopt},
            {"a.b.Tokens.JSON", "", PaletteFormat::Tokens},
            {"tokens.json", "", PaletteFormat::Json},
            {"a.tokens", "", std::nullopt}};
        for (const auto& [path, name, format] : cases)
            QVERIFY2(PaletteFormatForFile(path, QString(name)) == format, path);
        // The texts listing the formats: the dialogs' and the unknown name's.
        QStringList types;
        for (const auto& [type, format] : PaletteSaveTypes())
            types << type + '=' + QString::fromUtf16(PaletteFormats[std::size_t(format)].name);
        QCOMPARE(types.join(";;"), "Paleta de GIMP, Inkscape, Krita (*.gpl)=gpl;;Propiedades CSS "
                                   "(*.css)=css;;Tema de Tailwind CSS (*.css)=tailwind;;Variables "
                                   "SCSS (*.scss)=scss;;JSON (*.json)=json;;Texto, un color por "
                                   "línea (*.txt)=txt;;Tokens de diseño (*.tokens.json)=tokens");
        QCOMPARE(PaletteExtensions().join(' '), "gpl css scss json txt tokens.json");
        QCOMPARE(UnknownPaletteFormatText(u"x"), "«x» no es un formato de paleta; los formatos son "
                                                 "gpl, css, scss, tailwind, json, txt y tokens.");
    }

    // A scale, for the edges of the cube and a sample of it: eleven steps 50
    // to 950, each asked inside sRGB and given as an 8-bit neighbour, whose
    // lightness falls strictly, whose hue stays within 2° of the colour's
    // wherever chroma shows it, and one of which is the colour itself.
    void scale()
    {
        using namespace ColourSpaces;
        using ColourForms::Form;
        const auto oklch = [](Colour::Rgb8 c) { return ColourForms::FromRgb8(Form::Oklch, c); };
        QList<Colour::Rgb8> sample = {
            {0, 0, 0},     {255, 255, 255}, {1, 1, 1},   {254, 254, 254}, {128, 128, 128},
            {255, 0, 0},   {0, 255, 0},     {0, 0, 255}, {255, 255, 0},   {0, 255, 255},
            {255, 0, 255}, {251, 228, 222}}; // its 950 keeps the hue a level off
        QRandomGenerator random(29);
        while (sample.size() < 1012)
            sample.append({random.bounded(256), random.bounded(256), random.bounded(256)});
        for (const Colour::Rgb8 given : sample) {
            const auto steps = ColourScale::Of(given);
            const double hue = oklch(given)[2];
            int found = 0;
            for (int i = 0; i < 11; ++i) {
                const Colour::Triple own = oklch(steps[i].colour);
                found += steps[i].colour == given;
                QVERIFY2(steps[i].number == ColourScale::Numbers[i] &&
                             (i == 0 || own[0] < oklch(steps[i - 1].colour)[0]) &&
                             !ColourForms::ToRgb8(Form::Oklch, steps[i].oklch).mapped &&
                             DeltaEOK(FromPolar(own), FromPolar(steps[i].oklch)) < 0.01 &&
                             (own[1] <= 0.03 || std::abs(NormalHue(own[2] - hue + 180) - 180) <= 2),
                         qPrintable(QString("%1 %2 %3, step %4")
                                        .arg(given.red)
                                        .arg(given.green)
                                        .arg(given.blue)
                                        .arg(steps[i].number)));
            }
            QCOMPARE(found, 1);
        }
        // Tailwind CSS 4.3.5's 500s, as sRGB shows them, stay 500, and their
        // 200 and 800 lie within deltaEOK 0.05 of Tailwind's; but amber's 200
        // and 800 and yellow's 200 turn 18° to 30° from the 500's hue: inside
        // sRGB and within 2° of it, amber's 200 comes no nearer than 0.070,
        // yellow's than 0.057, amber's 800 than 0.047 (0.051 with the hue kept).
        const struct
        {
            const char* name;
            Colour::Triple at500, at200, at800;
        } tailwind[] = {
            {"rose", {0.645, 0.246, 16.439}, {0.892, 0.058, 10.001}, {0.455, 0.188, 13.697}},
            {"red", {0.637, 0.237, 25.331}, {0.885, 0.062, 18.334}, {0.444, 0.177, 26.899}},
            {"orange", {0.705, 0.213, 47.604}, {0.901, 0.076, 70.697}, {0.47, 0.157, 37.304}},
            {"amber", {0.769, 0.188, 70.08}, {0.924, 0.12, 95.746}, {0.473, 0.137, 46.201}},
            {"yellow", {0.795, 0.184, 86.047}, {0.945, 0.129, 101.54}, {0.476, 0.114, 61.907}},
            {"lime", {0.768, 0.233, 130.85}, {0.938, 0.127, 124.321}, {0.453, 0.124, 130.933}},
            {"green", {0.723, 0.219, 149.579}, {0.925, 0.084, 155.995}, {0.448, 0.119, 151.328}},
            {"emerald", {0.696, 0.17, 162.48}, {0.905, 0.093, 164.15}, {0.432, 0.095, 166.913}},
            {"teal", {0.704, 0.14, 182.503}, {0.91, 0.096, 180.426}, {0.437, 0.078, 188.216}},
            {"cyan", {0.715, 0.143, 215.221}, {0.917, 0.08, 205.041}, {0.45, 0.085, 224.283}},
            {"sky", {0.685, 0.169, 237.323}, {0.901, 0.058, 230.902}, {0.443, 0.11, 240.79}},
            {"blue", {0.623, 0.214, 259.815}, {0.882, 0.059, 254.128}, {0.424, 0.199, 265.638}},
            {"indigo", {0.585, 0.233, 277.117}, {0.87, 0.065, 274.039}, {0.398, 0.195, 277.366}},
            {"violet", {0.606, 0.25, 292.717}, {0.894, 0.057, 293.283}, {0.432, 0.232, 292.759}},
            {"purple", {0.627, 0.265, 303.9}, {0.902, 0.063, 306.703}, {0.438, 0.218, 303.724}},
            {"fuchsia", {0.667, 0.295, 322.15}, {0.903, 0.076, 319.62}, {0.452, 0.211, 324.591}},
            {"pink", {0.656, 0.241, 354.308}, {0.899, 0.061, 343.231}, {0.459, 0.187, 3.815}},
            {"gray", {0.551, 0.027, 264.364}, {0.928, 0.006, 264.531}, {0.278, 0.033, 256.848}}};
        for (const auto& [name, at500, at200, at800] : tailwind) {
            const Colour::Rgb8 shown =
                Colour::ReadCssColour(
                    QString("oklch(%1 %2 %3)").arg(at500[0]).arg(at500[1]).arg(at500[2]))
                    ->colour;
            const auto steps = ColourScale::Of(shown);
            const double turned =
                QByteArray(name) == "amber" || QByteArray(name) == "yellow" ? 0.08 : 0.05;
            QVERIFY2(steps[5].colour == shown &&
                         DeltaEOK(FromPolar(oklch(steps[2].colour)), FromPolar(at200)) <= turned &&
                         DeltaEOK(FromPolar(oklch(steps[8].colour)), FromPolar(at800)) <=
                             (QByteArray(name) == "amber" ? 0.08 : 0.05),
                     name);
        }
        // As a palette: the steps named after the scale, in any format.
        const auto named = ScalePalette::Steps({0x3B, 0x82, 0xF6}, "marca");
        QCOMPARE(named.first().name + ' ' + named.last().name, "marca-50 marca-950");
        QVERIFY(PaletteExport::ColoursBytes(PaletteFormat::Tailwind, named)
                    .contains("\n    --color-marca-500: oklch(0.623 0.188 259.8);\n"));
        for (const auto& [name, checked] : {std::pair{" Marca_2-b ", "Marca_2-b"},
                                            {"2a", ""},
                                            {"", ""},
                                            {"coral claro", ""},
                                            {"añil", ""},
                                            {"a.b", ""}}) {
            const Outcome<QString> read = ScalePalette::CheckedName(QString(name));
            QCOMPARE(read ? *read
                          : QString(read.Reason().contains(" no sirve de nombre:") ? "" : "?"),
                     checked);
        }
    }

    // Names last: adding, removing and importing colours renames none of the
    // others; they come back after a restart, through every format (the GIMP
    // and JSON files keep them as given), and from a hand edit of their file.
    void names()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("List.slc"), namesPath = dir.filePath("List.names");
        const auto exported = [](const MemoryListModel& list) { // "#BBGGRR=name" in CSS
            const Outcome<ImportedPalette> read = PaletteImport::ImportBytes(
                PaletteExport::ExportBytes(PaletteFormat::Css, list.Items(), list.GivenNames()));
            QStringList names;
            for (qsizetype i = 0; read && i < read->codes.size(); ++i)
                names << read->codes[i] + '=' + read->names[i];
            return names.join(' ');
        };
        MemoryListModel list;
        list.SetNamer(PaletteNames::DerivedForEntry, PaletteNames::DerivedOwner);
        MemoryStore store(list);
        QVERIFY(store.Load(path));
        QVERIFY(store.Merge({"#0080FF", "#123456", "#0000FF", "#563412"},
                            {"Coral claro", "", "", "brand"}));
        const QString before = exported(list);
        QCOMPARE(before, "#0000FF=red #0080FF=Coral-claro #123456=maroon-563412 #563412=brand");
        QVERIFY(store.Add("#00FF00") && store.Remove(int(list.Items().indexOf("#0000FF"))));
        QVERIFY(store.Merge({"#654321", "#563412", "#123456", "#00FE00"},
                            {"brand", "otro", "--nuevo", "lime"})); // lime: #00FF00's
        const QString after = exported(list);
        QCOMPARE(after, "#0080FF=Coral-claro #00FE00=lime-2 #00FF00=lime #123456=nuevo "
                        "#563412=brand #654321=brand-2");
        MemoryListModel again;
        again.SetNamer(PaletteNames::DerivedForEntry, PaletteNames::DerivedOwner);
        MemoryStore restarted(again);
        QVERIFY(restarted.Load(path));
        QCOMPARE(exported(again), after);
        for (const PaletteFormatRow& row : PaletteFormats) {
            const QByteArray bytes =
                PaletteExport::ExportBytes(row.format, list.Items(), list.GivenNames());
            const Outcome<ImportedPalette> read = PaletteImport::ImportBytes(bytes);
            MemoryListModel copy;
            copy.SetNamer(PaletteNames::DerivedForEntry, PaletteNames::DerivedOwner);
            QVERIFY(read && MemoryStore(copy).Merge(read->codes, read->names));
            QCOMPARE(PaletteExport::ExportBytes(row.format, copy.Items(), copy.GivenNames()),
                     bytes);
            QCOMPARE(copy.GivenNames() == list.GivenNames(),
                     row.format == PaletteFormat::Gpl || row.format == PaletteFormat::Json);
        }
        QCOMPARE(
            PaletteExport::ColoursBytes(PaletteFormat::Scss, {{"", {255, 255, 255}, "Marca 50"},
                                                              {"", {0, 0, 0}, ""},
                                                              {"", {1, 1, 1}, "Marca_50"}}),
            "$Marca-50: #FFFFFF;\n$black: #000000;\n$Marca-50-2: #010101;\n");
        // By hand: any case of a code, blanks or a tab, CR or LF; a code no
        // longer in the list, a line without a code and a comment are dropped.
        QFile file(namesPath);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("* a mano\n#00ff00   verde\tlima \r#ABCDEF fuera\n#0080FFx\nmal\n"
                           "#563412\tbrand\r\n") > 0);
        file.close();
        QVERIFY(store.Add("#FFFFFF"));
        QCOMPARE(exported(list), "#0080FF=darkorange-ff8000 #00FE00=lime-00fe00 #00FF00=verde-lima "
                                 "#123456=maroon-563412 #563412=brand "
                                 "#654321=darkslategray-214365 #FFFFFF=white");
        QVERIFY(!PaletteExport::ExportToFile(namesPath, PaletteFormat::Txt, list.Items(), path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().split('\n').mid(1).join('\n'),
                 "#00FF00\tverde lima\r\n#563412\tbrand\r\n");
        file.close();
        // A named colour removed (added again, without its name), a colour
        // added with a name, a name given back to the derived one: each made
        // again on a hand edit made since.
        const auto edit = [&](const QByteArray& line) {
            QFile names(namesPath);
            return names.open(QIODevice::Append) && names.write(line) == line.size();
        };
        QVERIFY(edit("#FFFFFF\tblanco\n") && store.Remove(int(list.Items().indexOf("#563412"))) &&
                store.Add("#563412"));
        QVERIFY(edit("#123456\tmano\n") && store.Add("#ABCDEF", "nuevo"));
        const int green = int(list.Items().indexOf("#00FF00")), white = int(list.Count()) - 1;
        QVERIFY(store.Rename(green, list.DerivedName("#00FF00")) && store.Rename(white, "blanco"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().split('\n').mid(1).join('\n'),
                 "#123456\tmano\r\n#ABCDEF\tnuevo\r\n#FFFFFF\tblanco\r\n");
        // A names file that cannot be written, or read, since the start.
        QVERIFY(QFile::setPermissions(namesPath, QFile::ReadOwner));
        QVERIFY(store.Rename(0, "otro").Reason().contains("\n\nPermiso denegado\n\n"));
        QVERIFY(QFile::remove(namesPath) && mkfifo(qPrintable(namesPath), 0600) == 0);
        QVERIFY(store.Rename(0, "otra").Reason().contains(": No es un archivo normal"));
        // A long name is cut, never inside a character of two code units.
        const QString long1 = QString(NamesFile::MaxName - 1, 'a');
        QCOMPARE(NamesFile::Cleaned(long1 + QStringLiteral("\U0001F3A8")), long1);
        QCOMPARE(NamesFile::Cleaned(long1 + "bc"), long1 + 'b');
    }

    // Whatever is at the names file's place, the list loads whole and is
    // saved whole; only a file that can be read takes a new name.
    void damagedNames()
    {
        for (const char* make :
             {"mkdir List.names", "mkfifo List.names", "truncate -s 65M List.names",
              "printf '\\377\\0mal\\n#0000FF\\tro\\001jo\\n' >List.names"}) {
            QTemporaryDir dir;
            QVERIFY(QProcess::execute("sh", {"-c",
                                             QString("cd \"$0\" && printf '#0000FF\\r\\nnota\\r\\n"
                                                     "#00FF00\\r\\n' >List.slc && ") +
                                                 make,
                                             dir.path()}) == 0);
            MemoryListModel list;
            MemoryStore store(list);
            QVERIFY(store.Load(dir.filePath("List.slc")) && store.Add("#FF0000"));
            const bool readable = QByteArray(make).startsWith("printf");
            QCOMPARE(list.GivenName("#0000ff"), readable ? "ro jo" : "");
            QCOMPARE(bool(store.Rename(0, "azul")), readable);
            QFile saved(dir.filePath("List.slc"));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), "#0000FF\r\n#FF0000\r\nnota\r\n#00FF00\r\n");
        }
    }

    // Each code at its sorted place; codes already there (text for text) skipped.
    void merge()
    {
        const struct
        {
            QStringList before, codes, after;
            QString message;
        } cases[] = {{{"#000000", "#FFFFFF"},
                      {"#0000FF", "#000000", "#0000FF"},
                      {"#000000", "#0000FF", "#FFFFFF"},
                      "Se añadió 1 color; 2 ya estaban en la lista."},
                     {{"#ABCDEF"},
                      {"#FFFFFF", "#abcdef"},
                      {"#ABCDEF", "#abcdef", "#FFFFFF"},
                      "Se añadieron 2 colores."},
                     {{"#000000"},
                      {"#000000"},
                      {"#000000"},
                      "No se añadió ningún color: ya estaba en la lista."}};
        for (const auto& [before, codes, after, message] : cases) {
            MemoryListModel list;
            list.SetItems(before);
            const Outcome<StoreChange> result = MemoryStore(list).Merge(codes);
            QCOMPARE(list.Items(), after);
            QCOMPARE(PaletteMerge::MergeMessage(result->added, result->skipped), message);
        }
        // Many codes into a sorted list: the order "Guardar" gives one by one,
        // case-insensitive, equal entries in the order they came.
        QStringList many;
        for (int i = 0; i < 3000; ++i)
            many << QString("#%1").arg(i * 7919 % 4096 * 4099, 6, 16, QChar('0'));
        for (int i = 0; i < 1500; ++i)
            many << many[i].toUpper();
        many << "#a00000"
             << "#7fffff";
        MemoryListModel merged, oneByOne;
        merged.SetItems({"#000000", "#7FFFFF", "#A00000"});
        oneByOne.SetItems(merged.Items());
        for (const QString& code : many)
            if (!oneByOne.Items().contains(code))
                oneByOne.AddSorted(code);
        QVERIFY(MemoryStore(merged).Merge(many));
        QCOMPARE(merged.Items(), oneByOne.Items());
        QCOMPARE(PaletteMerge::MergeMessage(12, 3),
                 "Se añadieron 12 colores; 3 ya estaban en la lista.");
        QCOMPARE(PaletteMerge::MergeMessage(1, 1), "Se añadió 1 color; 1 ya estaba en la lista.");
        QCOMPARE(PaletteMerge::MergeMessage(0, 3),
                 "No se añadió ningún color: los 3 ya estaban en la lista.");
    }
};

QTEST_GUILESS_MAIN(TestPalette)
#include "test_palette.moc"
