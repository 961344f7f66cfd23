#include "CloseOnSignals.h"
#include "MainColor.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    InstallSpanishTranslations(app);

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
