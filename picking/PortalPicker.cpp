// SPDX-License-Identifier: MIT
#include "PortalPicker.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QRandomGenerator>
#include <cmath>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString UnavailableText =
    QStringLiteral("Este escritorio no permite tomar un color de la pantalla.\n(%1)");
const QString MalformedText =
    QStringLiteral("El escritorio ha contestado con un color no válido: no se ha tomado ninguno.");
const QString GoneText = QStringLiteral(
    "El portal del escritorio se ha cerrado sin contestar: no se ha tomado ningún color.");

// The user may take their time over the desktop's picking tool; a portal
// that has not answered after this long is not going to.
constexpr int AnswerTimeoutMs = 5 * 60 * 1000;

QDBusConnection Bus()
{
    return QDBusConnection::sessionBus();
}

// A colour channel of the portal's answer, 0.0 to 1.0, as 0 to 255; -1 for a
// value that is not a finite number in that range.
int ChannelFromUnit(double value)
{
    if (!std::isfinite(value) || value < 0 || value > 1) {
        return -1;
    }
    return static_cast<int>(std::lround(value * 255));
}

} // namespace

PortalPicker::PortalPicker(const QString& parentWindow, QObject* parent)
    : PickJob(parent), m_parentWindow(parentWindow)
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        // Withdraw the question, so the desktop closes its tool.
        Bus().asyncCall(
            QDBusMessage::createMethodCall(m_answerer.isEmpty() ? PortalService : m_answerer,
                                           m_request, RequestInterface, QStringLiteral("Close")));
        Fail(QStringLiteral("sin respuesta"));
    });
}

PortalPicker::~PortalPicker()
{
    StopListening();
}

void PortalPicker::Start()
{
    if (m_running) {
        return;
    }
    QDBusConnection bus = Bus();
    if (!bus.isConnected()) {
        emit Failed(UnavailableText.arg(QStringLiteral("no hay bus de sesión de D-Bus")));
        return;
    }
    m_running = true;
    // The answer comes on a request object named after our bus name and a
    // token of ours: listen there before asking, or a quick answer is lost.
    const QString token = QStringLiteral("tintaro%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    // Until the call is answered its answerer is unknown: listen to every
    // sender, and keep what comes for OnResponse to sort out.
    Subscribe({},
              QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

    QDBusMessage call = QDBusMessage::createMethodCall(
        PortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("PickColor"));
    call << m_parentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (!m_running) {
            return;
        }
        if (reply.isError()) {
            Fail(reply.error().name());
            return;
        }
        Answered(reply.reply().service(), reply.value().path());
    });
    m_timeout.start(AnswerTimeoutMs);
}

void PortalPicker::Answered(const QString& answerer, const QString& requestPath)
{
    // Only the connection that took the request may answer it: a portal
    // that took the name since (a new instance, or anyone allowed to own
    // it) knows nothing of it. The request is open as long as that
    // connection is on the bus; when it leaves, no answer will come.
    m_answerer = answerer;
    m_watcher =
        new QDBusServiceWatcher(answerer, Bus(), QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { Gone(); });
    // It may have left before the watch began: the bus answers this after
    // it has set the watch up.
    auto* check = new QDBusPendingCallWatcher(
        Bus().asyncCall(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("NameHasOwner"))
                        << answerer),
        this);
    connect(check, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<bool> present = *w;
        if (present.isValid() && !present.value()) {
            Gone();
        }
    });
    // From now on, listen to the answerer alone, on the request object it
    // names (an older portal names one of its own).
    Subscribe(answerer, requestPath);
    const QList<QDBusMessage> early = std::exchange(m_early, {});
    for (const QDBusMessage& message : early) {
        OnResponse(message);
    }
}

void PortalPicker::Subscribe(const QString& sender, const QString& requestPath)
{
    // The new subscription comes before the old one ends, so that no answer
    // arriving in between is lost; one that comes through both is taken once.
    // QDBusConnection::connect takes the slot by name only: there is no
    // overload for a member function pointer.
    Bus().connect(sender, requestPath, RequestInterface, QStringLiteral("Response"), this,
                  SLOT(OnResponse(QDBusMessage)));
    Unsubscribe();
    m_sender = sender;
    m_request = requestPath;
}

void PortalPicker::Unsubscribe()
{
    if (!m_request.isEmpty()) {
        Bus().disconnect(m_sender, m_request, RequestInterface, QStringLiteral("Response"), this,
                         SLOT(OnResponse(QDBusMessage)));
        m_request.clear();
    }
}

void PortalPicker::OnResponse(const QDBusMessage& message)
{
    if (!m_running) {
        return;
    }
    if (m_answerer.isEmpty()) {
        m_early.append(message); // sorted out once the call is answered
        return;
    }
    if (message.service() != m_answerer || message.path() != m_request) {
        return;
    }
    // Response(u response, a{sv} results): 0 success, 1 cancelled, 2 failed.
    const QVariantList args = message.arguments();
    if (message.signature() != QLatin1String("ua{sv}")) {
        StopListening();
        emit Failed(MalformedText);
        return;
    }
    const uint response = args.at(0).toUInt();
    if (response == 1) {
        StopListening();
        emit Cancelled();
        return;
    }
    if (response != 0) {
        Fail(QStringLiteral("respuesta %1 del portal").arg(response));
        return;
    }
    const QVariant colour = qdbus_cast<QVariantMap>(args.at(1)).value(QStringLiteral("color"));
    int rgb[3] = {-1, -1, -1};
    if (colour.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const auto value = colour.value<QDBusArgument>();
        if (value.currentSignature() == QLatin1String("(ddd)")) {
            double unit[3] = {};
            value.beginStructure();
            value >> unit[0] >> unit[1] >> unit[2];
            value.endStructure();
            for (int i = 0; i < 3; ++i) {
                rgb[i] = ChannelFromUnit(unit[i]);
            }
        }
    }
    if (rgb[0] < 0 || rgb[1] < 0 || rgb[2] < 0) {
        StopListening();
        emit Failed(MalformedText);
        return;
    }
    StopListening();
    emit Picked(QColor(rgb[0], rgb[1], rgb[2]));
}

void PortalPicker::Gone()
{
    if (m_running) {
        StopListening();
        emit Failed(GoneText);
    }
}

void PortalPicker::Fail(const QString& detail)
{
    StopListening();
    emit Failed(UnavailableText.arg(detail));
}

void PortalPicker::StopListening()
{
    if (!m_running) {
        return;
    }
    m_running = false;
    m_timeout.stop();
    Unsubscribe();
    m_early.clear();
    delete m_watcher;
}
