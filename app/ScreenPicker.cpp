// SPDX-License-Identifier: MIT
#include "ScreenPicker.h"

#include "PickMode.h"
#ifdef TINTARO_HAVE_PORTAL
#include "PortalPicker.h"
#endif

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

ScreenPicker::ScreenPicker(QWidget* window, QObject* parent) : QObject(parent), m_window(window) {}

bool ScreenPicker::UsesPortal()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void ScreenPicker::Start()
{
    if (m_job) {
        return;
    }
    // A placeholder marks the pick as under way until it has begun.
    m_job = new QObject(this);
    QTimer::singleShot(0, this, &ScreenPicker::Begin);
}

template <class Job> void ScreenPicker::Watch(Job* job)
{
    delete m_job;
    m_job = job;
    const auto done = [job] { job->deleteLater(); };
    connect(job, &Job::Picked, this, &ScreenPicker::Picked);
    connect(job, &Job::Cancelled, this, &ScreenPicker::Cancelled);
    connect(job, &Job::Failed, this, &ScreenPicker::Failed);
    connect(job, &Job::Picked, job, done);
    connect(job, &Job::Cancelled, job, done);
    connect(job, &Job::Failed, job, done);
}

void ScreenPicker::Begin()
{
    if (!UsesPortal()) {
        auto* mode = new PickMode(this);
        Watch(mode);
        mode->Start();
        return;
    }
#ifdef TINTARO_HAVE_PORTAL
    auto* portal = new PortalPicker(this);
    Watch(portal);
    QString parent;
    if (m_window && QGuiApplication::platformName() == QLatin1String("xcb")) {
        parent = QStringLiteral("x11:%1").arg(m_window->winId(), 0, 16);
    }
    portal->Start(parent);
#else
    delete m_job;
    emit Failed(QStringLiteral("Este programa se ha compilado sin D-Bus: no puede tomar colores "
                               "de la pantalla en Wayland."));
#endif
}
