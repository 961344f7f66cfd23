// SPDX-License-Identifier: MIT
#include "WindowLook.h"

#include "ToolPlace.h"
#include "Twips.h"
#include "WindowFonts.h"

#include <QApplication>
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
    // Where the user moved it stays its place for the run; a window left
    // where it was put is placed afresh, beside the owner where it is now.
    const QVariant placedAt = window->property("placedAt");
    if (!window->isVisible() && (!placedAt.isValid() || placedAt.toPoint() == window->pos())) {
        // Sized now as showing it would size it, so that it is placed whole.
        if (!window->testAttribute(Qt::WA_Resized)) {
            window->adjustSize();
        }
        // A window never shown has no frame yet: it gets the owner's.
        const QRect frame = owner->frameGeometry();
        const QSize size = window->size() + frame.size() - owner->size();
        QList<QRect> others;
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = other->windowType();
            if (other != window && other != owner && other->isVisible() &&
                (type == Qt::Window || type == Qt::Dialog)) {
                others << other->frameGeometry();
            }
        }
        const QScreen* screen = owner->screen();
        const QRect room = screen != nullptr ? screen->availableGeometry() : frame;
        const QPoint at = ToolPlace(size, frame, others, room).topLeft();
        window->move(at);
        window->setProperty("placedAt", at);
    }
    if (!window->isVisible()) {
        window->show();
    }
    window->raise();
    window->activateWindow();
}
