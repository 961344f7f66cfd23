// SPDX-License-Identifier: MIT
#include "PickMode.h"

#include "FrozenScreenWindow.h"
#include "PickMagnifier.h"
#include "SharedMemoryCapture.h"
#include "X11Pointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <memory>

namespace {

// A screen's place among all the screens' pixels (see FrozenScreen).
QRect NativePixels(const QScreen& screen)
{
    const QRect geometry = screen.geometry();
    const double ratio = screen.devicePixelRatio();
    return {geometry.topLeft(),
            QSize(qRound(geometry.width() * ratio), qRound(geometry.height() * ratio))};
}

} // namespace

PickMode::PickMode(QObject* parent) : PickJob(parent) {}

PickMode::~PickMode()
{
    delete m_magnifier;
    qDeleteAll(m_windows);
}

void PickMode::Start()
{
    if (!m_windows.empty()) {
        return;
    }
    // Every screen is read before any window covers one and kept as it
    // comes: at a large size each copy or conversion costs a screenful of
    // memory and time. Where the display offers shared memory, the server
    // keeps the screens' pictures and shows them itself, and each picture
    // here is that memory itself; elsewhere each screen is read through Qt.
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<QRect> areas;
    for (const QScreen* screen : screens) {
        areas.push_back(NativePixels(*screen));
    }
    const std::optional<SharedMemoryCapture> shared = SharedMemoryCapture::Open();
    std::vector<SharedMemoryCapture::Picture> grabbed =
        shared ? shared->Grab(areas) : std::vector<SharedMemoryCapture::Picture>();
    auto frozen = std::make_shared<std::vector<FrozenScreen>>();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        QScreen* screen = screens[i];
        const QSize size = screen->geometry().size();
        const bool held = !grabbed.empty();
        // Set while this is the image's only copy, which is not copied then.
        QImage picture = held ? std::move(grabbed[i].image) : QImage();
        picture.setDevicePixelRatio(screen->devicePixelRatio());
        if (picture.isNull()) {
            picture = screen->grabWindow(0, 0, 0, size.width(), size.height()).toImage();
        }
        if (picture.isNull()) { // GCOVR_EXCL_BR_LINE: Qt reads every screen it lists
            // GCOVR_EXCL_START: only a display lost mid-pick gives no picture
            emit Failed(
                QStringLiteral("No se pudo leer la imagen de la pantalla %1.").arg(screen->name()));
            return;
            // GCOVR_EXCL_STOP
        }
        frozen->push_back({screen, std::move(picture), held ? grabbed[i].pixmap : 0});
    }
    if (frozen->empty()) { // GCOVR_EXCL_BR_LINE: Qt always lists a screen
        // GCOVR_EXCL_START: Qt always lists a screen
        emit Failed(QStringLiteral("No hay ninguna pantalla de la que tomar un color."));
        return;
        // GCOVR_EXCL_STOP
    }
    m_frozen = frozen;
    QWindow* keys = nullptr;
    for (const FrozenScreen& screen : *frozen) {
        auto* window = new FrozenScreenWindow(screen);
        connect(window, &FrozenScreenWindow::PointerAt, this, [this, &screen](QPointF local) {
            if (m_magnifier != nullptr) { // not once the pick has ended
                m_magnifier->Follow(screen, local);
            }
        });
        connect(window, &FrozenScreenWindow::Released, this,
                [this, &screen](Qt::MouseButton button, QPointF local) {
                    if (m_windows.empty()) {
                        return; // a click on a window already closing
                    }
                    if (button == Qt::LeftButton) {
                        Finish(screen.picture.pixelColor(screen.PixelAt(local)));
                    } else if (button == Qt::RightButton) {
                        Finish(std::nullopt);
                    }
                });
        m_windows.push_back(window);
        window->show();
        if (keys == nullptr || screen.screen == QGuiApplication::screenAt(QCursor::pos())) {
            keys = window;
        }
    }
    // Shown after the screens' windows, so above them.
    m_magnifier = new PickMagnifier(frozen);
    for (const FrozenScreen& screen : *frozen) {
        const QPoint pointer = QCursor::pos(screen.screen) - screen.screen->geometry().topLeft();
        if (QRect(QPoint(0, 0), screen.screen->geometry().size()).contains(pointer)) {
            m_magnifier->Follow(screen, pointer);
        }
    }
    // The windows bypass the window manager, so nobody gives them the
    // keyboard: take it, for Esc. Qt hands the keys to the window that had
    // the focus, so they are caught before any window sees them.
    keys->setKeyboardGrabEnabled(true);
    QCoreApplication::instance()->installEventFilter(this);
}

bool PickMode::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        Key(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        return true;
    default:
        return PickJob::eventFilter(watched, event);
    }
}

void PickMode::Key(const QKeyEvent& key)
{
    const int step = key.modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    switch (key.key()) {
    case Qt::Key_Escape:
        Finish(std::nullopt);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const std::optional<QColor> colour = ColourUnderPointer()) {
            Finish(colour);
        }
        break;
    case Qt::Key_Left:
        MovePointer({-step, 0});
        break;
    case Qt::Key_Right:
        MovePointer({step, 0});
        break;
    case Qt::Key_Up:
        MovePointer({0, -step});
        break;
    case Qt::Key_Down:
        MovePointer({0, step});
        break;
    default:
        break;
    }
}

// The windows follow the pointer as they do the mouse: the magnifier moves.
void PickMode::MovePointer(QPoint pixels)
{
    if (!X11Pointer::MoveBy(pixels)) {
        const QPoint at = QCursor::pos();
        QCursor::setPos(QGuiApplication::screenAt(at), at + pixels);
    }
}

std::optional<QColor> PickMode::ColourUnderPointer() const
{
    // Asked of the display, not taken from the last pointer event, which may
    // not have come yet after a move of the keys just before.
    std::optional<QPoint> at = X11Pointer::Position();
    if (!at) {
        const QPoint logical = QCursor::pos();
        if (const QScreen* screen = QGuiApplication::screenAt(logical)) {
            const QPoint corner = screen->geometry().topLeft();
            at = corner + (logical - corner) * screen->devicePixelRatio();
        }
    }
    for (const FrozenScreen& frozen : *m_frozen) {
        if (at && frozen.Pixels().contains(*at)) {
            return frozen.picture.pixelColor(*at - frozen.Pixels().topLeft());
        }
    }
    return std::nullopt;
}

void PickMode::Finish(std::optional<QColor> colour)
{
    if (m_windows.empty()) { // GCOVR_EXCL_BR_LINE: clicks are guarded, keys no longer come
        return; // GCOVR_EXCL_LINE: clicks are guarded, and keys no longer come once it ends
    }
    QCoreApplication::instance()->removeEventFilter(this);
    // The windows are still in their own event handlers: delete them later.
    for (QWindow* window : m_windows) {
        window->setKeyboardGrabEnabled(false);
        window->hide();
        window->deleteLater();
    }
    m_windows.clear();
    m_magnifier->hide();
    m_magnifier->deleteLater();
    m_magnifier = nullptr;
    m_frozen.reset();
    if (colour) {
        emit Picked(*colour);
    } else {
        emit Cancelled();
    }
}
