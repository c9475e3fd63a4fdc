// The Halden Unit Converter: starts the main window and runs until it closes.
#include <QApplication>

#include "app/frmConvert.h"
#include "reference/frmHelp.h"
#include "reference/ui_resources.h"

int main(int argc, char* argv[]) {
    // The windows place themselves; X11 lets a program do that, Wayland does not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("halducnv"));
    halden::InitReferenceResources();
    QApplication::setWindowIcon(halden::ApplicationIcon());
    halden::InstallProgramHelp();
    halden::frmConvert window;
    return QApplication::exec();
}
