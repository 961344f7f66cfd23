// SPDX-License-Identifier: MIT
// tintaro_mapwait: starts a program and measures, on the X display of
// $DISPLAY, the time from its start to the mapping of its window, its peak
// memory while the window is up, and the time it takes to end after SIGTERM.
//
//   tintaro_mapwait [--name REGEX] [--timeout S] [--settle MS] [--close-timeout S]
//                   -- PROGRAM [ARG...]
//
// The root window's substructure is watched before the program starts, so the
// first MapNotify of a top-level window whose name (_NET_WM_NAME, else
// WM_NAME) matches REGEX entirely is seen as the X server sends it, without
// polling. After SETTLE milliseconds the program's VmHWM is read from
// /proc/PID/status, then SIGTERM is sent and the program's end awaited.
//
// Prints one line of key=value pairs:
//   map_ms=.. cpu_map_ms=.. window=0x.. width=.. height=.. name=.. hwm_kib=..
//   close_ms=.. cpu_close_ms=.. end=exit:N|signal:N
// cpu_map_ms is the processor time all the program's threads had used when
// the window mapped (from /proc/PID/task/*/schedstat), cpu_close_ms the time
// it used from SIGTERM to its end (its rusage total minus the time used
// before): unlike the wall-clock times they do not grow when other programs
// compete for the processors.
// Exit status: 0 measured; 2 no matching window in time or the program ended
// first; 1 bad use or no display.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <regex>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void Usage(const char* message)
{
    std::fprintf(stderr,
                 "tintaro_mapwait: %s\n"
                 "usage: tintaro_mapwait [--name REGEX] [--timeout S] [--settle MS]"
                 " [--close-timeout S] -- PROGRAM [ARG...]\n",
                 message);
    std::exit(1);
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::optional<std::string> TextProperty(xcb_connection_t* c, xcb_window_t window,
                                        xcb_atom_t property, xcb_atom_t type)
{
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
    std::optional<std::string> text;
    if (reply && reply->type != XCB_ATOM_NONE && reply->format == 8) {
        text.emplace(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
    }
    std::free(reply);
    return text;
}

// Status of a child that ended, as "exit:N" or "signal:N".
std::string EndText(int status)
{
    if (WIFEXITED(status)) {
        return "exit:" + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return "signal:" + std::to_string(WTERMSIG(status));
    }
    return "unknown";
}

// Processor time used by the ended child, in milliseconds.
double g_childCpuMs = -1;

// The child's end, if it has ended.
std::optional<int> Reap(pid_t pid)
{
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, WNOHANG, &usage) == pid) {
        g_childCpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        return status;
    }
    return std::nullopt;
}

// Processor time used so far by all threads of a running process, in
// milliseconds; -1 when unknown.
double CpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return -1;
    }
    double total = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double runNs = 0;
        if (schedstat >> runNs) {
            total += runNs / 1e6;
        }
    }
    closedir(dir);
    return total;
}

