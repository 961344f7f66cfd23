// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class PickJob;
class QWidget;

// Takes one colour from anywhere on the screen the way the desktop allows:
// the pick mode where the program may read the screen (X11), the desktop
// portal on Wayland, where it may not (there, and under XWayland, grabs of
// other programs' windows come back black). Nothing is set up before Start.
class ScreenPicker : public QObject
{
    Q_OBJECT
public:
    // window: the window the portal's picking tool belongs to (may be null).
    explicit ScreenPicker(QWidget* window = nullptr, QObject* parent = nullptr);

    // Starts picking unless a pick is already under way. Ends with exactly
    // one of the signals below, never from inside Start.
    void Start();

signals:
    void Picked(const QColor& colour);
    void Cancelled();
    void Failed(const QString& reason);

private:
    // The way of picking this desktop allows.
    PickJob* MakeJob();

    QPointer<QWidget> m_window;
    QPointer<PickJob> m_job; // the pick under way, if any
};
