#include "app/shutdown_signals.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QString>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

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

// What the toolkit's X11 connection says once the connection has broken, just before it ends the
// program (from its event handling, or from Xlib's handler of a broken connection).
constexpr QLatin1String kBrokenDisplay("The X11 connection broke");

QtMessageHandler g_earlierHandler = nullptr;
std::function<void()> g_keepWithoutDisplay;
std::atomic<bool> g_displayLost{false};

void WatchedMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    g_earlierHandler(type, context, message);
    const QCoreApplication* app = QCoreApplication::instance();
    if (!message.startsWith(kBrokenDisplay) || app == nullptr || QThread::currentThread() != app->thread() ||
        g_displayLost.exchange(true)) {
        return;
    }
    if (g_keepWithoutDisplay) {
        g_keepWithoutDisplay();
    }
    std::fflush(stderr);
    // The toolkit would end the program now; it ends here, before anything else tries the display.
    std::_Exit(1);
}

}  // namespace

EndingCause CauseOf(const QCloseEvent* event) {
    const auto* ending = dynamic_cast<const EndingCloseEvent*>(event);
    return ending != nullptr ? ending->cause() : EndingCause::Person;
}

void StandardErrorSink::Show(const Message& message) {
    std::string line = "halducnv: " + message.text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

ShutdownSignals::ShutdownSignals(std::function<void()> shutdown, std::function<void()> keepWithoutDisplay,
                                 QObject* parent)
    : QObject(parent), shutdown_(std::move(shutdown)) {
    g_keepWithoutDisplay = std::move(keepWithoutDisplay);
    g_earlierHandler = qInstallMessageHandler(WatchedMessage);
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
    // A write to the display's connection once it has broken fails and the toolkit reports the
    // break (WatchedMessage), instead of the write ending the program before its files are kept.
    ::signal(SIGPIPE, SIG_IGN);
}

ShutdownSignals::~ShutdownSignals() {
    qInstallMessageHandler(g_earlierHandler);
    g_keepWithoutDisplay = nullptr;
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
