// SPDX-License-Identifier: MIT
#include "WindowSystem.h"

#include <QString>
#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
#include <QByteArray>
#include <QByteArrayList>
#include <QChar>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#endif

namespace WindowSystem {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)

namespace {

// One display tried: whether it answered, and how a message names it.
struct Attempt
{
    bool answers = false;
    QString display;
};

// A variable's value as a message shows it: control and format characters
// escaped, so that no terminal command or change of writing direction
// reaches the terminal, and cut after about 40 characters.
QString Shown(const QByteArray& value)
{
    QString shown;
    for (const char32_t c : QString::fromLocal8Bit(value).toUcs4()) {
        const QChar::Category kind = QChar::category(c);
        const bool control = kind == QChar::Other_Control || kind == QChar::Other_Format ||
                             kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph;
        QString piece = QString::fromUcs4(&c, 1);
        if (control) {
            const int digits = c < 0x100 ? 2 : c < 0x10000 ? 4 : 8;
            piece = QLatin1String(digits == 2   ? "\\x"
                                  : digits == 4 ? "\\u"
                                                : "\\U") +
                    QString::number(uint(c), 16).toUpper().rightJustified(digits, u'0');
        }
        if (shown.size() + piece.size() > 40) {
            return shown + u'…';
        }
        shown += piece;
    }
    return shown;
}

QString Display(const QByteArray& name, const QString& source)
{
    return QStringLiteral("la pantalla «%1» (%2)").arg(Shown(name), source);
}

// An option as Qt reads it from the command line: "--name" is "-name".
QByteArray Option(const char* arg)
{
    return QByteArray(arg[0] == '-' && arg[1] == '-' ? arg + 1 : arg);
}

// The platforms Qt will try, in its order, as "xcb" and "wayland"; none when
// it is given one that needs no display (offscreen, vnc...) or a display of
// another kind, which only Qt can judge.
QByteArrayList Platforms(int argc, char** argv)
{
    // -platform, else QT_QPA_PLATFORM, names a platform or a list of them to
    // try in turn ("wayland;xcb"), each with its arguments after a colon.
    QByteArray named = qgetenv("QT_QPA_PLATFORM");
    bool given = !named.isEmpty();
    for (int i = 1; i < argc; ++i) {
        if (Option(argv[i]) == "-platform" && i + 1 < argc) {
            named = argv[++i];
            given = true;
        }
    }
    QByteArrayList platforms;
    if (!given) {
        // Qt's own choice on Linux: Wayland first when the environment says
        // the session is one, then X11.
        if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
            qgetenv("XDG_SESSION_TYPE") == "wayland") {
            platforms << QByteArrayLiteral("wayland");
        }
        return platforms << QByteArrayLiteral("xcb");
    }
    for (const QByteArray& entry : named.split(';')) {
        const QByteArray name = entry.split(':').constFirst().toLower();
        const QByteArray kind = name.startsWith("wayland") ? QByteArrayLiteral("wayland") : name;
        if (kind != "xcb" && kind != "wayland" && !kind.isEmpty()) {
            return {};
        }
        if (!kind.isEmpty() && !platforms.contains(kind)) {
            platforms << kind;
        }
    }
    return platforms;
}

// The X server named by -display, else by DISPLAY, reached through the
// library and the same reading of the name and the authority file as Qt's
// xcb platform; the connection is closed at once.
Attempt X11(int argc, char** argv)
{
    QByteArray name = qgetenv("DISPLAY");
    QString source = QStringLiteral("DISPLAY");
    for (int i = 1; i < argc; ++i) {
        if (Option(argv[i]) == "-display" && i + 1 < argc) {
            name = argv[++i];
            source = QStringLiteral("-display");
        }
    }
    if (name.isEmpty() && source == QStringLiteral("DISPLAY")) {
        return {false, QStringLiteral("ninguna pantalla X11 (DISPLAY no está definida)")};
    }
    xcb_connection_t* connection = xcb_connect(name.constData(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return {answers, Display(name, source)};
}

// The Wayland compositor's socket as libwayland finds it: an inherited
// connection (WAYLAND_SOCKET) first, else WAYLAND_DISPLAY ("wayland-0" when
// unset) as a path when absolute, else in XDG_RUNTIME_DIR.
Attempt Wayland()
{
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
        return {true, {}};
    }
    const bool named = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    const QByteArray name = named ? qgetenv("WAYLAND_DISPLAY") : QByteArrayLiteral("wayland-0");
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    if (!name.startsWith('/') && folder.isEmpty()) {
        return {false, Display(name, QStringLiteral("XDG_RUNTIME_DIR no está definida"))};
    }
    const QByteArray path = name.startsWith('/') ? name : folder + '/' + name;
    const Attempt refused{false, Display(name, named ? QStringLiteral("WAYLAND_DISPLAY")
                                                     : QStringLiteral("WAYLAND_DISPLAY no está "
                                                                      "definida"))};
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path) {
        return refused;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return refused;
    }
    // A connection that a signal interrupts goes on by itself.
    const bool answers =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
        errno == EINTR;
    ::close(fd);
    return answers ? Attempt{true, {}} : refused;
}

} // namespace

bool CanConnect(int argc, char** argv, QString& tried)
{
    QStringList refused;
    for (const QByteArray& platform : Platforms(argc, argv)) {
        const Attempt attempt = platform == "xcb" ? X11(argc, argv) : Wayland();
        if (attempt.answers) {
            return true;
        }
        refused << attempt.display;
    }
    tried = QStringLiteral("no hay conexión con ") + refused.join(QStringLiteral(" ni con "));
    return refused.isEmpty();
}

#else

bool CanConnect(int argc, char** argv, QString& tried)
{
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    Q_UNUSED(tried)
    return true;
}

#endif

} // namespace WindowSystem
