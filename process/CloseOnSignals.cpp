// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"

#include <QApplication>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A connected socket pair: the signal handler writes a byte into one end,
// the event loop reads it from the other.
int g_signalEnd = -1;
int g_loopEnd = -1;
constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};
bool g_installed[std::size(Signals)] = {};

extern "C" void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalEnd, &byte, 1);
    errno = saved;
}

} // namespace
#endif

CloseOnSignals::CloseOnSignals(QWidget* window) : m_window(window)
{
#ifdef Q_OS_UNIX
    int ends[2] = {-1, -1};
    // GCOVR_EXCL_START: fails only without free descriptors, at start
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return;
    }
    // GCOVR_EXCL_STOP
    g_signalEnd = ends[0];
    g_loopEnd = ends[1];
    // Neither end ever waits: once the socket is full (a burst of signals
    // while a save runs) a byte more is dropped, as it says nothing new.
    for (int end : ends) {
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    m_notifier = new QSocketNotifier(g_loopEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[256];
        while (::read(g_loopEnd, bytes, sizeof bytes) > 0) {
        }
        CloseWindow();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(Signals); ++i) {
        struct sigaction old = {};
        g_installed[i] = ::sigaction(Signals[i], nullptr, &old) == 0 && old.sa_handler != SIG_IGN &&
                         ::sigaction(Signals[i], &action, nullptr) == 0;
    }
#endif
}

CloseOnSignals::~CloseOnSignals()
{
#ifdef Q_OS_UNIX
    if (m_notifier != nullptr) {
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        for (size_t i = 0; i < std::size(Signals); ++i) {
            if (g_installed[i]) {
                ::sigaction(Signals[i], &action, nullptr);
            }
        }
        ::close(g_signalEnd);
        ::close(g_loopEnd);
        g_signalEnd = g_loopEnd = -1;
    }
#endif
}

void CloseOnSignals::IgnoreWriteSignals()
{
#ifdef Q_OS_UNIX
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void CloseOnSignals::CloseWindow()
{
    // A modal window (the About window, a message) would keep the program
    // running after the main window closed: close those first. They stack
    // a few deep at most; the bound only guards against one that refuses
    // to close.
    for (int guard = 0; guard < 8; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_window) {
            break;
        }
        modal->close();
    }
    if (m_window) {
        emit Closing();
        m_window->close();
    }
}