// Waits up to timeoutMs for the child to end; its status, or nothing.
std::optional<int> AwaitEnd(pid_t pid, double timeoutMs)
{
    const Clock::time_point start = Clock::now();
    const long pidfd = syscall(SYS_pidfd_open, pid, 0);
    while (true) {
        if (const auto status = Reap(pid)) {
            if (pidfd >= 0) {
                close(static_cast<int>(pidfd));
            }
            return status;
        }
        const double left = timeoutMs - MillisecondsSince(start);
        if (left <= 0) {
            break;
        }
        if (pidfd >= 0) {
            pollfd p{static_cast<int>(pidfd), POLLIN, 0};
            poll(&p, 1, static_cast<int>(left) + 1);
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
    if (pidfd >= 0) {
        close(static_cast<int>(pidfd));
    }
    return std::nullopt;
}

// The program's peak resident set size in KiB, from /proc; -1 if unknown.
long PeakKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string namePattern = ".*";
    double timeoutS = 30;
    double settleMs = 200;
    double closeTimeoutS = 30;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc) {
            Usage(("missing value after " + arg).c_str());
        }
        const char* value = argv[++first];
        if (arg == "--name") {
            namePattern = value;
        } else if (arg == "--timeout") {
            timeoutS = std::atof(value);
        } else if (arg == "--settle") {
            settleMs = std::atof(value);
        } else if (arg == "--close-timeout") {
            closeTimeoutS = std::atof(value);
        } else {
            Usage(("unknown option " + arg).c_str());
        }
    }
    if (first >= argc) {
        Usage("no program given");
    }
    const std::regex name(namePattern);

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        Usage("cannot open the display");
    }
    fcntl(xcb_get_file_descriptor(c), F_SETFD, FD_CLOEXEC);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8String = Atom(c, "UTF8_STRING");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the selection is in force before the program starts.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }
    if (pid == 0) {
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }

    // Wait for the first matching MapNotify.
    double mapMs = -1;
    double cpuMapMs = -1;
    xcb_window_t window = XCB_WINDOW_NONE;
    std::string windowName;
    std::optional<int> ended;
    while (mapMs < 0) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (event == nullptr) {
            if (xcb_connection_has_error(c)) {
                std::fprintf(stderr, "tintaro_mapwait: lost the display\n");
                break;
            }
            if ((ended = Reap(pid))) {
                break;
            }
            const double left = timeoutS * 1000 - MillisecondsSince(start);
            if (left <= 0) {
                break;
            }
            // Wake on X traffic, and now and then to see whether the child ended.
            pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
            poll(&p, 1, left < 20 ? static_cast<int>(left) + 1 : 20);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const double at = MillisecondsSince(start);
            const double cpuAt = CpuMs(pid);
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            std::optional<std::string> title = TextProperty(c, map->window, netWmName, utf8String);
            if (!title) {
                title = TextProperty(c, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            }
            if (title && std::regex_match(*title, name)) {
                mapMs = at;
                cpuMapMs = cpuAt;
                window = map->window;
                windowName = *title;
            }
        }
        std::free(event);
    }

    if (mapMs < 0) {
        if (ended) {
            std::fprintf(stderr, "tintaro_mapwait: %s ended (%s) before a matching window mapped\n",
                         argv[first], EndText(*ended).c_str());
        } else {
            std::fprintf(stderr, "tintaro_mapwait: no matching window within %g s\n", timeoutS);
            kill(pid, SIGKILL);
            AwaitEnd(pid, 5000);
        }
        xcb_disconnect(c);
        return 2;
    }

    int width = 0;
    int height = 0;
    if (xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)) {
        width = geometry->width;
        height = geometry->height;
        std::free(geometry);
    }
    xcb_disconnect(c);

    // Let the first paint and whatever follows the map happen, then look at
    // the peak memory and ask the program to end.
    ended = AwaitEnd(pid, settleMs);
    const long peakKib = PeakKib(pid);
    double closeMs = -1;
    double cpuCloseMs = -1;
    if (!ended) {
        const double cpuBeforeMs = CpuMs(pid);
        const Clock::time_point termAt = Clock::now();
        kill(pid, SIGTERM);
        ended = AwaitEnd(pid, closeTimeoutS * 1000);
        closeMs = MillisecondsSince(termAt);
        if (ended && cpuBeforeMs >= 0 && g_childCpuMs >= 0) {
            cpuCloseMs = std::max(0.0, g_childCpuMs - cpuBeforeMs);
        }
        if (!ended) {
            std::fprintf(stderr, "tintaro_mapwait: no end within %g s of SIGTERM; killing\n",
                         closeTimeoutS);
            kill(pid, SIGKILL);
            ended = AwaitEnd(pid, 5000);
            closeMs = -1;
        }
    }

    for (char& ch : windowName) {
        if (ch == ' ' || ch == '\n' || ch == '\t') {
            ch = '_';
        }
    }
    std::printf("map_ms=%.3f cpu_map_ms=%.3f window=0x%x width=%d height=%d name=%s hwm_kib=%ld "
                "close_ms=%.3f cpu_close_ms=%.3f end=%s\n",
                mapMs, cpuMapMs, window, width, height, windowName.c_str(), peakKib, closeMs,
                cpuCloseMs, ended ? EndText(*ended).c_str() : "unknown");
    return 0;
}
