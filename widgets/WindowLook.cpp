// SPDX-License-Identifier: MIT
#include "WindowLook.h"

#include "Twips.h"
#include "WindowFonts.h"

#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

// The program icon in all its sizes.
QIcon ProgramIcon()
{
    // Read as PNG outright: letting Qt detect the format would load every
    // image plugin, a noticeable part of the time to the first window.
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QImageReader reader(QStringLiteral(":/icons/tintaro-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace

void SetUpWindow(QWidget* window, const char* name, const QString& title)
{
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(title);
    window->setFont(TahomaFont());
    window->setBackgroundRole(QPalette::Button);
    window->setAutoFillBackground(true);
}

void SetUpFixedWindow(QWidget* window, const char* name, const QString& title, int widthTwips,
                      int heightTwips)
{
    SetUpWindow(window, name, title);
    window->setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
    // Set once the window is on its way to the screen: decoding the icons
    // is not needed to show the window.
    QTimer::singleShot(0, window, [window] { window->setWindowIcon(ProgramIcon()); });
}

QLabel* AddSizedLabel(QWidget* parent, const char* name, const QString& text, const QPoint& topLeft,
                      const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    // Over a button-face background Qt would pick the button text colour.
    label->setForegroundRole(QPalette::WindowText);
    label->move(topLeft);
    label->adjustSize();
    return label;
}

void PlaceBeside(QWidget* window, const QWidget* owner)
{
    if (!window->isVisible()) {
        const QRect frame = owner->frameGeometry();
        QRect place(frame.topRight() + QPoint(8, 0), window->size());
        if (const QScreen* screen = owner->screen(); screen != nullptr) {
            const QRect room = screen->availableGeometry();
            if (place.right() > room.right()) {
                place.moveRight(frame.left() - 8);
            }
            place.moveLeft(qMax(place.left(), room.left()));
            // Top-aligned on a screen too short for the window.
            place.moveTop(qMax(room.top(), qMin(place.top(), room.bottom() - place.height())));
        }
        window->move(place.topLeft());
        window->show();
    }
    window->raise();
    window->activateWindow();
}
