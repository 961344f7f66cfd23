// SPDX-License-Identifier: MIT
#include "CloseOnSignals.h"

#include <QApplication>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
    errno = saved;
}

} // namespace
#endif

CloseOnSignals::CloseOnSignals(QWidget* window) : m_window(window)
{
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(g_pipe[1], bytes, sizeof bytes);
        CloseWindow();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
#endif
}

CloseOnSignals::~CloseOnSignals()
{
#ifdef Q_OS_UNIX
    if (m_notifier != nullptr) {
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        for (int signal : kSignals) {
            ::sigaction(signal, &action, nullptr);
        }
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
#endif
}

void CloseOnSignals::CloseWindow()
{
    // A modal window (the About window, a message) would keep the program
    // running after the main window closed: close those first.
    for (int guard = 0; guard < 8; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_window) {
            break;
        }
        modal->close();
    }
    if (m_window) {
        m_window->close();
    }
}
