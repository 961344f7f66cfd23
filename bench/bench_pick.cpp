// SPDX-License-Identifier: MIT
// bench_pick: time from the start of the pick mode (every screen read and
// covered) to the end of its first paint, magnifier included, and of the X
// server's work up to then (the screens shown); 20 runs. Run it on an X
// display (see README.md).
#include "PickMode.h"
#include "X11Pointer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

// Sees each paint of a pick window; that paint is over once the event loop
// turn that delivered it returns.
struct PaintSeen : QObject
{
    bool seen = false;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        seen |= e->type() == QEvent::Paint && o->objectName().startsWith("Pick");
        return false;
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PaintSeen paint;
    app.installEventFilter(&paint);
    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        PickMode mode;
        paint.seen = false;
        QElapsedTimer clock;
        clock.start();
        mode.Start();
        while (!paint.seen) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        X11Pointer::Position(); // answered once the server has done all asked before
        ms.push_back(clock.nsecsElapsed() / 1e6);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&app, &esc); // ends the pick mode
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("pick mode to its first painted magnifier: median %.1f ms (%.1f-%.1f)\n", ms[10],
                ms.front(), ms.back());
}
