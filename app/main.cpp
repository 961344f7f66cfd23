// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"
#include "CommandLine.h"
#include "MainColor.h"
#include "Translations.h"
#include "WindowFonts.h"

#include <QApplication>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

int main(int argc, char* argv[])
{
#ifdef Q_OS_UNIX
    // Past a file-size limit a write should fail with an error the program
    // reports, not kill it: the default action of SIGXFSZ ends the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (const auto status = CommandLine::BeforeApplication(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    InstallSpanishTranslations(app);
    // Every control uses the window font: making it the default spares
    // loading a font file that nothing shows.
    QApplication::setFont(TahomaFont());
    if (const auto status = CommandLine::AfterApplication()) {
        return *status;
    }

    MainColor window;
    if (!window.Form_Load()) {
        return 0; // another copy runs: end without showing or saving anything
    }
    // Installed only once this copy owns the memory file.
    CloseOnSignals closeOnSignals(&window);
    window.CentreOnScreen();
    window.show();
    return QApplication::exec();
}
