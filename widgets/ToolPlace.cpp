// SPDX-License-Identifier: MIT
#include "ToolPlace.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Room left between two windows.
constexpr int Gap = 8;

// place moved the least that brings it inside room; from room's top left
// along a side where it is too big.
QRect Inside(QRect place, const QRect& room)
{
    place.moveLeft(qMax(room.left(), qMin(place.left(), room.right() - place.width() + 1)));
    place.moveTop(qMax(room.top(), qMin(place.top(), room.bottom() - place.height() + 1)));
    return place;
}

// The places beside by: right and left of it (top edges level), then below
// and above it (left edges level), each slid along that edge into room. A
// place that would leave between itself and the screen's edge a strip too
// narrow for another window of its size goes to that edge instead: the
// strip then lies against by, where a window below or above by may use it.
QList<QRect> Around(const QRect& by, QSize size, const QRect& room)
{
    QRect right(QPoint(by.right() + 1 + Gap, by.top()), size);
    QRect left(QPoint(by.left() - Gap - size.width(), by.top()), size);
    QRect below(QPoint(by.left(), by.bottom() + 1 + Gap), size);
    QRect above(QPoint(by.left(), by.top() - Gap - size.height()), size);
    const auto narrow = [](int strip, int extent) { return strip > 0 && strip < extent; };
    if (narrow(room.right() - right.right(), size.width()))
        right.moveRight(room.right());
    if (narrow(left.left() - room.left(), size.width()))
        left.moveLeft(room.left());
    if (narrow(room.bottom() - below.bottom(), size.height()))
        below.moveBottom(room.bottom());
    if (narrow(above.top() - room.top(), size.height()))
        above.moveTop(room.top());
    const auto slideDown = [&room](QRect r) {
        r.moveTop(Inside(r, room).top());
        return r;
    };
    const auto slideAcross = [&room](QRect r) {
        r.moveLeft(Inside(r, room).left());
        return r;
    };
    return {slideDown(right), slideDown(left), slideAcross(below), slideAcross(above)};
}

// How much of the windows place covers.
qint64 Covered(const QRect& place, const QList<QRect>& windows)
{
    qint64 area = 0;
    for (const QRect& window : windows) {
        const QRect both = place & window;
        area += qint64(both.width()) * both.height();
    }
    return area;
}

} // namespace

QRect ToolPlace(QSize size, const QRect& owner, const QList<QRect>& others, const QRect& room)
{
    const QList<QRect> windows = QList<QRect>{owner} + others;
    // Beside the owner first, then beside each other window.
    QList<QRect> places;
    for (const QRect& window : windows) {
        places += Around(window, size, room);
    }
    // Then every place whose edges meet a screen edge or a window's edge,
    // nearest the owner first.
    QList<int> xs = {room.left(), room.right() - size.width() + 1};
    QList<int> ys = {room.top(), room.bottom() - size.height() + 1};
    for (const QRect& window : windows) {
        xs << window.right() + 1 + Gap << window.left() - Gap - size.width();
        ys << window.bottom() + 1 + Gap << window.top() - Gap - size.height();
    }
    QList<QRect> grid;
    for (int x : xs) {
        for (int y : ys) {
            grid << Inside(QRect(QPoint(x, y), size), room);
        }
    }
    const auto distance = [&owner](const QRect& r) {
        return (r.center() - owner.center()).manhattanLength();
    };
    std::stable_sort(grid.begin(), grid.end(), [&distance](const QRect& a, const QRect& b) {
        return distance(a) < distance(b);
    });
    places += grid;

    for (const QRect& place : std::as_const(places)) {
        if (room.contains(place) && Covered(place, windows) == 0) {
            return place;
        }
    }
    // Nowhere free: on the screen, over as little of the other tool windows
    // as can be, then over as little of the owner.
    QRect best = Inside(places.front(), room);
    std::pair least(std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max());
    for (const QRect& place : std::as_const(places)) {
        const QRect inside = Inside(place, room);
        const std::pair covered(Covered(inside, others), Covered(inside, {owner}));
        if (covered < least) {
            least = covered;
            best = inside;
        }
    }
    return best;
}
