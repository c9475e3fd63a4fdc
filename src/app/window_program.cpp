// The Halden Unit Converter's window program: starts the main window and runs until it closes.
#include "app/shutdown_signals.h"
#include "app/single_instance.h"
#include "shared/process_state.h"
#include "storage/my_path.h"

#include "app/frmConvert.h"
#include "reference/frmHelp.h"
#include "shared/ui_resources.h"
#include "shared/ui_style.h"
#include "shared/ui_text.h"

#include <QApplication>
#include <QSessionManager>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace {

// While the toolkit opens its window system, its messages wait here: when it cannot (a display
// that is gone, no plugin for the one named), the user reads one line instead of the toolkit's
// advice to reinstall, and the program ends with status 1 rather than aborting.
QtMessageHandler g_toolkitHandler = nullptr;
QStringList g_startMessages;

void StartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "halducnv: cannot open a display (DISPLAY or WAYLAND_DISPLAY): %s\n",
                     qPrintable(g_startMessages.isEmpty() ? message : g_startMessages.first()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_startMessages.append(message);
    Q_UNUSED(context);
}

// Hands the messages kept during the start to the toolkit's own handler, in order.
void EndStartMessages() {
    qInstallMessageHandler(g_toolkitHandler);
    for (const QString& message : std::as_const(g_startMessages)) {
        qWarning().noquote() << message;
    }
    g_startMessages.clear();
}

// Ends the program for a reason other than the user's close (see EndingCause); nothing before the
// main window exists.
void EndProgram(halden::frmConvert* mainWindow, halden::EndingCause cause) {
    if (mainWindow != nullptr) {
        halden::EndingCloseEvent ending(cause);
        QCoreApplication::sendEvent(mainWindow, &ending);
    }
}

// A question the desktop's search hands the program, to show in the lists or in the unit finder.
struct AskedQuestion {
    QString text;
    bool inFinder = false;
};

// The last --show-question or --find-question given (also written --show-question=TEXT). A
// question that cannot be handed to a running copy whole is left aside, here as there.
std::optional<AskedQuestion> QuestionArgument(const QStringList& args) {
    const QString showOption = QStringLiteral("--show-question");
    const QString findOption = QStringLiteral("--find-question");
    std::optional<AskedQuestion> question;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const qsizetype equals = args[i].indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? args[i] : args[i].left(equals);
        if (name != showOption && name != findOption) {
            continue;
        }
        if (equals < 0 && i + 1 == args.size()) {
            break;
        }
        const QString text = (equals < 0 ? args[++i] : args[i].mid(equals + 1)).trimmed();
        question = halden::QuestionFits(text) ? std::optional(AskedQuestion{text, name == findOption}) : std::nullopt;
    }
    return question;
}

}  // namespace

/// The window program; the program's launcher loads this module and calls it when no
/// command-line option is given.
extern "C" __attribute__((visibility("default"))) int HaldenWindowMain(int argc, char* argv[]) {
    // The windows place themselves; X11 lets a program do that, Wayland does not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    g_toolkitHandler = qInstallMessageHandler(StartMessage);
    // Also the name the instance lock records and checks a left-behind lock's process against.
    QCoreApplication::setApplicationName(QStringLiteral("halducnv"));
    // One copy per configuration directory: a second start brings the first to the front, with its
    // question. The lock file is tried while the toolkit connects to the display.
    halden::SingleInstance instance(halden::ToQString(halden::MyPath()));
    instance.StartClaim();
    // Reading the font configuration (its files and caches, a few milliseconds) runs on a second
    // thread while the toolkit connects to the display, so the window's first font finds it read.
    std::thread fontConfiguration([] { FcInit(); });
    QApplication app(argc, argv);
    fontConfiguration.join();
    EndStartMessages();
    // The question to show once the main window is there: this start's own, or the last one a
    // second start hands over while this one starts.
    std::optional<AskedQuestion> question = QuestionArgument(QApplication::arguments());
    if (question) {
        instance.HandOverQuestion(question->text, question->inFinder);
    }
    switch (instance.ClaimDirectory()) {
        case halden::SingleInstance::Claim::First:
            break;
        case halden::SingleInstance::Claim::Unguarded:
            // Refusing to run would let anyone who can write the temporary folder keep the user
            // from the program; running unguarded risks only a second copy the user starts himself.
            std::fprintf(stderr, "halducnv: %s\n", qPrintable(instance.problem()));
            break;
        case halden::SingleInstance::Claim::OtherRaised:
            return 0;
        case halden::SingleInstance::Claim::OtherSilent:
            std::fprintf(stderr, "halducnv: %s\n", qPrintable(instance.problem()));
            return 1;
    }
    halden::InstallProgramStyle();
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(halden::ApplicationId());
    halden::InitResources();
    halden::InstallProgramHelp(halden::ProcessSession());
    // A signal or the end of the desktop session closes the main window as the user would, so the
    // configuration is saved, but without waiting on anyone: a failed save goes to standard error,
    // and the messages shown then (the start-up's, before the window exists, or the failure message
    // of a close the user began) are closed. A signal during start-up ends the program once the
    // window is there. The display going away keeps the files the same way, at once and without
    // the display.
    halden::frmConvert* mainWindow = nullptr;
    bool endRequested = false;
    std::unique_ptr<halden::ModalMessageCloser> messageCloser;
    const auto shutDown = [&mainWindow, &endRequested, &messageCloser] {
        endRequested = true;
        if (messageCloser == nullptr) {
            messageCloser = std::make_unique<halden::ModalMessageCloser>();
        }
        EndProgram(mainWindow, halden::EndingCause::Outside);
    };
    // During start-up nothing has changed yet that the files do not hold.
    const auto keepWithoutDisplay = [&mainWindow] { EndProgram(mainWindow, halden::EndingCause::DisplayLost); };
    halden::ShutdownSignals shutdownSignals(shutDown, keepWithoutDisplay);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&shutDown](QSessionManager&) { shutDown(); });
    // A second start brings back what this copy shows: the main window, or a start-up message,
    // also a minimised one. It is answered once this has run.
    QObject::connect(&instance, &halden::SingleInstance::raiseRequested, &app, [&mainWindow] {
        if (mainWindow != nullptr) {
            mainWindow->BringToFront();
        }
        if (QWidget* message = QApplication::activeModalWidget()) {
            message->setWindowState(message->windowState() & ~Qt::WindowMinimized);
            message->show();
            message->raise();
            message->activateWindow();
        }
    });
    QObject::connect(&instance, &halden::SingleInstance::questionRequested, &app,
                     [&mainWindow, &question](const QString& text, bool inFinder) {
                         if (mainWindow != nullptr) {
                             mainWindow->ShowQuestion(text, inFinder);
                         } else {
                             question = AskedQuestion{text, inFinder};
                         }
                     });
    halden::frmConvert window;
    mainWindow = &window;
    // From here on a message shown while the user closes the program (a failed save) waits for him.
    messageCloser.reset();
    if (endRequested) {
        EndProgram(&window, halden::EndingCause::Outside);
        mainWindow = nullptr;
        return 0;
    }
    if (question) {
        window.ShowQuestion(question->text, question->inFinder);
    }
    // The windows' icon once they are up (see the main window's own).
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(halden::ApplicationIcon()); });
    const int status = QApplication::exec();
    // The window goes before the handlers that reach it through this pointer.
    mainWindow = nullptr;
    return status;
}
