// Ending the program from outside (SIGTERM, SIGHUP, SIGINT, the end of the desktop session) takes
// the same way as closing the main window, so the configuration is saved; so does the display
// going away (a dropped ssh -X, a crashed X server), without using the display. An ending that no
// one watches never waits on a message: what fails goes to standard error.
#pragma once

#include "numbers/message_sink.h"

#include <QCloseEvent>
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace halden {

/// Why the program ends, as its main window's close learns it.
enum class EndingCause {
    Person,       ///< The user closes it (close box, File > Exit): a failed save is shown.
    Outside,      ///< A signal or the end of the session: failures go to standard error.
    DisplayLost,  ///< The display went away: the files are written without it, failures to standard error.
};

/// The close the program's ending sends its main window; any other close is the user's.
class EndingCloseEvent final : public QCloseEvent {
public:
    explicit EndingCloseEvent(EndingCause cause) : cause_(cause) {}
    EndingCause cause() const { return cause_; }

private:
    EndingCause cause_;
};

/// The cause a close carries: Person for any close but an EndingCloseEvent.
EndingCause CauseOf(const QCloseEvent* event);

/// The messages of an ending no one watches: each as one line on standard error.
class StandardErrorSink final : public MessageSink {
public:
    void Show(const Message& message) override;
};

class ShutdownSignals final : public QObject {
    Q_OBJECT

public:
    /// Installs the signal handlers; shutdown runs in the event loop at the first of the signals.
    /// A second signal while shutting down ends the process at once. When the connection to the X
    /// server breaks, keepWithoutDisplay runs at once instead, and the program then ends with status
    /// 1, as the toolkit ends it; keepWithoutDisplay must not use the display. One instance at a time.
    explicit ShutdownSignals(std::function<void()> shutdown, std::function<void()> keepWithoutDisplay = {},
                             QObject* parent = nullptr);
    ~ShutdownSignals() override;
    Q_DISABLE_COPY_MOVE(ShutdownSignals)

private:
    void SignalArrived();

    std::function<void()> shutdown_;
    QSocketNotifier* notifier_ = nullptr;
};

/// While it exists, closes the program's modal windows (message boxes): the one on the screen as
/// it is made, and each one shown later. A shutdown asked for from outside so waits on no one:
/// not on the start-up's messages, which come before the main window, nor on a message of a close
/// the user began.
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
