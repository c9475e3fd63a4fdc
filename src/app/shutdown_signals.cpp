#include "app/shutdown_signals.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace halden {
namespace {

constexpr std::array<int, 3> kShutdownSignals{SIGTERM, SIGHUP, SIGINT};

// The signal handler only writes a byte into this pipe; the event loop reads it and shuts down.
std::array<int, 2> g_pipe{-1, -1};
volatile std::sig_atomic_t g_shuttingDown = 0;

extern "C" void OnShutdownSignal(int signal) {
    if (g_shuttingDown != 0) {
        ::_exit(128 + signal);
    }
    g_shuttingDown = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> shutdown, QObject* parent)
    : QObject(parent), shutdown_(std::move(shutdown)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe.data()) != 0) {
        g_pipe = {-1, -1};
        return;
    }
    g_shuttingDown = 0;
    notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ShutdownSignals::SignalArrived);
    struct sigaction action {};
    action.sa_handler = OnShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kShutdownSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

ShutdownSignals::~ShutdownSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kShutdownSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    for (int& fd : g_pipe) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

void ShutdownSignals::SignalArrived() {
    char bytes[16];
    while (::read(g_pipe[1], bytes, sizeof bytes) > 0) {
    }
    if (shutdown_) {
        shutdown_();
    }
}

namespace {

// Closed once its own showing has been handled, so that the code that shows it sees it close as
// a click on its button would.
void CloseWhenShown(QWidget* window) {
    if (window != nullptr && window->isWindow() && window->isModal()) {
        QTimer::singleShot(0, window, [window] { window->close(); });
    }
}

}  // namespace

ModalMessageCloser::ModalMessageCloser(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
    CloseWhenShown(QApplication::activeModalWidget());
}

ModalMessageCloser::~ModalMessageCloser() = default;

bool ModalMessageCloser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        CloseWhenShown(static_cast<QWidget*>(watched));
    }
    return false;
}

}  // namespace halden

// The meta-object code of this file's classes, compiled in the same batch rather than on its own.
// The code generator writes it before the build compiles this file; tools that read the sources
// without building (the linter) go without it.
#if __has_include("moc_shutdown_signals.cpp")
#include "moc_shutdown_signals.cpp"
#endif
