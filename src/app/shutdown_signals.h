// Ending the program from outside (SIGTERM, SIGHUP, SIGINT, the end of the desktop session) takes
// the same way as closing the main window, so the configuration is saved.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace halden {

class ShutdownSignals final : public QObject {
    Q_OBJECT

public:
    /// Installs the signal handlers; shutdown runs in the event loop at the first of the signals.
    /// A second signal while shutting down ends the process at once. One instance at a time.
    explicit ShutdownSignals(std::function<void()> shutdown, QObject* parent = nullptr);
    ~ShutdownSignals() override;
    Q_DISABLE_COPY_MOVE(ShutdownSignals)

private:
    void SignalArrived();

    std::function<void()> shutdown_;
    QSocketNotifier* notifier_ = nullptr;
};

/// While it exists, closes the program's modal windows (message boxes): the one on the screen as
/// it is made, and each one shown later. A shutdown asked for during start-up, whose messages
/// come before the main window, so ends the start-up without waiting on the user.
class ModalMessageCloser final : public QObject {
    Q_OBJECT

public:
    explicit ModalMessageCloser(QObject* parent = nullptr);
    ~ModalMessageCloser() override;
    Q_DISABLE_COPY_MOVE(ModalMessageCloser)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace halden
