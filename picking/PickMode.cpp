// SPDX-License-Identifier: MIT
#include "PickMode.h"

#include "ColourAPI.h"
#include "CssColourWriter.h"
#include "SharedMemoryCapture.h"
#include "X11Pointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <functional>
#include <memory>

// A screen's picture and where its pixels lie among all the screens' pixels.
// Qt 6 keeps each screen's top-left corner at its place in device pixels
// (only sizes are scaled), so the screens' pictures lie side by side there.
struct FrozenScreen
{
    QScreen* screen;
    QImage picture;
    QRect Pixels() const { return {screen->geometry().topLeft(), picture.size()}; }
};

namespace {

constexpr int Radius = 7; // the magnifier shows 15 x 15 pixels
constexpr int Cells = 2 * Radius + 1;
constexpr int Cell = 8;    // each drawn 8 x 8 (device-independent pixels)
constexpr int Offset = 20; // from the pointer to the magnifier

using FrozenScreens = std::shared_ptr<const std::vector<FrozenScreen>>;

// A screen's place among all the screens' pixels (see FrozenScreen).
QRect NativePixels(const QScreen& screen)
{
    const QRect geometry = screen.geometry();
    const double ratio = screen.devicePixelRatio();
    return {geometry.topLeft(),
            QSize(qRound(geometry.width() * ratio), qRound(geometry.height() * ratio))};
}

// A part of a picture over the same memory (base, its first pixel), which
// it keeps as long as it lives.
QImage PartOf(const QImage& whole, uchar* base, const QRect& part)
{
    return QImage(
        base + part.y() * whole.bytesPerLine() + part.x() * 4, part.width(), part.height(),
        whole.bytesPerLine(), whole.format(), [](void* held) { delete static_cast<QImage*>(held); },
        new QImage(whole));
}

// One screen, frozen, with the magnifier. Reports a click or a cancel to the
// pick mode, which closes every window.
class PickWindow : public QWidget
{
public:
    PickWindow(FrozenScreens all, size_t index, std::function<void(std::optional<QColor>)> done)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint),
          m_all(std::move(all)), m_frozen(m_all->at(index).picture),
          m_pixels(m_all->at(index).Pixels()), m_done(std::move(done))
    {
        QScreen* screen = m_all->at(index).screen;
        setObjectName(QStringLiteral("PickWindow"));
        setWindowTitle(QStringLiteral("Tintaro: tomar color"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        // Closing the main window ends the program even while picking.
        setAttribute(Qt::WA_QuitOnClose, false);
        setCursor(Qt::CrossCursor);
        setMouseTracking(true);
        setScreen(screen);
        setGeometry(screen->geometry());
        const QPoint pointer = mapFromGlobal(QCursor::pos(screen));
        m_inside = rect().contains(pointer);
        m_pointer = pointer;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(QPointF(0, 0), m_frozen);
        if (!m_inside) {
            return;
        }
        const QRect box = MagnifierRect();
        const QPoint centre = PixelAt(m_pointer);
        QImage cells(Cells, Cells, QImage::Format_RGB32);
        cells.fill(Qt::darkGray); // beyond every screen's edge
        for (int y = 0; y < Cells; ++y) {
            for (int x = 0; x < Cells; ++x) {
                const QPoint at = centre + QPoint(x - Radius, y - Radius);
                if (m_frozen.rect().contains(at)) {
                    cells.setPixel(x, y, m_frozen.pixel(at));
                    continue;
                }
                // Across this screen's edge, from the picture of the screen
                // there.
                const QPoint global = m_pixels.topLeft() + at;
                for (const FrozenScreen& other : *m_all) {
                    if (other.Pixels().contains(global)) {
                        cells.setPixel(x, y,
                                       other.picture.pixel(global - other.Pixels().topLeft()));
                        break;
                    }
                }
            }
        }
        p.fillRect(box, Qt::black);
        const QRect grid(box.left() + 1, box.top() + 1, Cells * Cell, Cells * Cell);
        p.drawImage(grid, cells); // without smoothing: sharp squares
        const QRect middle(grid.left() + Radius * Cell, grid.top() + Radius * Cell, Cell, Cell);
        p.setPen(Qt::black);
        p.drawRect(middle.adjusted(-1, -1, 0, 0));
        p.setPen(Qt::white);
        p.drawRect(middle.adjusted(0, 0, -1, -1));

        const QColor c = m_frozen.pixelColor(centre);
        const QRect label(grid.left(), grid.top() + grid.height() + 1, grid.width(),
                          box.bottom() - grid.bottom() - 2);
        p.fillRect(label, Qt::white);
        p.setPen(Qt::black);
        p.drawText(
            label, Qt::AlignCenter,
            ColourAPI::ComposeCode(static_cast<qint16>(c.red()), static_cast<qint16>(c.green()),
                                   static_cast<qint16>(c.blue())) +
                QStringLiteral("\nCSS ") +
                Colour::WriteCssColour({c.red(), c.green(), c.blue()}, Colour::CssFormat::Hex));
    }

    void mouseMoveEvent(QMouseEvent* event) override { MoveTo(event->position()); }
    void enterEvent(QEnterEvent* event) override { MoveTo(event->position()); }
    void leaveEvent(QEvent*) override
    {
        m_inside = false;
        update(MagnifierRect());
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            m_done(m_frozen.pixelColor(PixelAt(event->position())));
        } else if (event->button() == Qt::RightButton) {
            m_done(std::nullopt);
        }
    }

private:
    // The frozen picture's pixel under a point of the window. At a scale
    // above 1 the pointer's position has a fraction that picks the pixel.
    QPoint PixelAt(const QPointF& local) const
    {
        const double ratio = m_frozen.devicePixelRatio();
        const int x = static_cast<int>(std::floor(local.x() * ratio));
        const int y = static_cast<int>(std::floor(local.y() * ratio));
        return {std::clamp(x, 0, m_frozen.width() - 1), std::clamp(y, 0, m_frozen.height() - 1)};
    }

    // Below and right of the pointer, or on the other side near an edge.
    QRect MagnifierRect() const
    {
        const int side = Cells * Cell + 2;
        const QSize size(side, side + 2 * fontMetrics().height() + 6);
        const QPoint at = m_pointer.toPoint();
        int x = at.x() + Offset;
        int y = at.y() + Offset;
        if (x + size.width() > width()) {
            x = at.x() - Offset - size.width();
        }
        if (y + size.height() > height()) {
            y = at.y() - Offset - size.height();
        }
        return {QPoint(std::max(x, 0), std::max(y, 0)), size};
    }

    void MoveTo(const QPointF& local)
    {
        if (m_inside) {
            update(MagnifierRect());
        }
        m_inside = true;
        m_pointer = local;
        update(MagnifierRect());
    }

    FrozenScreens m_all;
    const QImage& m_frozen; // this window's screen
    QRect m_pixels;         // its place among all the screens' pixels
    std::function<void(std::optional<QColor>)> m_done;
    QPointF m_pointer;
    bool m_inside = false;
};

} // namespace

