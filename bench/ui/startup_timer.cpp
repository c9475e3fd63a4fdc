// Runs one program and reports how long it took from exec to its first window mapped on the X
// server, and its peak resident memory: "<milliseconds> <peak RSS in KiB>".
//
// The X server says when a window is mapped, whatever the program believes it has shown: the
// timer listens on the root window for the mapping of a top-level window (the display has no
// window manager, so top-level windows are the root's children; menus and tooltips, which are
// override-redirect, do not count). The clock is read just before the fork, so process creation
// and the dynamic loader count as the user would see them. Half a second after the window is
// mapped (the start-up done) the program's peak memory is read and it is ended.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

constexpr int kTimeoutMs = 20000;
constexpr int kSettleMs = 500;
constexpr int kKillGraceMs = 2000;

double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The child's peak resident memory so far, in KiB; -1 when it cannot be read.
long PeakKib(pid_t child) {
    std::ifstream status("/proc/" + std::to_string(child) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Waits for the first top-level window mapped on the root; its time, or a negative number.
double WaitForMap(xcb_connection_t* x, double deadline) {
    const int fd = xcb_get_file_descriptor(x);
    while (MonotonicMs() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                                reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect == 0;
            std::free(event);
            if (mapped) {
                return MonotonicMs();
            }
        }
        if (xcb_connection_has_error(x) != 0) {
            return -1;
        }
        pollfd ready{fd, POLLIN, 0};
        ::poll(&ready, 1, static_cast<int>(deadline - MonotonicMs()) + 1);
    }
    return -1;
}

void End(pid_t child) {
    ::kill(child, SIGTERM);
    const double deadline = MonotonicMs() + kKillGraceMs;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (MonotonicMs() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return;
        }
        ::usleep(10000);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x) != 0) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));

    const double start = MonotonicMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        ::close(xcb_get_file_descriptor(x));
        execv(argv[1], argv + 1);
        std::perror("execv");
        _exit(127);
    }
    const double mapped = WaitForMap(x, start + kTimeoutMs);
    if (mapped < 0) {
        std::fprintf(stderr, "%s mapped no window\n", argv[1]);
        End(child);
        return 1;
    }
    ::usleep(kSettleMs * 1000);
    const long peak = PeakKib(child);
    End(child);
    xcb_disconnect(x);
    std::printf("%.3f %ld\n", mapped - start, peak);
    return 0;
}
