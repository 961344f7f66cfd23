// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C in a terminal)
// into a normal close of the main window, so the memory list is saved. The
// signal handler only writes a byte into a socket pair; the close runs in the
// event loop when the byte arrives. Does nothing where these signals do not
// exist.
class CloseOnSignals : public QObject
{
    Q_OBJECT
public:
    explicit CloseOnSignals(QWidget* window);
    ~CloseOnSignals() override;

private:
    void CloseWindow();

    QPointer<QWidget> m_window;
    QSocketNotifier* m_notifier = nullptr;
};
