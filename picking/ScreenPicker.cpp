// SPDX-License-Identifier: MIT
#include "ScreenPicker.h"

#include "PickMode.h"
#ifdef TINTARO_HAVE_PORTAL
#include "PortalPicker.h"
#endif

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace {

bool UsesPortal()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

#ifndef TINTARO_HAVE_PORTAL
// Where the program was built without D-Bus, Wayland gives no way to pick.
class NoPortal : public PickJob
{
public:
    using PickJob::PickJob;
    void Start() override
    {
        emit Failed(QStringLiteral("Este programa se ha compilado sin D-Bus: no puede tomar "
                                   "colores de la pantalla en Wayland."));
    }
};
#endif

} // namespace

ScreenPicker::ScreenPicker(QWidget* window, QObject* parent) : QObject(parent), m_window(window) {}

PickJob* ScreenPicker::MakeJob()
{
    if (!UsesPortal()) {
        return new PickMode(this);
    }
#ifdef TINTARO_HAVE_PORTAL
    QString parent;
    if (m_window && QGuiApplication::platformName() == QLatin1String("xcb")) {
        parent = QStringLiteral("x11:%1").arg(m_window->winId(), 0, 16);
    }
    return new PortalPicker(parent, this);
#else
    return new NoPortal(this);
#endif
}

void ScreenPicker::Start()
{
    if (m_job) {
        return;
    }
    PickJob* job = MakeJob();
    m_job = job;
    // Whichever way it ends, the job goes, and the next Start makes a new one.
    const auto done = [job] { job->deleteLater(); };
    connect(job, &PickJob::Picked, this, &ScreenPicker::Picked);
    connect(job, &PickJob::Cancelled, this, &ScreenPicker::Cancelled);
    connect(job, &PickJob::Failed, this, &ScreenPicker::Failed);
    connect(job, &PickJob::Picked, job, done);
    connect(job, &PickJob::Cancelled, job, done);
    connect(job, &PickJob::Failed, job, done);
    // Begun from the event loop, so no signal comes from inside Start.
    QTimer::singleShot(0, job, &PickJob::Start);
}
