#include "MainColor.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintaro"));

    MainColor window;
    window.CentreOnScreen();
    window.show();
    return QApplication::exec();
}
