// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "Commands.h"
#include "CssForms.h"
#include "FileName.h"
#include "PaletteFormat.h"
#include "StandardStreams.h"
#include "UntrustedText.h"
#include "Version.h"
#include "WindowSystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace CommandLine {

namespace {

const QString Usage =
    QStringLiteral("Uso: tintaro [--pick [--format FORMATO] [--gamut MODO]]\n"
                   "     tintaro --convert COLOR [--format FORMATO] [--gamut MODO]\n"
                   "     tintaro --contrast TEXTO FONDO\n"
                   "     tintaro --export FORMATO [ARCHIVO]\n"
                   "     tintaro --import ARCHIVO\n"
                   "     tintaro --scale COLOR [--name NOMBRE] [--format FORMATO]\n");

// The options Qt's application objects take away from the command line,
// with a value or without; they are read here only to be let through.
const char* const QtValueOptions[] = {"platform",
                                      "platformpluginpath",
                                      "platformtheme",
                                      "plugin",
                                      "qwindowgeometry",
                                      "qwindowicon",
                                      "qwindowtitle",
                                      "session",
                                      "smkey",
                                      "display",
                                      "geometry",
                                      "title",
                                      "icon",
                                      "name",
                                      "visual",
                                      "style",
                                      "stylesheet",
                                      "qmljsdebugger",
                                      "ncols",
                                      "cmap"};
const char* const QtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                     "dograb",  "sync",        "testability"};

// --format's description: the forms it takes (CssForms::Rows), each with its
// note, in lines of at most 57 characters, broken between forms or where a
// note breaks its own.
QString FormatHelp()
{
    QStringList words;
    for (const CssForms::Row& row : CssForms::Rows) {
        if (row.formatOption) {
            QString word = QString::fromUtf16(row.name);
            if (row.formatNote != nullptr) {
                word += u' ' + QString::fromUtf16(row.formatNote);
            }
            words << word + u',';
        }
    }
    words.last().back() = u'.';
    words[words.size() - 2].chop(1);
    words.insert(words.size() - 1, QStringLiteral("o"));
    QString text = QStringLiteral("Formato de --pick y --convert:");
    qsizetype column = text.size();
    for (const QString& word : words) {
        const qsizetype firstLine = word.indexOf(u'\n') < 0 ? word.size() : word.indexOf(u'\n');
        const bool fits = column + 1 + firstLine <= 57;
        text += fits ? u' ' : u'\n';
        text += word;
        column = word.contains(u'\n') ? word.size() - word.lastIndexOf(u'\n') - 1
                                      : (fits ? column + 1 : 0) + word.size();
    }
    return text;
}

// The names --format takes, "hex, rgb, … o code".
QString FormatNames()
{
    QStringList names;
    for (const CssForms::Row& row : CssForms::Rows) {
        if (row.formatOption) {
            names << QString::fromUtf16(row.name);
        }
    }
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" o ") + last;
}

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Muestra esta ayuda y termina.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Muestra la versión de Tintaro y termina.")};
    QCommandLineOption pick{
        QStringLiteral("pick"),
        QStringLiteral("Toma un color de la pantalla y lo escribe en la salida\n"
                       "estándar (#RRGGBB, u otro FORMATO), sin abrir la ventana.")};
    QCommandLineOption convert{
        QStringLiteral("convert"),
        QStringLiteral("Escribe el COLOR CSS dado en FORMATO (#RRGGBB si no se\n"
                       "indica). Con «-» lee un color por línea de la entrada.\n"
                       "No necesita pantalla."),
        QStringLiteral("COLOR")};
    QCommandLineOption format{QStringLiteral("format"), FormatHelp(), QStringLiteral("FORMATO")};
    QCommandLineOption gamut{
        QStringLiteral("gamut"),
        QStringLiteral("Con --pick y --convert, cómo se lleva a sRGB un color\n"
                       "que cae fuera: css (por omisión), como manda CSS Color 4;\n"
                       "clip, cada canal recortado, como lo pintan hoy los\n"
                       "navegadores."),
        QStringLiteral("MODO")};
    QCommandLineOption contrast{
        QStringLiteral("contrast"),
        QStringLiteral("Escribe el contraste de dos colores CSS, TEXTO sobre\n"
                       "FONDO: la razón WCAG 2, los niveles que alcanza y APCA\n"
                       "Lc. Estado 0 si llega a AA para texto normal, 1 si no.\n"
                       "No necesita pantalla.")};
    QCommandLineOption exportPalette{
        QStringLiteral("export"),
        QStringLiteral("Escribe la lista de la memoria como paleta en FORMATO\n(") +
            PaletteFormatList(u"o") +
            QStringLiteral("), en\nARCHIVO o, sin él (o con «-»), en la salida estándar.\n"
                           "Nunca escribe List.slc."),
        QStringLiteral("FORMATO")};
    QCommandLineOption importPalette{
        QStringLiteral("import"),
        QStringLiteral("Añade a la lista de la memoria los colores de ARCHIVO\n"
                       "(paleta de GIMP, hoja de estilo, JSON, tokens de diseño\n"
                       "o texto), si no hay ningún Tintaro abierto con esa lista."),
        QStringLiteral("ARCHIVO")};
    QCommandLineOption scale{
        QStringLiteral("scale"),
        QStringLiteral("Escribe la escala de tintes y sombras del COLOR CSS,\n"
                       "de 50 (el más claro) a 950 (el más oscuro), con los\n"
                       "nombres NOMBRE-50 … NOMBRE-950, como paleta en FORMATO\n"
                       "(tailwind si no se indica; los de --export). No\n"
                       "necesita pantalla."),
        QStringLiteral("COLOR")};
    // Qt's -name (the X11 resource name) when it comes without --scale.
    QCommandLineOption name{QStringLiteral("name"),
                            QStringLiteral("Con --scale, el nombre de la escala (si no, el del\n"
                                           "color CSS más cercano): una letra, luego letras,\n"
                                           "cifras, «-» o «_»."),
                            QStringLiteral("NOMBRE")};
    QList<const QCommandLineOption*> ours{&help,          &version, &pick,     &convert,
                                          &format,        &gamut,   &contrast, &exportPalette,
                                          &importPalette, &scale,   &name};
    QCommandLineParser parser;

    // Parses args; false on an unknown option or any argument.
    bool Parse(const QStringList& args)
    {
        // -platform and other Qt options are whole words, never letter groups.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const QCommandLineOption* option : ours) {
            parser.addOption(*option);
        }
        for (const char* qtName : QtValueOptions) {
            if (qstrcmp(qtName, "name") != 0) { // ours, which lets Qt's through
                parser.addOption(
                    QCommandLineOption(QString::fromLatin1(qtName), {}, QStringLiteral("x")));
            }
        }
        for (const char* name : QtFlagOptions) {
            parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
        }
        // --contrast takes its two colours as the only arguments.
        if (!parser.parse(args)) {
            return false;
        }
        const qsizetype count = parser.positionalArguments().size();
        return parser.isSet(contrast)        ? count == 2
               : parser.isSet(exportPalette) ? count <= 1
                                             : count == 0;
    }
};

