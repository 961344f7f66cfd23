// SPDX-License-Identifier: MIT
#pragma once

#include "PickJob.h"

#include <QStringList>
#include <QTimer>

class QDBusMessage;

// Takes a colour from the screen through the desktop portal
// (org.freedesktop.portal.Screenshot.PickColor on the session bus), the only
// way a program may read the screen on Wayland. The desktop shows its own
// picking tool and answers with a Request.Response signal.
class PortalPicker : public PickJob
{
    Q_OBJECT
public:
    // parentWindow: the window the desktop's tool belongs to, "x11:<hex id>",
    // or empty.
    explicit PortalPicker(const QString& parentWindow, QObject* parent = nullptr);
    ~PortalPicker() override;

    // Asks the portal. Answers that come after the end are ignored.
    void Start() override;

private slots:
    void OnResponse(const QDBusMessage& message);

private:
    void Subscribe(const QString& requestPath);
    void Fail(const QString& detail);
    // Stops listening for answers and stops the timeout; emits nothing.
    void StopListening();

    QString m_parentWindow;
    QStringList m_requests; // the request objects whose answer counts
    QTimer m_timeout;
    bool m_running = false;
};
