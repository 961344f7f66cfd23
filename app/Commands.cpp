// SPDX-License-Identifier: MIT
#include "Commands.h"

#include "ContrastLine.h"
#include "CssColourReader.h"
#include "IO_System.h"
#include "LineCodec.h"
#include "LineInput.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "NamesFile.h"
#include "PaletteExport.h"
#include "PaletteImport.h"
#include "PaletteMerge.h"
#include "PaletteNames.h"
#include "SafeFile.h"
#include "ScalePalette.h"
#include "ScreenPicker.h"
#include "SingleCopyGuard.h"
#include "StandardStreams.h"
#include "SystemError.h"
#include "UntrustedText.h"

#include <QCoreApplication>
#include <QGuiApplication>

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
    // A message may carry text from outside (a file name, a line of a
    // palette): nothing of it may reach the terminal as a control.
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = UntrustedText::Escaped(line);
    StandardStreams::Write(stderr, QStringLiteral("tintaro: ") + lines.join(u'\n'));
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

int Convert(const QString& colour, Colour::CssFormat format, bool clip)
{
    const auto chosen = [clip](const Colour::CssColour& read) {
        return clip ? read.Clipped() : read.colour;
    };
    if (colour != u'-') {
        const Outcome<Colour::CssColour> read = Colour::ReadCssColour(colour);
        if (!read) {
            return Fail(2, read.Reason() + QLatin1Char('\n'));
        }
        return Print(Colour::WriteCssColour(chosen(*read), format) + QLatin1Char('\n'));
    }
    // One colour a line; a line that is none leaves an empty line, so that
    // the output's lines stay beside the input's. A line is never held
    // whole: the reader refuses any longer than MaxCssColourLength anyway.
    bool allRead = true;
    LineInput input(0 /* standard input */, 4 * (Colour::MaxCssColourLength + 1));
    QByteArray bytes;
    for (qint64 number = 1;; ++number) {
        const LineInput::Status status = input.Next(bytes);
        if (status == LineInput::Status::End) {
            break;
        }
        if (status == LineInput::Status::Failed) {
            return Fail(2, QStringLiteral("no se pudo leer la entrada estándar: %1.\n")
                               .arg(SystemError::Text(input.Error())));
        }
        const Outcome<Colour::CssColour> read =
            status == LineInput::Status::TooLong
                ? Failed(Colour::TooLongText())
                : Colour::ReadCssColour(LineCodec::DecodeLine(bytes));
        if (!read) {
            allRead = false;
            Fail(2, QStringLiteral("línea %1: %2\n").arg(number).arg(read.Reason()));
        }
        if (Print(read ? Colour::WriteCssColour(chosen(*read), format) + QLatin1Char('\n')
                       : QStringLiteral("\n")) != 0) {
            return 2;
        }
    }
    return allRead ? 0 : 2;
}

int Contrast(const QString& text, const QString& background)
{
    const Outcome<Colour::CssColour> first = Colour::ReadCssColour(text);
    const Outcome<Colour::CssColour> second = Colour::ReadCssColour(background);
    // Which of the two could not be read: the text, or the background it lies on.
    if (!first) {
        return Fail(2, QStringLiteral("TEXTO: ") + first.Reason() + QLatin1Char('\n'));
    }
    if (!second) {
        return Fail(2, QStringLiteral("FONDO: ") + second.Reason() + QLatin1Char('\n'));
    }
    const ContrastLine::Report report = ContrastLine::Describe(first->colour, second->colour);
    const int written = Print(report.line + QLatin1Char('\n'));
    return written != 0 ? written : (report.normalTextAa ? 0 : 1);
}

