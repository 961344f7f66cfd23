// SPDX-License-Identifier: MIT
#include "WindowSystem.h"

#include "FileName.h"
#include "UntrustedText.h"

#include <QString>
#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>
#include <QStringView>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace WindowSystem {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)

namespace {

// One display tried: whether it answered, its name, and where the name
// came from.
struct Attempt
{
    bool answers = false;
    QByteArray name;
    QStringView source;
};

// How a message names the display tried, made only when it did not answer.
QString Described(const Attempt& attempt)
{
    if (attempt.name.isEmpty() && attempt.source == u"DISPLAY") {
        return QStringLiteral("ninguna pantalla X11 (DISPLAY no está definida)");
    }
    return QStringLiteral("la pantalla %1 (%2)")
        .arg(UntrustedText::Quoted(FileName::Decode(attempt.name)), attempt.source);
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

// Connects a stream socket to the address and closes it: 0 when the
// connection was made (or goes on after a signal), else the error.
int Connect(int family, const sockaddr* address, socklen_t size)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {     // GCOVR_EXCL_BR_LINE: only without free descriptors
        return errno; // GCOVR_EXCL_LINE: only without free descriptors
    }
    const int error = ::connect(fd, address, size) == 0 ? 0 : errno;
    ::close(fd);
    return error == EINTR ? 0 : error; // GCOVR_EXCL_BR_LINE: no signal handler runs yet
}

// A Unix socket by its path, or by its name in the abstract namespace.
int ConnectUnix(const QByteArray& path, bool abstract = false)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const size_t size = size_t(path.size()) + (abstract ? 1 : 0);
    if (size >= sizeof address.sun_path) {
        return ENAMETOOLONG;
    }
    std::memcpy(address.sun_path + (abstract ? 1 : 0), path.constData(), size_t(path.size()));
    return Connect(AF_UNIX, reinterpret_cast<const sockaddr*>(&address),
                   socklen_t(offsetof(sockaddr_un, sun_path) + size + (abstract ? 0 : 1)));
}

// A TCP port of a host (a name, an address, or an IPv6 address in
// brackets), trying each of its addresses in turn.
bool TcpAnswers(QByteArray host, quint16 port)
{
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICSERV;
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    if (host.startsWith('[') && host.endsWith(']')) {
        host = host.mid(1, host.size() - 2);
        hints.ai_flags |= AI_NUMERICHOST;
        hints.ai_family = AF_INET6;
    }
    addrinfo* addresses = nullptr;
    if (::getaddrinfo(host.isEmpty() ? "localhost" : host.constData(),
                      QByteArray::number(port).constData(), &hints, &addresses) != 0) {
        return false;
    }
    bool answers = false;
    for (const addrinfo* a = addresses; a && !answers; a = a->ai_next) {
        answers = Connect(a->ai_family, a->ai_addr, a->ai_addrlen) == 0;
    }
    ::freeaddrinfo(addresses);
    return answers;
}

// The X server named by -display, else by DISPLAY, reached as libxcb, which
// Qt's xcb platform uses, reaches it: "[protocol/][host]:display[.screen]";
// a local display through its socket (abstract, then in /tmp/.X11-unix),
// then TCP on localhost; another host through TCP port 6000 + display. Only
// the socket is connected, in some tens of microseconds: the X handshake
// (about a millisecond, with the authority it checks and the screen number)
// is left to Qt, and so is a name of another form (a socket's path, another
// protocol).
Attempt X11(int argc, char** argv)
{
    Attempt x11{false, qgetenv("DISPLAY"), u"DISPLAY"};
    for (int i = 1; i < argc; ++i) {
        if (Option(argv[i]) == "-display" && i + 1 < argc) {
            x11.name = argv[++i];
            x11.source = u"-display";
        }
    }
    const QByteArray& name = x11.name;
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray protocol = name.left(qMax(slash, qsizetype(0)));
    if (name.startsWith('/') || (slash >= 0 && protocol != "unix" && protocol != "tcp" &&
                                 protocol != "inet" && protocol != "inet6")) {
        x11.answers = true;
        return x11;
    }
    const QByteArray rest = name.mid(slash + 1);
    const qsizetype colon = rest.lastIndexOf(':');
    if (colon < 0) {
        return x11;
    }
    const QByteArray host = rest.left(colon);
    const char* number = rest.constData() + colon + 1;
    char* end = nullptr;
    const int display = int(std::strtoul(number, &end, 10));
    if (end == number || (*end != '\0' && *end != '.')) {
        return x11;
    }
    if (*end == '.') {
        const char* screen = end + 1;
        std::strtoul(screen, &end, 10);
        if (end == screen || *end != '\0') {
            return x11;
        }
    }
    const auto port = quint16(6000u + unsigned(display));
    if (protocol != "unix" && !host.isEmpty() && host != "unix") {
        x11.answers = TcpAnswers(host, port);
        return x11;
    }
    if (!protocol.isEmpty() && protocol != "unix") {
        return x11;
    }
    const QByteArray socket = QByteArrayLiteral("/tmp/.X11-unix/X") + QByteArray::number(display);
#ifdef Q_OS_LINUX
    const int error = ConnectUnix(socket, true);
    if (error != ENOENT && error != ECONNREFUSED) {
        x11.answers = error == 0;
        return x11;
    }
#endif
    x11.answers =
        ConnectUnix(socket) == 0 || (protocol.isEmpty() && host.isEmpty() && TcpAnswers({}, port));
    return x11;
}

// The Wayland compositor's socket as libwayland finds it: an inherited
// connection (WAYLAND_SOCKET) first, else WAYLAND_DISPLAY ("wayland-0" when
// unset) as a path when absolute, else in XDG_RUNTIME_DIR.
Attempt Wayland()
{
    const bool named = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    Attempt wayland{false, named ? qgetenv("WAYLAND_DISPLAY") : QByteArrayLiteral("wayland-0"),
                    named ? u"WAYLAND_DISPLAY" : u"WAYLAND_DISPLAY no está definida"};
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
        wayland.answers = true;
    } else if (wayland.name.startsWith('/')) {
        wayland.answers = ConnectUnix(wayland.name) == 0;
    } else if (folder.isEmpty()) {
        wayland.source = u"XDG_RUNTIME_DIR no está definida";
    } else {
        wayland.answers = ConnectUnix(folder + '/' + wayland.name) == 0;
    }
    return wayland;
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
        refused << Described(attempt);
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
