// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"
#include "CommandLine.h"
#include "Commands.h"
#include "MainColor.h"
#include "MemoryFileLocation.h"
#include "StandardStreams.h"
#include "Translations.h"
#include "Version.h"
#include "WindowFonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    StandardStreams::OpenMissing();
    CloseOnSignals::IgnoreWriteSignals();
    const CommandLine::Request request = CommandLine::Read(argc, argv);
    if (request.exitStatus) {
        return *request.exitStatus;
    }
    if (request.action == CommandLine::Action::Convert) {
        return Commands::Convert(request.values.value(0), request.format, request.clip);
    }
    if (request.action == CommandLine::Action::Scale) {
        return Commands::Scale(request.values.value(0), request.values.value(1),
                               request.values.value(2));
    }
    if (request.action == CommandLine::Action::Contrast) {
        return Commands::Contrast(request.values.value(0), request.values.value(1));
    }
    if (request.action == CommandLine::Action::Export ||
        request.action == CommandLine::Action::Import) {
        // The memory file's place needs the program's path and name, no display.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Tintaro"));
        return request.action == CommandLine::Action::Export
                   ? Commands::Export(request.values.value(0), request.values.value(1))
                   : Commands::Import(request.values.value(0));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    // Docks and task switchers match the window to its launcher by this id
    // on Wayland, and by the window class "Tintaro" (StartupWMClass) on X11.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopId));
    InstallSpanishTranslations(app);
    // Every control uses the window font: making it the default spares
    // loading a font file that nothing shows.
    QApplication::setFont(TahomaFont());
    if (request.action == CommandLine::Action::Pick) {
        return Commands::Pick(request.format);
    }

    MainColor window;
    if (!window.Form_Load(MemoryFileLocation::MemoryFilePath())) {
        return 0; // another copy runs: end without showing or saving anything
    }
    // Installed only once this copy owns the memory file.
    CloseOnSignals closeOnSignals(&window);
    QObject::connect(&closeOnSignals, &CloseOnSignals::Closing, &window,
                     &MainColor::SetCloseUnattended);
    window.show(); // Form_Load has placed it
    const int status = QApplication::exec();
    return status != 0 ? status : (window.ListSaved() ? 0 : 1);
}