int Export(const QString& formatName, const QString& file)
{
    const auto format = PaletteFormatFromName(formatName);
    if (!format) {
        return Fail(2, UnknownPaletteFormatText(formatName) + QLatin1Char('\n'));
    }
    // The list the window would show, read as it would read it; nothing is
    // locked or written.
    const QString path = MemoryFileLocation::MemoryFilePath();
    QStringList entries;
    if (const Outcome<QByteArray> read = IO_System::ReadMemoryFile(path, entries); !read) {
        return Fail(2,
                    IO_System::UnreadableText(FileFailure::Layout::Line,
                                              MemoryFileLocation::ForDisplay(path), read.Reason()) +
                        QLatin1Char('\n'));
    }
    // An empty palette is refused rather than written: the window offers no
    // export of an empty list either.
    if (entries.isEmpty()) {
        return Fail(2, QStringLiteral("la memoria está vacía: no hay colores que exportar "
                                      "(guarde alguno con «Guardar» o «--import»).\n"));
    }
    // The names beside it, as far as they can be read: a names file that
    // cannot be read leaves every colour its derived name.
    const Outcome<std::optional<QByteArray>> namesFile = SafeFile::Read(NamesFile::PathFor(path));
    const NamesFile::Names names =
        namesFile ? NamesFile::Parse(namesFile->value_or(QByteArray())) : NamesFile::Names();
    if (!file.isEmpty() && file != u'-') {
        const Outcome<> exported = PaletteExport::ExportToFile(file, *format, entries, path, names);
        return exported ? 0
                        : Fail(2, PaletteExport::FailureText(FileFailure::Layout::Line, file,
                                                             exported.Reason()) +
                                      QLatin1Char('\n'));
    }
    return Print(QString::fromUtf8(PaletteExport::ExportBytes(*format, entries, names)));
}

int Import(const QString& file)
{
    const QString path = MemoryFileLocation::MemoryFilePath();
    SingleCopyGuard guard(path);
    if (guard.TryAcquire() == SingleCopyGuard::Result::Running) {
        return Fail(2, QStringLiteral("Tintaro está abierto con esta lista: importe la paleta "
                                      "desde su ventana (menú de la memoria).\n"));
    }
    const Outcome<ImportedPalette> palette = PaletteImport::ImportFromFile(file, path);
    if (!palette) {
        return Fail(2,
                    PaletteImport::FailureText(FileFailure::Layout::Line, file, palette.Reason()) +
                        QLatin1Char('\n'));
    }
    MemoryListModel list;
    list.SetNamer(PaletteNames::DerivedForEntry, PaletteNames::DerivedOwner);
    MemoryStore store(list);
    if (const Outcome<> loaded = store.Load(path); !loaded) {
        return Fail(2, IO_System::UnreadableText(FileFailure::Layout::Line,
                                                 MemoryFileLocation::ForDisplay(path),
                                                 loaded.Reason()) +
                           QLatin1Char('\n'));
    }
    const Outcome<StoreChange> merged = store.Merge(palette->codes, palette->names);
    if (!merged) {
        return Fail(2, merged.Reason() + QLatin1Char('\n'));
    }
    return Print(palette->note + PaletteMerge::MergeMessage(merged->added, merged->skipped) +
                 QLatin1Char('\n'));
}

int Scale(const QString& colour, const QString& name, const QString& formatName)
{
    const Outcome<Colour::CssColour> read = Colour::ReadCssColour(colour);
    if (!read) {
        return Fail(2, read.Reason() + QLatin1Char('\n'));
    }
    const auto format = formatName.isEmpty() ? std::optional(PaletteFormat::Tailwind)
                                             : PaletteFormatFromName(formatName);
    if (!format) {
        return Fail(2, UnknownPaletteFormatText(formatName) + QLatin1Char('\n'));
    }
    const Outcome<QString> checked =
        ScalePalette::CheckedName(name.isEmpty() ? ScalePalette::DefaultName(read->colour) : name);
    if (!checked) {
        return Fail(2, checked.Reason() + QLatin1Char('\n'));
    }
    return Print(QString::fromUtf8(PaletteExport::ColoursBytes(
        *format, ScalePalette::Steps(read->colour, *checked), *checked)));
}

} // namespace Commands
