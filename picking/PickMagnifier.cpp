// SPDX-License-Identifier: MIT
#include "PickMagnifier.h"

#include "ColourAPI.h"
#include "CssColourWriter.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int Radius = 7; // the magnifier shows 15 x 15 pixels
constexpr int Cells = 2 * Radius + 1;
constexpr int Cell = 8;    // each drawn 8 x 8 (device-independent pixels)
constexpr int Offset = 20; // from the pointer to the magnifier

} // namespace

PickMagnifier::PickMagnifier(FrozenScreens all)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      m_all(std::move(all)), m_cells(Cells, Cells, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("PickMagnifier"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    const int side = Cells * Cell + 2;
    setFixedSize(side, side + 2 * fontMetrics().height() + 6);
}

void PickMagnifier::Follow(const FrozenScreen& frozen, QPointF local)
{
    const QPoint centre = frozen.PixelAt(local);
    m_centre = frozen.picture.pixelColor(centre);
    m_cells.fill(Qt::darkGray); // beyond every screen's edge
    for (int y = 0; y < Cells; ++y) {
        for (int x = 0; x < Cells; ++x) {
            const QPoint at = centre + QPoint(x - Radius, y - Radius);
            if (frozen.picture.rect().contains(at)) {
                m_cells.setPixel(x, y, frozen.picture.pixel(at));
                continue;
            }
            // Across this screen's edge, from the picture of the screen there.
            const QPoint global = frozen.Pixels().topLeft() + at;
            for (const FrozenScreen& other : *m_all) {
                if (other.Pixels().contains(global)) {
                    m_cells.setPixel(x, y, other.picture.pixel(global - other.Pixels().topLeft()));
                    break;
                }
            }
        }
    }
    const QRect screen = frozen.screen->geometry();
    const QPoint at = local.toPoint();
    int x = at.x() + Offset;
    int y = at.y() + Offset;
    if (x + width() > screen.width()) {
        x = at.x() - Offset - width();
    }
    if (y + height() > screen.height()) {
        y = at.y() - Offset - height();
    }
    move(screen.topLeft() + QPoint(std::max(x, 0), std::max(y, 0)));
    update();
    show();
}

void PickMagnifier::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QRect grid(1, 1, Cells * Cell, Cells * Cell);
    p.drawImage(grid, m_cells); // without smoothing: sharp squares
    const QRect middle(grid.left() + Radius * Cell, grid.top() + Radius * Cell, Cell, Cell);
    p.setPen(Qt::black);
    p.drawRect(middle.adjusted(-1, -1, 0, 0));
    p.setPen(Qt::white);
    p.drawRect(middle.adjusted(0, 0, -1, -1));

    const QColor& c = m_centre;
    const QRect label(grid.left(), grid.bottom() + 2, grid.width(), height() - grid.bottom() - 3);
    p.fillRect(label, Qt::white);
    p.setPen(Qt::black);
    p.drawText(label, Qt::AlignCenter,
               ColourAPI::ComposeCode(static_cast<qint16>(c.red()), static_cast<qint16>(c.green()),
                                      static_cast<qint16>(c.blue())) +
                   QStringLiteral("\nCSS ") +
                   Colour::WriteCssColour({c.red(), c.green(), c.blue()}, Colour::CssFormat::Hex));
}
