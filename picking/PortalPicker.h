// SPDX-License-Identifier: MIT
#pragma once

#include "PickJob.h"

#include <QDBusMessage>
#include <QList>
#include <QPointer>
#include <QTimer>

class QDBusServiceWatcher;

// Takes a colour from the screen through the desktop portal
// (org.freedesktop.portal.Screenshot.PickColor on the session bus), the only
// way a program may read the screen on Wayland. The desktop shows its own
// picking tool and answers with a Request.Response signal, which counts only
// from the connection that took the call; when that connection leaves the
// bus, the pick fails at once.
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
    // The call was taken by answerer, whose request object is requestPath.
    void Answered(const QString& answerer, const QString& requestPath);
    // Listens for Response on the request object from sender (any if empty),
    // in place of what it listened to before.
    void Subscribe(const QString& sender, const QString& requestPath);
    void Unsubscribe();
    void Gone();
    void Fail(const QString& detail);
    // Stops listening for answers and stops the timeout; emits nothing.
    void StopListening();

    QString m_parentWindow;
    QString m_sender, m_request; // whom and which request object Response is awaited from
    QString m_answerer;          // the unique bus name that took the call
    QList<QDBusMessage> m_early; // answers that came before the call's reply
    QPointer<QDBusServiceWatcher> m_watcher;
    QTimer m_timeout;
    bool m_running = false;
};
