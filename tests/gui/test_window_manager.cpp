// What the windows tell the window manager: the frame buttons of the fixed-size windows, and the
// state a companion window is shown in when the main window comes back from minimised.

#include "gui_actions.h"
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"
#include "storage/config_file.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "shared/ui_window.h"
#include "storage/frmUser.h"

#include <QAction>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

using namespace halden;
using namespace halden::test;

class WindowManagerTest : public halden::test::GuiTest {
    Q_OBJECT

    bool StartFull() {
        Settings stored;
        stored.pnShapeFlag = 1;
        if (!WriteProgramFiles(fixture->configDir(), CfgSaveBytes(stored), UserUnits{})) {
            return false;
        }
        window = std::make_unique<frmConvert>();
        return window->isVisible();
    }

private slots:

    void fixedSizeWindowsOfferNoMaximiseButton() {
        QVERIFY(StartFull());
        const std::pair<const char*, std::function<QWidget*()>> rows[] = {
            {"main", [&] { return static_cast<QWidget*>(window.get()); }},
            {"calculator", [&] { return static_cast<QWidget*>(window->calculatorWindow()); }},
            {"constants", [&] { return static_cast<QWidget*>(new frmConstants(window.get())); }},
            {"equivalence", [&] { return static_cast<QWidget*>(new frmEquiv(window.get())); }},
        };
        for (const auto& [name, make] : rows) {
            const QWidget* w = make();
            const Qt::WindowFlags flags = w->windowFlags();
            QVERIFY2(!flags.testFlag(Qt::WindowMaximizeButtonHint), name);
            // Without the customise flag the window system adds every button back.
            QVERIFY2(flags.testFlag(Qt::CustomizeWindowHint), name);
            QVERIFY2(flags.testFlag(Qt::WindowMinimizeButtonHint) && flags.testFlag(Qt::WindowCloseButtonHint), name);
            QVERIFY2(flags.testFlag(Qt::WindowTitleHint) && flags.testFlag(Qt::WindowSystemMenuHint), name);
            QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
        }
    }

    void fixedSizeFrameKeepsTypeAndTopmost() {
        struct Row {
            const char* name;
            Qt::WindowFlags before;
            MinimiseButton minimise;
        };
        const Row rows[] = {
            {"plain window", Qt::Window, MinimiseButton::Shown},
            {"topmost window", Qt::Window | Qt::WindowStaysOnTopHint, MinimiseButton::Shown},
            {"dialog without minimise", Qt::Dialog, MinimiseButton::None},
            {"topmost dialog", Qt::Dialog | Qt::WindowStaysOnTopHint, MinimiseButton::None},
        };
        for (const Row& row : rows) {
            QWidget w(nullptr, row.before);
            UseFixedSizeFrame(&w, row.minimise);
            const Qt::WindowFlags flags = w.windowFlags();
            QCOMPARE(flags & Qt::WindowType_Mask, row.before & Qt::WindowType_Mask);
            QCOMPARE(flags.testFlag(Qt::WindowStaysOnTopHint), row.before.testFlag(Qt::WindowStaysOnTopHint));
            QCOMPARE(flags.testFlag(Qt::WindowMinimizeButtonHint), row.minimise == MinimiseButton::Shown);
            QVERIFY2(!flags.testFlag(Qt::WindowMaximizeButtonHint), row.name);
        }
    }

    // The window manager minimises a transient companion with the main window; shown again while
    // it still counts as minimised, it would take the main window back down with it.
    void restoringTheMainWindowShowsMinimisedCompanionsNormally() {
        QVERIFY(StartFull());
        const std::pair<const char*, QAction*> rows[] = {
            {"constants", ui().mnuConvConst},
            {"Add Units", ui().mnuUserDef},
        };
        for (const auto& [name, item] : rows) {
            item->trigger();
        }
        const std::pair<const char*, QPointer<QWidget>> companions[] = {
            {"constants", window->findChild<frmConstants*>()},
            {"Add Units", window->findChild<frmUser*>()},
        };
        for (const auto& [name, companion] : companions) {
            QVERIFY2(!companion.isNull() && companion->isVisible(), name);
        }
        // (Minimising the first minimises the main window, which hides the second.)
        for (const auto& [name, companion] : companions) {
            companion->setWindowState(companion->windowState() | Qt::WindowMinimized);
        }
        window->setWindowState(Qt::WindowMinimized);
        for (const auto& [name, companion] : companions) {
            QVERIFY2(!companion->isVisible(), name);
        }
        window->setWindowState(Qt::WindowNoState);
        for (const auto& [name, companion] : companions) {
            QVERIFY2(companion->isVisible(), name);
            QVERIFY2(!companion->isMinimized(), name);
        }
    }

    // A companion closed before the main window was minimised stays closed after the restore.
    void restoringTheMainWindowLeavesClosedCompanionsClosed() {
        QVERIFY(StartFull());
        ui().mnuUserDef->trigger();
        QPointer<frmUser> dialog = window->findChild<frmUser*>();
        QVERIFY(!dialog.isNull());
        dialog->cmdCancel->click();
        QVERIFY(!state().pbUserOpen);
        window->setWindowState(Qt::WindowMinimized);
        window->setWindowState(Qt::WindowNoState);
        QVERIFY(dialog.isNull() || !dialog->isVisible());
    }
};

QTEST_MAIN(WindowManagerTest)
#include "test_window_manager.moc"
