// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QDBusMessage;

// Takes a colour from the screen through the desktop portal
// (org.freedesktop.portal.Screenshot.PickColor on the session bus), the only
// way a program may read the screen on Wayland. The desktop shows its own
// picking tool and answers with a Request.Response signal.
class PortalPicker : public QObject
{
    Q_OBJECT
public:
    explicit PortalPicker(QObject* parent = nullptr);
    ~PortalPicker() override;

    // Asks the portal; parentWindow is "x11:<hex id>" or empty. Ends with
    // exactly one of the signals below. Answers that come after the end are
    // ignored.
    void Start(const QString& parentWindow);

    // A colour channel of the portal's answer, 0.0 to 1.0, as 0 to 255; -1
    // for a value that is not a finite number in that range.
    static int ChannelFromUnit(double value);

signals:
    void Picked(const QColor& colour);
    void Cancelled();
    void Failed(const QString& reason);

private slots:
    void OnResponse(const QDBusMessage& message);

private:
    void Subscribe(const QString& requestPath);
    void Fail(const QString& detail);
    void Finish();

    QStringList m_requests; // the request objects whose answer counts
    QTimer m_timeout;
    bool m_running = false;
};