PickMode::PickMode(QObject* parent) : PickJob(parent) {}

PickMode::~PickMode()
{
    qDeleteAll(m_windows);
}

void PickMode::Start()
{
    if (!m_windows.empty()) {
        return;
    }
    // Every screen is read before any window covers one and kept as it
    // comes: at a large size each copy or conversion costs a screenful of
    // memory and time. Where the display offers shared memory, all the
    // screens come in one request and each picture is a part of that memory
    // itself; elsewhere each screen is read through Qt.
    QRect all;
    for (const QScreen* screen : QGuiApplication::screens()) {
        all |= NativePixels(*screen);
    }
    const std::optional<SharedMemoryCapture> shared = SharedMemoryCapture::Open();
    QImage whole = shared ? shared->Grab(all) : QImage();
    uchar* const base = whole.bits(); // before any copy shares it, or it would be copied
    auto frozen = std::make_shared<std::vector<FrozenScreen>>();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QSize size = screen->geometry().size();
        QImage picture =
            whole.isNull() ? QImage()
                           : PartOf(whole, base, NativePixels(*screen).translated(-all.topLeft()));
        picture.setDevicePixelRatio(screen->devicePixelRatio());
        if (picture.isNull()) {
            picture = screen->grabWindow(0, 0, 0, size.width(), size.height()).toImage();
        }
        if (picture.isNull()) {
            emit Failed(
                QStringLiteral("No se pudo leer la imagen de la pantalla %1.").arg(screen->name()));
            return;
        }
        frozen->push_back({screen, std::move(picture)});
    }
    if (frozen->empty()) {
        emit Failed(QStringLiteral("No hay ninguna pantalla de la que tomar un color."));
        return;
    }
    m_frozen = frozen;
    for (size_t i = 0; i < frozen->size(); ++i) {
        m_windows.push_back(
            new PickWindow(frozen, i, [this](std::optional<QColor> c) { Finish(c); }));
    }
    QWidget* keys = m_windows.front();
    for (QWidget* window : m_windows) {
        window->show();
        if (window->screen() == QGuiApplication::screenAt(QCursor::pos())) {
            keys = window;
        }
    }
    // The windows bypass the window manager, so nobody gives them the
    // keyboard: take it, for Esc. Qt hands the keys to the window that had
    // the focus, so they are caught before any window sees them.
    keys->grabKeyboard();
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
    if (m_windows.empty()) {
        return;
    }
    QCoreApplication::instance()->removeEventFilter(this);
    // The windows are still in their own event handlers: delete them later.
    for (QWidget* window : m_windows) {
        window->releaseKeyboard();
        window->hide();
        window->deleteLater();
    }
    m_windows.clear();
    m_frozen.reset();
    if (colour) {
        emit Picked(*colour);
    } else {
        emit Cancelled();
    }
}
