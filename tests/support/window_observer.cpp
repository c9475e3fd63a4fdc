// Watches the window program from outside, for the desktop scenarios and the start-up benchmark.
// Loaded into the built program with LD_PRELOAD, it is no part of the program; it acts once the
// program makes its application object, as the environment asks:
//
//   HALDEN_EXIT_WHEN_SHOWN=1  prints "shown <CLOCK_MONOTONIC nanoseconds>" on standard output once
//                             the first window has been exposed and painted, then ends the program
//                             at once (nothing is saved);
//   HALDEN_GEOMETRY_LOG=1     prints "halden-geometry <class> outer-width <px> client-height <px>"
//                             on standard error whenever a window's size rule sets a new outer
//                             width (the window's "outerWidthKeeper" child holds it as its
//                             "outerWidth" property).
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class WindowObserver final : public QObject {
public:
    WindowObserver(bool exitWhenShown, bool logGeometry)
        : QObject(QCoreApplication::instance()), exitWhenShown_(exitWhenShown), logGeometry_(logGeometry) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (exitWhenShown_ && event->type() == QEvent::Expose) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                exitWhenShown_ = false;
                // Runs once the expose (and the paint it causes) has been handled.
                QTimer::singleShot(0, this, [] {
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
        }
        if (logGeometry_ && event->type() == QEvent::DynamicPropertyChange &&
            watched->objectName() == QLatin1String("outerWidthKeeper")) {
            const auto* window = qobject_cast<const QWidget*>(watched->parent());
            if (window != nullptr) {
                std::fprintf(stderr, "halden-geometry %s outer-width %d client-height %d\n",
                             window->metaObject()->className(), watched->property("outerWidth").toInt(),
                             window->minimumHeight());
            }
        }
        return false;
    }

private:
    bool exitWhenShown_;
    bool logGeometry_;
};

void StartObserving() {
    const bool exitWhenShown = qEnvironmentVariableIntValue("HALDEN_EXIT_WHEN_SHOWN") == 1;
    const bool logGeometry = qEnvironmentVariableIsSet("HALDEN_GEOMETRY_LOG");
    if (exitWhenShown || logGeometry) {
        QCoreApplication::instance()->installEventFilter(new WindowObserver(exitWhenShown, logGeometry));
    }
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartObserving)
