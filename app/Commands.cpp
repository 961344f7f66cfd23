// SPDX-License-Identifier: MIT
#include "Commands.h"

#include "ContrastLine.h"
#include "CssColourReader.h"
#include "ScreenPicker.h"
#include "StandardStreams.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

namespace Commands {

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

int Pick(Colour::CssFormat format)
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    ScreenPicker picker;
    QObject::connect(&picker, &ScreenPicker::Picked, [format](const QColor& c) {
        QCoreApplication::exit(Print(
            Colour::WriteCssColour({c.red(), c.green(), c.blue()}, format) + QLatin1Char('\n')));
    });
    QObject::connect(&picker, &ScreenPicker::Cancelled, [] { QCoreApplication::exit(1); });
    QObject::connect(&picker, &ScreenPicker::Failed, [](const QString& reason) {
        QCoreApplication::exit(Fail(2, reason + QLatin1Char('\n')));
    });
    picker.Start();
    return QCoreApplication::exec();
}

int Convert(const QString& colour, Colour::CssFormat format)
{
    if (colour != u'-') {
        const Colour::CssReadResult read = Colour::ReadCssColour(colour);
        if (!read.ok) {
            return Fail(2, read.error + QLatin1Char('\n'));
        }
        return Print(Colour::WriteCssColour(read.colour, format) + QLatin1Char('\n'));
    }
    // One colour a line; a line that is none leaves an empty line, so that
    // the output's lines stay beside the input's.
    bool allRead = true;
    QTextStream input(stdin);
    QString line;
    for (qint64 number = 1; input.readLineInto(&line); ++number) {
        const Colour::CssReadResult read = Colour::ReadCssColour(line);
        if (!read.ok) {
            allRead = false;
            Fail(2, QStringLiteral("línea %1: %2\n").arg(number).arg(read.error));
        }
        if (Print(read.ok ? Colour::WriteCssColour(read.colour, format) + QLatin1Char('\n')
                          : QStringLiteral("\n")) != 0) {
            return 2;
        }
    }
    return allRead ? 0 : 2;
}

int Contrast(const QString& text, const QString& background)
{
    const Colour::CssReadResult first = Colour::ReadCssColour(text);
    const Colour::CssReadResult second = Colour::ReadCssColour(background);
    for (const Colour::CssReadResult* read : {&first, &second}) {
        if (!read->ok) {
            return Fail(2, read->error + QLatin1Char('\n'));
        }
    }
    const ContrastLine::Report report = ContrastLine::Describe(first.colour, second.colour);
    const int written = Print(report.line + QLatin1Char('\n'));
    return written != 0 ? written : (report.normalTextAa ? 0 : 1);
}

} // namespace Commands