// What the command line lacks, named as --help names it ("--convert: falta
// el COLOR"), else nothing: an option's value at its end, the colours of
// --contrast (the text first, then the background it lies on).
QString Missing(const Options& o, const QStringList& args)
{
    const QString last = args.size() > 1 ? args.last() : QString();
    for (const QCommandLineOption* option : o.ours) {
        for (const QString& name : option->names()) {
            if (!option->valueName().isEmpty() && name.size() > 1 &&
                (last == QStringLiteral("--") + name || last == u'-' + name)) {
                return last + QStringLiteral(": falta el ") + option->valueName();
            }
        }
    }
    if (o.parser.unknownOptionNames().isEmpty() && o.parser.isSet(o.contrast)) {
        switch (o.parser.positionalArguments().size()) {
        case 0:
            return QStringLiteral("--contrast: faltan el TEXTO y el FONDO (dos colores CSS)");
        case 1:
            return QStringLiteral(
                       "--contrast: falta el FONDO, el color sobre el que va el TEXTO ") +
                   UntrustedText::Quoted(o.parser.positionalArguments().front());
        default:
            break;
        }
    }
    return {};
}

Request Exit(int status)
{
    Request request;
    request.exitStatus = status;
    return request;
}

QString HelpText(const Options& o)
{
    QString text = Usage + QStringLiteral("\nTintaro, selector de colores (para páginas web). "
                                          "Sin opciones abre su ventana.\n\nOpciones:\n");
    for (const QCommandLineOption* option : o.ours) {
        QStringList names = option->names();
        for (QString& name : names) {
            name.prepend(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"));
        }
        if (!option->valueName().isEmpty()) {
            names.last() += u' ' + option->valueName();
        } else if (option == &o.contrast) {
            names.last() += QStringLiteral(" TEXTO FONDO");
        }
        if (option == &o.exportPalette) {
            names.last() += QStringLiteral(" [ARCHIVO]");
        }
        QString description = option->description();
        description.replace(QLatin1Char('\n'), QStringLiteral("\n") + QString(19, u' '));
        // A name too long for its column puts the description on the next
        // line, in the same column as every other.
        const QString name = names.join(QStringLiteral(", "));
        text +=
            QStringLiteral("  %1 %2\n")
                .arg(name.size() > 16 ? name + u'\n' + QString(18, u' ') : name.leftJustified(16),
                     description);
    }
    return text + QStringLiteral(
                      "\nCon --pick, un clic toma el color que hay bajo el puntero; Esc o el clic\n"
                      "derecho cancelan. Estado de salida: 0 con un color, 1 si se cancela, 2 si\n"
                      "no se puede tomar (el motivo va a la salida de errores). Por ejemplo:\n"
                      "  tintaro --pick | xclip -selection clipboard\n"
                      "\nCon --convert, estado 0, o 2 si algún color no se entiende (el motivo,\n"
                      "con su número de línea, va a la salida de errores). Por ejemplo:\n"
                      "  tintaro --convert 'oklch(0.7 0.15 150)' --format hsl\n"
                      "\nCon --contrast, estado 0 si el contraste llega a AA para texto normal\n"
                      "(4,5:1), 1 si no, 2 si un color no se entiende. Por ejemplo:\n"
                      "  tintaro --contrast '#767676' white\n");
}

} // namespace

