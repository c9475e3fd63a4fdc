// What a screen reader is told about each window: every control a user can focus or act on has a
// name of its own, each window has the role of a window or a dialog, and the About window's moving
// notice gives it nothing to read at every step.
#include "app/unit_finder.h"
#include "app/unit_list.h"
#include "gui_fixture.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "app/frmMini.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "reference/frmHelp.h"
#include "reference/frmInfo.h"
#include "storage/frmUser.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <memory>
#include <vector>

using namespace halden;

namespace {

// Items of a list or a table are named by their own texts, which may repeat (the constants' units);
// a combo box's edit field and drop-down list are the combo box itself to its user.
bool HoldsItems(QAccessible::Role role) {
    return role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree ||
           role == QAccessible::ComboBox;
}

// "<role> at <path>: <name>" for each visible control that can take the focus or be acted on.
void CollectControls(QAccessibleInterface* iface, const QString& path, QStringList& controls) {
    if (iface == nullptr || iface->state().invisible) {
        return;
    }
    const QAccessibleActionInterface* actions = iface->actionInterface();
    const bool actionable = actions != nullptr && !actions->actionNames().isEmpty();
    if (iface->state().focusable || actionable) {
        controls << path + QLatin1Char('\t') + iface->text(QAccessible::Name);
    }
    if (HoldsItems(iface->role())) {
        return;
    }
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        const QString childPath = path + QLatin1Char('/') + QString::number(child == nullptr ? 0 : child->role(), 16);
        CollectControls(child, childPath, controls);
    }
}

}  // namespace

class AccessibleNamesTest : public halden::test::GuiTest {
    Q_OBJECT

    void tearDown() override { delete OpenHelpWindow(); }

private slots:
    void everyControlHasAUniqueNameAndEveryWindowARole() {
        InstallProgramHelp();
        frmConvert main;
        main.mnuConvArray[0]->trigger();
        main.show();
        main.mnuEditFind->trigger();
        main.mnuConvAllUnits->trigger();
        frmMini icon;
        frmCal calculator;
        frmConstants constants;
        frmEquiv equivalence;
        frmUser addUnits;
        frmInfo about;
        InstalledHelpViewer()(nullptr, QStringLiteral("HALDUCNV.HLP"), HelpCommand::Contents, 0);
        const std::vector<std::pair<const char*, QWidget*>> windows{{"main", &main},
                                                                    {"finder", main.unitFinder()},
                                                                    {"icon", &icon},
                                                                    {"calculator", &calculator},
                                                                    {"constants", &constants},
                                                                    {"equivalence", &equivalence},
                                                                    {"add units", &addUnits},
                                                                    {"about", &about},
                                                                    {"help", OpenHelpWindow()},
                                                                    {"all units", main.allUnitsWindow()}};
        for (const auto& [title, window] : windows) {
            QVERIFY2(window != nullptr, title);
            window->show();
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
            QVERIFY2(iface != nullptr, title);
            // A window or a dialog; the icon window is one button as a whole, named as a control.
            const QAccessible::Role role = iface->role();
            QVERIFY2(role == QAccessible::Window || role == QAccessible::Dialog || role == QAccessible::Button, title);
            QStringList controls;
            CollectControls(iface, QString(), controls);
            QVERIFY2(!controls.isEmpty(), title);
            QStringList names;
            for (const QString& control : controls) {
                const QString name = control.section(QLatin1Char('\t'), 1);
                const QString where = QStringLiteral("%1: %2").arg(QString::fromLatin1(title), control);
                QVERIFY2(!name.trimmed().isEmpty(), qPrintable(where + QStringLiteral(" has no name")));
                QVERIFY2(!names.contains(name), qPrintable(where + QStringLiteral(" repeats a name")));
                names << name;
            }
        }
        // The names heard for the converter's own boxes and lists, and the rows of Add Units.
        QCOMPARE(main.txtInput->accessibleName(), QStringLiteral("Value to convert"));
        QCOMPARE(main.lstConvInto->accessibleName(), QStringLiteral("Convert into unit"));
        QCOMPARE(addUnits.txtUserCoef[2]->accessibleName(), QStringLiteral("Factor, row 3"));
        addUnits.txtUserUnit[2]->setText(QStringLiteral("tsubo"));
        QVERIFY(addUnits.txtUserCoef[2]->accessibleDescription().contains(QStringLiteral("tsubo")));
        main.close();
    }

    void theAboutWindowsMovingNoticeIsOneStaticText() {
        // The notice moves a step at a time: a screen reader is given it whole, as a text with no
        // text of its own to read step by step, so the steps are nothing to speak.
        frmInfo about;
        about.show();
        for (int tick = 0; tick < 5; ++tick) {
            about.Timer1_Timer();
        }
        QAccessibleInterface* notice = QAccessible::queryAccessibleInterface(about.txtAllrights);
        QVERIFY(notice != nullptr);
        QCOMPARE(notice->role(), QAccessible::StaticText);
        QVERIFY(notice->textInterface() == nullptr);
        QCOMPARE(notice->text(QAccessible::Name), QStringLiteral("All rights reserved."));
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "test_accessible_names.moc"
