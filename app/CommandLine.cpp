// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "ScreenPicker.h"
#include "Version.h"
#include "WebColour.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace CommandLine {

namespace {

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
        return parser.parse(args) && parser.positionalArguments().isEmpty();
    }
};

void Print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

QString HelpText(const Options& o)
{
    QString text = QStringLiteral("Uso: tintaro [opción]\n\nTintaro, selector de colores (para "
                                  "páginas web). Sin opciones abre su ventana.\n\nOpciones:\n");
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

std::optional<int> BeforeApplication(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    Options o;
    o.Parse(args); // Qt's own options are not known yet: ignore what is unknown
    if (o.parser.isSet(o.help)) {
        Print(stdout, HelpText(o));
        return 0;
    }
    if (o.parser.isSet(o.version)) {
        Print(stdout, QStringLiteral("Tintaro %1.%2.%3\n")
                          .arg(kVersionMajor)
                          .arg(kVersionMinor)
                          .arg(kVersionRevision));
        return 0;
    }
    return std::nullopt;
}

std::optional<int> AfterApplication()
{
    Options o;
    if (!o.Parse(QCoreApplication::arguments())) {
        const QStringList wrong = o.parser.unknownOptionNames() + o.parser.positionalArguments();
        Print(stderr, QStringLiteral("tintaro: no se entiende «%1».\nPruebe «tintaro --help».\n")
                          .arg(wrong.join(QStringLiteral(" "))));
        return 2;
    }
    if (!o.parser.isSet(o.pick)) {
        return std::nullopt;
    }
    QGuiApplication::setQuitOnLastWindowClosed(false);
    ScreenPicker picker;
    QObject::connect(&picker, &ScreenPicker::Picked, [](const QColor& c) {
        Print(stdout, WebColour::CssHex(c.red(), c.green(), c.blue()) + QLatin1Char('\n'));
        QCoreApplication::exit(0);
    });
    QObject::connect(&picker, &ScreenPicker::Cancelled, [] { QCoreApplication::exit(1); });
    QObject::connect(&picker, &ScreenPicker::Failed, [](const QString& reason) {
        Print(stderr, QStringLiteral("tintaro: ") + reason + QLatin1Char('\n'));
        QCoreApplication::exit(2);
    });
    picker.Start();
    return QCoreApplication::exec();
}

} // namespace CommandLine