using Commands::Fail;
using Commands::Print;

Request Read(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        args << FileName::Decode(argv[i]); // a file's name keeps its bytes
    }
    Options o;
    if (!o.Parse(args)) {
        if (const QString missing = Missing(o, args); !missing.isEmpty()) {
            return Exit(Fail(2, missing + QStringLiteral(".\n") + Usage +
                                    QStringLiteral("Pruebe «tintaro --help».\n")));
        }
        // The unknown options as written, dashes and all.
        QStringList wrong;
        for (const QString& name : o.parser.unknownOptionNames()) {
            for (const QString& arg : args.mid(1)) {
                if (arg.startsWith(u'-') && arg.section(u'=', 0, 0).endsWith(u'-' + name)) {
                    wrong << arg;
                    break;
                }
            }
        }
        wrong += o.parser.positionalArguments();
        return Exit(Fail(
            2, QStringLiteral("no se entiende %1.\n%2Pruebe «tintaro --help».\n")
                   .arg(UntrustedText::Quoted((wrong.isEmpty() ? args.mid(1) : wrong).join(u' ')),
                        Usage)));
    }
    if (o.parser.isSet(o.help)) {
        return Exit(Print(HelpText(o)));
    }
    if (o.parser.isSet(o.version)) {
        return Exit(Print(QStringLiteral("Tintaro %1.%2.%3\n")
                              .arg(VersionMajor)
                              .arg(VersionMinor)
                              .arg(VersionRevision)));
    }
    const bool pick = o.parser.isSet(o.pick);
    Request request;
    const bool scale = o.parser.isSet(o.scale);
    // With --scale, --format names a palette format, which Commands::Scale reads.
    if (o.parser.isSet(o.format) && !scale) {
        const auto format = Colour::CssFormatFromName(o.parser.value(o.format));
        if (!format || !(pick || o.parser.isSet(o.convert))) {
            return Exit(Fail(2, (format ? QStringLiteral("--format va con --pick o --convert.\n")
                                        : UntrustedText::Quoted(o.parser.value(o.format)) +
                                              QStringLiteral(" no es un formato: ") +
                                              FormatNames() + QStringLiteral(".\n")) +
                                    Usage + QStringLiteral("Pruebe «tintaro --help».\n")));
        }
        request.format = *format;
    }
    if (o.parser.isSet(o.gamut)) {
        const QString mode = o.parser.value(o.gamut);
        const bool known = mode == u"css" || mode == u"clip";
        if (!known || !(pick || o.parser.isSet(o.convert))) {
            return Exit(Fail(2, (known ? QStringLiteral("--gamut va con --pick o --convert.\n")
                                       : UntrustedText::Quoted(mode) +
                                             QStringLiteral(" no es un modo: css o clip.\n")) +
                                    Usage + QStringLiteral("Pruebe «tintaro --help».\n")));
        }
        request.clip = mode == u"clip";
    }
    const int actions = int(pick) + int(o.parser.isSet(o.convert)) +
                        int(o.parser.isSet(o.contrast)) + int(o.parser.isSet(o.exportPalette)) +
                        int(o.parser.isSet(o.importPalette)) + int(scale);
    // --format and --gamut go only with --pick or --convert (told above), so with one
    // action at most every option left belongs to it.
    if (actions > 1) {
        return Exit(Fail(2, QStringLiteral("esas opciones no van juntas.\n") + Usage +
                                QStringLiteral("Pruebe «tintaro --help».\n")));
    }
    if (o.parser.isSet(o.exportPalette) || o.parser.isSet(o.importPalette)) {
        const bool exporting = o.parser.isSet(o.exportPalette);
        request.action = exporting ? Action::Export : Action::Import;
        request.values = exporting ? QStringList{o.parser.value(o.exportPalette)} +
                                         o.parser.positionalArguments()
                                   : QStringList{o.parser.value(o.importPalette)};
        return request;
    }
    if (scale) {
        request.action = Action::Scale;
        request.values = {o.parser.value(o.scale), o.parser.value(o.name),
                          o.parser.value(o.format)};
        return request;
    }
    if (o.parser.isSet(o.contrast)) {
        request.action = Action::Contrast;
        request.values = o.parser.positionalArguments();
        return request;
    }
    if (o.parser.isSet(o.convert)) {
        request.action = Action::Convert;
        request.values = {o.parser.value(o.convert)};
        return request;
    }
    QString tried;
    if (!WindowSystem::CanConnect(argc, argv, tried)) {
        tried += QStringLiteral(".\n");
        return pick ? Exit(Fail(2, QStringLiteral("no se puede tomar un color: ") + tried))
                    : Exit(Fail(1, QStringLiteral("no se puede abrir la ventana: ") + tried));
    }
    request.action = pick ? Action::Pick : Action::Window;
    return request;
}

} // namespace CommandLine
