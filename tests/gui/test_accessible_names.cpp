// What a screen reader is told about each window: every control a user can focus or act on has a
// name of its own, each window has the role of a window or a dialog, and the About window's moving
// notice gives it nothing to read at every step; a refused text, the finder, the tool buttons'
// keys, and list entries that stand for a whole line or for nothing.
#include "app/tool_button.h"
#include "app/unit_finder.h"
#include "app/unit_list.h"
#include "gui_fixture.h"
#include "main_window_ui.h"

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
using halden::test::Ui;

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

// What a notice of window says now; empty when it is not shown.
QString Heard(QWidget* window, const char* notice) {
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(notice));
    return widget != nullptr && widget->isVisible()
               ? QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name)
               : QString();
}

QString EntryName(QWidget* list, int row) {
    return QAccessible::queryAccessibleInterface(list)->child(row)->text(QAccessible::Name);
}

}  // namespace

class AccessibleNamesTest : public halden::test::GuiTest {
    Q_OBJECT

    void tearDown() override { delete OpenHelpWindow(); }

private slots:
    void everyControlHasAUniqueNameAndEveryWindowARole() {
        InstallProgramHelp();
        frmConvert main;
        Ui(main).mnuConvArray[0]->trigger();
        main.show();
        Ui(main).mnuEditFind->trigger();
        Ui(main).mnuConvAllUnits->trigger();
        frmMini icon;
        frmCal calculator;
        frmConstants constants;
        frmEquiv equivalence;
        frmUser addUnits(fixture->store);
        frmInfo about;
        InstalledHelpViewer()(nullptr, QStringLiteral("HALDUCNV.HLP"), HelpCommand::Contents, 0);
        const std::vector<std::pair<const char*, QWidget*>> windows{{"main", &main},
                                                                    {"finder", main.findChild<UnitFinder*>()},
                                                                    {"icon", &icon},
                                                                    {"calculator", &calculator},
                                                                    {"constants", &constants},
                                                                    {"equivalence", &equivalence},
                                                                    {"add units", &addUnits},
                                                                    {"about", &about},
                                                                    {"help", OpenHelpWindow()},
                                                                    {"all units", main.findChild<frmAllUnits*>()}};
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
        QCOMPARE(Ui(main).txtInput->accessibleName(), QStringLiteral("Value to convert"));
        QCOMPARE(Ui(main).lstConvInto->accessibleName(), QStringLiteral("Convert into unit"));
        QCOMPARE(addUnits.txtUserCoef[2]->accessibleName(), QStringLiteral("Factor, row 3"));
        addUnits.txtUserUnit[2]->setText(QStringLiteral("tsubo"));
        QVERIFY(addUnits.txtUserCoef[2]->accessibleDescription().contains(QStringLiteral("tsubo")));
        main.close();
    }

    void aRefusedFactorIsInvalidDescribedAndHeard() {
        frmUser addUnits(fixture->store);
        addUnits.show();
        QLineEdit* factor = addUnits.txtUserCoef[1];
        QTest::keyClicks(factor, QStringLiteral("1x"));
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(factor);
        QVERIFY(box->state().invalid);
        QCOMPARE(box->text(QAccessible::Description), QStringLiteral("not a number; the factor stays 1"));
        QCOMPARE(Heard(&addUnits, "refusalNotice"), QStringLiteral("Factor, row 2: not a number; the factor stays 1"));
        // Still an entry box to read and edit.
        QCOMPARE(box->textInterface()->text(0, 2), QStringLiteral("1x"));
        QVERIFY(box->editableTextInterface() != nullptr && box->state().editable);
        QTest::keyClick(factor, Qt::Key_Backspace);
        QVERIFY(!box->state().invalid && box->text(QAccessible::Description).isEmpty());
        // The group's combo box is named once: its text field has no name of its own.
        QVERIFY(QAccessible::queryAccessibleInterface(addUnits.cboUserGroups->lineEdit())
                    ->text(QAccessible::Name)
                    .isEmpty());
    }

    void theFinderIsAWindowOfTheProgramAndKeysAndLinesAreTold() {
        frmConvert main;
        Ui(main).mnuConvArray[0]->trigger();
        main.show();
        Ui(main).mnuEditFind->trigger();
        QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
        QAccessibleInterface* finder = QAccessible::queryAccessibleInterface(main.findChild<UnitFinder*>());
        QVERIFY(program->indexOfChild(finder) >= 0);
        QCOMPARE(program->child(program->indexOfChild(finder)), finder);
        QCOMPARE(finder->text(QAccessible::Name), QStringLiteral("Find Unit"));
        main.findChild<UnitFinder*>()->close();

        const std::vector<std::pair<QWidget*, const char*>> tools{
            {Ui(main).picPaste, "Paste the clipboard's text as the value to convert (Ctrl+Shift+V)"},
            {Ui(main).picShrink, "Reduce the converter to its icon window (Ctrl+Shift+R)"},
            {Ui(main).picCal, "Open the calculator (Ctrl+Shift+L)"},
            {Ui(main).picCopy, "Copy the result (Ctrl+Shift+C)"}};
        for (const auto& [button, tip] : tools) {
            QCOMPARE(button->toolTip(), QString::fromUtf8(tip));
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description), button->toolTip());
        }
        frmMini icon;
        QVERIFY(!icon.toolTip().isEmpty() && !icon.toolTip().contains(icon.windowTitle()));

        // The Into list's entry of the From unit shows nothing: it is heard as blank.
        Ui(main).lstConvFrom->setCurrentRow(3);
        QCOMPARE(EntryName(Ui(main).lstConvInto, 3), QStringLiteral("(blank)"));
        Ui(main).lstConvFrom->setCurrentRow(2);
        QCOMPARE(EntryName(Ui(main).lstConvInto, 3), Ui(main).lstConvInto->item(3)->text());
        frmConstants constants;
        QCOMPARE(EntryName(constants.lstValue, 0), QStringLiteral("Avogadro定数, ＮA = 6.022 045 E+23 mol^-1"));
        QCOMPARE(EntryName(constants.lstSymbol, 4), QStringLiteral("(blank)"));
        constants.cmdNext_Click();
        QCOMPARE(EntryName(constants.lstUnit, 6), QStringLiteral("微細構造定数, α-1 = 1.370 360 4 E+2"));
        frmEquiv equivalence;
        QCOMPARE(EntryName(equivalence.lstAlternative, 6), QStringLiteral("光束: lumen (lm) = cd-sr"));
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
