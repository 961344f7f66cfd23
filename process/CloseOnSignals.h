// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C in a terminal)
// into a normal close of the main window, so the memory list is saved. The
// signal handler only writes a byte into a socket pair, never waiting; the
// close runs in the event loop when the byte arrives. A signal the parent
// process set to be ignored (nohup) stays ignored. Does nothing where these
// signals do not exist.
class CloseOnSignals : public QObject
{
    Q_OBJECT
public:
    explicit CloseOnSignals(QWidget* window);
    ~CloseOnSignals() override;

    // A write to a closed pipe (stderr of a finished terminal) or past the
    // file size limit must fail with an error, not end the program.
    static void IgnoreWriteSignals();

signals:
    // A signal arrived: the window is closed right after, with nobody there
    // to answer a question.
    void Closing();

private:
    void CloseWindow();

    QPointer<QWidget> m_window;
    QSocketNotifier* m_notifier = nullptr;
};
