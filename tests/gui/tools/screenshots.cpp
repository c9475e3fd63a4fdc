// Takes pictures of the windows for the documentation and for looking at a change by eye: Add
// Units with a few rows typed in, and the main window with its Convert menu open. A tool, not a
// test: it checks nothing. Run it with HALDEN_SCREENSHOT_DIR set to where the pictures go:
//
//   QT_QPA_PLATFORM=offscreen HALDEN_SCREENSHOT_DIR=/tmp/shots build/bin/halden-screenshots

#include "gui_actions.h"
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"
#include "storage/config_file.h"

#include "app/frmConvert.h"
#include "storage/frmUser.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QTest>

using namespace halden;
using halden::test::Ui;

class Screenshots : public test::GuiTest {
    Q_OBJECT

private slots:
    void addUnitsWithRowsTypedIn() {
        userUnits().UserGroupName[0] = "Lengths";
        state().pbUserOpen = true;
        auto* dlg = new frmUser(fixture->store);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        dlg->txtUserUnit[2]->setText(QStringLiteral("尺 [shaku]"));
        test::TypeOver(dlg->txtUserCoef[2], QStringLiteral("0.30303"));
        test::TypeOver(dlg->txtUserCoef[3], QStringLiteral("1;2;3"));
        test::SaveScreenshot(dlg, QStringLiteral("frmUser"));
        delete dlg;
    }

    void mainWindowWithItsConvertMenuOpen() {
        Settings stored;
        stored.pnShapeFlag = 1;
        QVERIFY(test::WriteProgramFiles(fixture->configDir(), CfgSaveBytes(stored), UserUnits{}));
        window = std::make_unique<frmConvert>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QMenu* menu = Ui(*window).mnuConvert;
        const QRect itemRect = window->menuBar()->actionGeometry(menu->menuAction());
        menu->popup(window->menuBar()->mapToGlobal(itemRect.bottomLeft()));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // The menu is a window of its own: compose the two as the screen shows them.
        const QRect mainRect = window->frameGeometry();
        const QRect menuRect = menu->geometry();
        QPixmap picture(mainRect.united(menuRect).size());
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            const QPoint origin = mainRect.united(menuRect).topLeft();
            painter.drawPixmap(window->geometry().topLeft() - origin, window->grab());
            painter.drawPixmap(menuRect.topLeft() - origin, menu->grab());
        }
        const QString dir = qEnvironmentVariable("HALDEN_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QVERIFY(picture.save(dir + QStringLiteral("/flow_main_with_convert_menu.png")));
        }
        menu->hide();
    }
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
