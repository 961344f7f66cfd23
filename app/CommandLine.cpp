// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "ScreenPicker.h"
#include "StandardStreams.h"
#include "Version.h"
#include "WebColour.h"
#include "WindowSystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

namespace CommandLine {

namespace {

const QString kUsage = QStringLiteral("Uso: tintaro [opción]\n");

// The options Qt's application objects take away from the command line,
// with a value or without; they are read here only to be let through.
const char* const kQtValueOptions[] = {"platform",
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
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                      "dograb",  "sync",        "testability"};

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Muestra esta ayuda y termina.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Muestra la versión de Tintaro y termina.")};
    QCommandLineOption pick{
        QStringLiteral("pick"),
        QStringLiteral("Toma un color de la pantalla y escribe su código CSS\n"
                       "(#RRGGBB) en la salida estándar, sin abrir la ventana.")};
    QCommandLineParser parser;

    // Parses args; false on an unknown option or any argument.
    bool Parse(const QStringList& args)
    {
        // -platform and other Qt options are whole words, never letter groups.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version, pick});
        for (const char* name : kQtValueOptions) {
            parser.addOption(
                QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("x")));
        }
        for (const char* name : kQtFlagOptions) {
            parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
        }
        return parser.parse(args) && parser.positionalArguments().isEmpty();
    }
};

// Writes text to standard output; 0, or 2 with the reason on standard error.
int Print(const QString& text)
{
    const QString failure = StandardStreams::Write(stdout, text);
    if (failure.isEmpty()) {
        return 0;
    }
    StandardStreams::Write(
        stderr,
        QStringLiteral("tintaro: no se pudo escribir en la salida estándar: %1.\n").arg(failure));
    return 2;
}

int Fail(int status, const QString& text)
{
    StandardStreams::Write(stderr, QStringLiteral("tintaro: ") + text);
    return status;
}

QString HelpText(const Options& o)
{
    QString text = kUsage + QStringLiteral("\nTintaro, selector de colores (para páginas web). "
                                           "Sin opciones abre su ventana.\n\nOpciones:\n");
    for (const QCommandLineOption* option : {&o.help, &o.version, &o.pick}) {
        QStringList names = option->names();
        for (QString& name : names) {
            name.prepend(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"));
        }
        QString description = option->description();
        description.replace(QLatin1Char('\n'), QStringLiteral("\n") + QString(17, u' '));
        text += QStringLiteral("  %1%2\n")
                    .arg(names.join(QStringLiteral(", ")).leftJustified(15), description);
    }
    return text + QStringLiteral(
                      "\nCon --pick, un clic toma el color que hay bajo el puntero; Esc o el clic\n"
                      "derecho cancelan. Estado de salida: 0 con un color, 1 si se cancela, 2 si\n"
                      "no se puede tomar (el motivo va a la salida de errores). Por ejemplo:\n"
                      "  tintaro --pick | xclip -selection clipboard\n");
}

} // namespace

Request Read(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    Options o;
    if (!o.Parse(args)) {
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
        return {Fail(2, QStringLiteral("no se entiende «%1».\n%2Pruebe «tintaro --help».\n")
                            .arg((wrong.isEmpty() ? args.mid(1) : wrong).join(u' '), kUsage)),
                false};
    }
    if (o.parser.isSet(o.help)) {
        return {Print(HelpText(o)), false};
    }
    if (o.parser.isSet(o.version)) {
        return {Print(QStringLiteral("Tintaro %1.%2.%3\n")
                          .arg(kVersionMajor)
                          .arg(kVersionMinor)
                          .arg(kVersionRevision)),
                false};
    }
    const bool pick = o.parser.isSet(o.pick);
    if (!WindowSystem::CanConnect(o.parser.isSet(QStringLiteral("platform")) ||
                                  o.parser.isSet(QStringLiteral("display")))) {
        const QString missing = QStringLiteral(
            "no hay ninguna pantalla a la que conectarse (ni DISPLAY ni WAYLAND_DISPLAY "
            "están definidas).\n");
        return pick ? Request{Fail(2, QStringLiteral("no se puede tomar un color: ") + missing)}
                    : Request{Fail(1, QStringLiteral("no se puede abrir la ventana: ") + missing)};
    }
    return {std::nullopt, pick};
}

int Pick()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    ScreenPicker picker;
    QObject::connect(&picker, &ScreenPicker::Picked, [](const QColor& c) {
        QCoreApplication::exit(
            Print(WebColour::CssHex(c.red(), c.green(), c.blue()) + QLatin1Char('\n')));
    });
    QObject::connect(&picker, &ScreenPicker::Cancelled, [] { QCoreApplication::exit(1); });
    QObject::connect(&picker, &ScreenPicker::Failed, [](const QString& reason) {
        QCoreApplication::exit(Fail(2, reason + QLatin1Char('\n')));
    });
    picker.Start();
    return QCoreApplication::exec();
}

} // namespace CommandLine
