// A minimal Qt Widgets program: a main window with a menu bar and a list of 25 names. With
// HALDEN_EXIT_WHEN_SHOWN=1 it reports when its window is on the screen exactly as the converter
// does, so that bench/startup can compare the two.
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class ExitWhenShown final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (!fired_ && event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
            fired_ = true;
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool fired_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (qEnvironmentVariableIntValue("HALDEN_EXIT_WHEN_SHOWN") == 1) {
        app.installEventFilter(new ExitWhenShown(&app));
    }
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    auto* list = new QListWidget(&window);
    for (int i = 1; i <= 25; ++i) {
        list->addItem(QStringLiteral("Name %1").arg(i));
    }
    window.setCentralWidget(list);
    window.resize(320, 400);
    window.show();
    return QApplication::exec();
}
