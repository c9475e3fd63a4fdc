// A user's session driven by keys and mouse alone: access keys through the menus, Tab through
// the windows, Enter in the boxes and lists, the arrow keys through the unit lists, the Warp menu
// reached by keyboard, the history, the calculator's drop-down, the constants window's Copy.

#include "app/tool_button.h"
#include "app/unit_list.h"
#include "catalogue/unit_catalogue.h"
#include "gui_actions.h"
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"
#include "storage/config_file.h"
#include "storage/user_file.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "reference/frmInfo.h"
#include "storage/frmUser.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace halden;
using namespace halden::test;

namespace {

QString UnitName(int g, int i) {
    return QString::fromStdString(catalogue().UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]);
}

bool Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    // A window opened from a menu becomes active only once the menu has let go.
    return QTest::qWaitFor(
        [window] { return QApplication::activePopupWidget() == nullptr && QApplication::activeWindow() == window; });
}

// Types keys the way a user does: into whatever has the focus, or into an open popup menu.
void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = QApplication::activePopupWidget();
    if (target != nullptr && target->focusWidget() != nullptr) {
        target = target->focusWidget();
    }
    if (target == nullptr) {
        target = QApplication::focusWidget();
    }
    if (target == nullptr) {
        target = QApplication::activeWindow();
    }
    QTest::keyClick(target, key, modifiers);
}

// A button's access key presses the button and clicks it once the press has shown; the click is
// awaited however long a busy machine takes to get there.
void ButtonKey(Qt::Key key) {
    Keys(key, Qt::AltModifier);
    const auto nothingPressed = [] {
        const QWidgetList widgets = QApplication::allWidgets();
        return std::none_of(widgets.begin(), widgets.end(), [](const QWidget* widget) {
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            return button != nullptr && button->isDown();
        });
    };
    QVERIFY(QTest::qWaitFor(nothingPressed, 10000));
}

// An access-key path: Alt with the first letter, then the letters of the items below it.
void AccessKeys(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i) {
        const auto key = static_cast<Qt::Key>(Qt::Key_A + (path[i].toUpper().unicode() - 'A'));
        Keys(key, i == 0 ? Qt::AltModifier : Qt::NoModifier);
    }
}

// The control that owns the focus widget (an editable combo box's edit field counts as the box).
QWidget* FocusOwner() {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr) {
        return focus->parentWidget();
    }
    return focus;
}

// The controls Tab visits from the first, one press at a time, until it comes back to the first.
std::vector<QWidget*> TabCycle(QWidget* first, std::size_t limit) {
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{FocusOwner()};
    for (std::size_t i = 0; i < limit; ++i) {
        Keys(Qt::Key_Tab);
        if (FocusOwner() == first) {
            break;
        }
        visited.push_back(FocusOwner());
    }
    return visited;
}

}  // namespace

class UserSessionsTest : public halden::test::GuiTest {
    Q_OBJECT

    // Starts the program in its full shape, as a previous run left it, and makes it active.
    frmConvert* Start() {
        Settings stored;
        stored.pnShapeFlag = 1;
        if (!WriteProgramFiles(fixture->configDir(), CfgSaveBytes(stored), UserUnits{})) {
            return nullptr;
        }
        window = std::make_unique<frmConvert>();
        return Activate(window.get()) ? window.get() : nullptr;
    }

    void ClickRow(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

private slots:

    void accessKeysReachTheirMenuItems_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("expected");
        QTest::newRow("Options, Digits, Integer") << "osi"
                                                  << "figure" << 7;
        QTest::newRow("Options, Digits, 8") << "os8"
                                            << "figure" << 8;
        QTest::newRow("Options, Format, Scientific") << "ons"
                                                     << "form" << 1;
        QTest::newRow("Options, Focus, Tab") << "oft"
                                             << "focus" << 1;
        QTest::newRow("Options, Always on Top") << "ot"
                                                << "top" << 0;
        QTest::newRow("Convert, Constants") << "cc"
                                            << "constants" << 1;
        QTest::newRow("Options, Add Units") << "oa"
                                            << "user" << 1;
    }
    void accessKeysReachTheirMenuItems() {
        QFETCH(QString, path);
        QFETCH(QString, what);
        QFETCH(int, expected);
        QVERIFY(Start() != nullptr);
        settings().pnShowTop = 1;
        ui().mnuShowTop->setChecked(true);
        AccessKeys(path);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        const Settings& set = settings();
        const int actual = what == "group"       ? set.pnSelUnitGrp
                           : what == "figure"    ? set.pnFigure
                           : what == "form"      ? set.pnFormFlag
                           : what == "focus"     ? set.pnFocusFlag
                           : what == "top"       ? set.pnShowTop
                           : what == "constants" ? int{state().pbConstantsOpen}
                                                 : int{state().pbUserOpen};
        QCOMPARE(actual, expected);
    }

    // Every group item is reached by its access key: a letter used twice in one menu would only
    // move between the items instead of choosing one.
    void everyGroupItemIsReachedByItsAccessKeys() {
        QVERIFY(Start() != nullptr);
        const auto letter = [](const QAction* item) {
            const qsizetype at = item->text().indexOf(QLatin1Char('&'));
            return at < 0 ? QString() : item->text().mid(at + 1, 1).toLower();
        };
        const std::array<std::pair<QMenu*, GroupMenuKind>, 3> menus{{{ui().mnuConvert, GroupMenuKind::Convert},
                                                                     {ui().mnuConvOther, GroupMenuKind::Other},
                                                                     {ui().mnuConvComp, GroupMenuKind::Computer}}};
        int reached = 0;
        for (const auto& [menu, kind] : menus) {
            const QString prefix =
                QStringLiteral("c") + (menu == ui().mnuConvert ? QString() : letter(menu->menuAction()));
            int index = 0;
            for (QAction* item : menu->actions()) {
                if (item->isSeparator() || item->menu() != nullptr || !item->isCheckable()) {
                    continue;
                }
                const int group = item == ui().mnuConvDecimal ? 27 : GroupOfMenuItem(kind, index++);
                AccessKeys(prefix + letter(item));
                QCOMPARE(QApplication::activePopupWidget(), nullptr);
                QCOMPARE(int{settings().pnSelUnitGrp}, group);
                QVERIFY(item->isChecked());
                ++reached;
            }
        }
        QCOMPARE(reached, 14 + 1 + 13 + 3);
    }

    void tabVisitsEachWindowsControlsInItsOrder() {
        QVERIFY(Start() != nullptr);
        // The main window: the lists and boxes, never the Convert button below the window's edge.
        const std::vector<QWidget*> mainStops = TabCycle(ui().txtInput, 20);
        QVERIFY(std::find(mainStops.begin(), mainStops.end(), ui().lstConvFrom) != mainStops.end());
        QVERIFY(std::find(mainStops.begin(), mainStops.end(), ui().lstConvInto) != mainStops.end());
        QVERIFY(std::find(mainStops.begin(), mainStops.end(), ui().cmdConvert) == mainStops.end());

        // The calculator: input, "=", "<", result.
        frmCal* cal = window->calculatorWindow();
        QVERIFY(Activate(cal));
        const std::vector<QWidget*> calOrder{cal->cboInput, cal->cmdExecCalc, cal->cmdReplace, cal->txtCalResult};
        QCOMPARE(TabCycle(cal->cboInput, 10), calOrder);
        cal->close();
        QVERIFY(Activate(window.get()));

        // Add Units: row by row, name then coefficient, then Save, Cancel and Help.
        AccessKeys(QStringLiteral("oa"));
        auto* user = window->findChild<frmUser*>();
        QVERIFY(user != nullptr);
        QVERIFY(Activate(user));
        std::vector<QWidget*> userOrder{user->cboUserGroups};
        for (int i = 0; i < frmUser::kRows; ++i) {
            userOrder.push_back(user->txtUserUnit[static_cast<std::size_t>(i)]);
            userOrder.push_back(user->txtUserCoef[static_cast<std::size_t>(i)]);
        }
        userOrder.insert(userOrder.end(), {user->cmdSave, user->cmdCancel, user->cmdHelp});
        QCOMPARE(TabCycle(user->cboUserGroups, 40), userOrder);
    }

    void enterInTheInputConvertsOnceAndPressesNoButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void enterInTheInputConvertsOnceAndPressesNoButton() {
        QFETCH(int, key);
        QVERIFY(Start() != nullptr);
        ClickRow(ui().lstConvFrom, 2);
        ClickRow(ui().lstConvInto, 1);
        ui().txtInput->setFocus();
        // A comma is warned about on every run of the convert command: the warnings count the runs.
        QTest::keyClicks(ui().txtInput, QStringLiteral("1,5"));
        ui().txtResult->clear();
        const std::size_t before = fixture->fake.messages.size();
        QSignalSpy pressed(ui().cmdConvert, &QPushButton::clicked);
        Keys(static_cast<Qt::Key>(key));
        QCOMPARE(fixture->fake.messages.size(), before + 1);
        QCOMPARE(pressed.count(), 0);
        // A comma is warned about and the number before it converts: 1 mm = 0.1 cm.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("0.100000"));
    }

    void focusShiftAfterAnIntoClick_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("warp");
        QTest::addColumn<bool>("toInput");
        QTest::addColumn<QString>("expected");
        // 2 m/s into knots (1852 m per hour): 2 × 3600 / 1852 m/s.
        QTest::newRow("Auto") << "a" << false << true << QStringLiteral("3.88769");
        QTest::newRow("Tab") << "t" << false << false << QStringLiteral("3.88769");
        // Warp ignores the typed 2: no level chosen is Warp 1, the speed of light, 299792458 m/s,
        // into knots, above 1E6 and so in exponent form.
        QTest::newRow("Auto, input disabled by Warp") << "a" << true << false << QStringLiteral("5.82750E+08");
    }
    void focusShiftAfterAnIntoClick() {
        QFETCH(QString, option);
        QFETCH(bool, warp);
        QFETCH(bool, toInput);
        QFETCH(QString, expected);
        QVERIFY(Start() != nullptr);
        AccessKeys(QStringLiteral("cy"));
        AccessKeys(QStringLiteral("of") + option);
        ui().txtInput->setFocus();
        QTest::keyClicks(ui().txtInput, QStringLiteral("2"));
        ClickRow(ui().lstConvFrom, warp ? kWarpUnit : 0);
        QCOMPARE(ui().txtInput->isEnabled(), !warp);
        ClickRow(ui().lstConvInto, 2);
        QCOMPARE(QApplication::focusWidget(),
                 toInput ? static_cast<QWidget*>(ui().txtInput) : static_cast<QWidget*>(ui().lstConvInto));
        QCOMPARE(ui().txtResult->text(), expected);
    }

    void arrowKeysMoveTheBlankIntoEntryAndConvert() {
        QVERIFY(Start() != nullptr);
        AccessKeys(QStringLiteral("oft"));
        ui().txtInput->setFocus();
        QTest::keyClicks(ui().txtInput, QStringLiteral("3"));
        ClickRow(ui().lstConvInto, 0);
        ui().lstConvFrom->setFocus(Qt::TabFocusReason);
        // 3 of each From unit in turn into metres, six significant digits.
        struct Step {
            int row;
            QString expected;
        };
        const std::array<Step, 4> steps{{
            // The Into entry chosen is the one now blanked: no target, so no result beside it.
            {0, QString()},
            {1, QStringLiteral("0.0300000")},   // centimetres
            {2, QStringLiteral("0.00300000")},  // millimetres
            {3, QStringLiteral("4828.03")},     // miles: 3 × 1609.344 m
        }};
        for (const Step& step : steps) {
            Keys(Qt::Key_Down);
            QCOMPARE(ui().lstConvFrom->currentRow(), step.row);
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(ui().lstConvInto->item(i)->text(), i == step.row ? QString() : UnitName(0, i));
            }
            QCOMPARE(ui().txtResult->text(), step.expected);
        }
        // The Into list by keyboard converts as well, and with "&Tab" keeps the focus.
        ui().lstConvInto->setFocus(Qt::TabFocusReason);
        Keys(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), ui().lstConvInto);
        QCOMPARE(ui().lstConvInto->currentRow(), 1);
        // 3 miles into centimetres: 482803.2 cm.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("482803"));
    }

    void warpByKeyboardPopsItsMenuAndAGroupSwitchGivesTheInputBack() {
        QVERIFY(Start() != nullptr);
        AccessKeys(QStringLiteral("cy"));
        AccessKeys(QStringLiteral("oft"));
        ui().txtInput->setFocus();
        QTest::keyClicks(ui().txtInput, QStringLiteral("5"));
        ClickRow(ui().lstConvInto, 0);
        ui().lstConvFrom->setFocus(Qt::TabFocusReason);
        // Choosing nothing: the input is disabled and keeps its text.
        fixture->fake.popupChoice.clear();
        Keys(Qt::Key_End);
        QCOMPARE(fixture->fake.popups.size(), std::size_t{1});
        QCOMPARE(fixture->fake.popups.back().menu, ui().mnuWarp);
        QVERIFY(!ui().txtInput->isEnabled());
        QCOMPARE(ui().txtInput->text(), QStringLiteral("5"));
        // Up and down again: the level chosen fills the input and converts at once.
        fixture->fake.popupChoice = ui().mnuWarpArray[12]->text();
        Keys(Qt::Key_Up);
        QVERIFY(ui().txtInput->isEnabled());
        Keys(Qt::Key_Down);
        const QString level = QString::fromStdString(catalogue().WarpName[12]).trimmed();
        QCOMPARE(level, QStringLiteral("9.99"));
        QCOMPARE(ui().txtInput->text(), level);
        QVERIFY(!ui().txtInput->isEnabled());
        // Warp 9.99 is 7912 times the speed of light (299792458 m/s): 2371957927696 m/s.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("2.37196E+12"));
        // Enter on Warp converts again without popping the menu up.
        Keys(Qt::Key_Return);
        QCOMPARE(fixture->fake.popups.size(), std::size_t{2});
        // Another group takes Warp away: the input can be typed in again and keeps its text.
        AccessKeys(QStringLiteral("cl"));
        QVERIFY(ui().txtInput->isEnabled());
        QCOMPARE(ui().txtInput->text(), level);
        QCOMPARE(ui().txtResult->text(), QString());
        ClickRow(ui().lstConvFrom, 1);
        ClickRow(ui().lstConvInto, 0);
        // The level text now converts as a number: 9.99 cm = 0.0999 m.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("0.0999000"));
    }

    void historyItemsChosenByKeyboardPutTheirEntryOnTheClipboard() {
        QVERIFY(Start() != nullptr);
        AccessKeys(QStringLiteral("oft"));
        ClickRow(ui().lstConvFrom, 2);
        ClickRow(ui().lstConvInto, 1);
        for (const QString& text : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
            ui().txtInput->setFocus();
            ui().txtInput->selectAll();
            QTest::keyClicks(ui().txtInput, text);
            QTest::mouseClick(ui().picCopy, Qt::LeftButton, {}, QPoint(5, 5));
        }
        QCOMPARE(test::HistoryShown(ui()).size(), 3);
        // 2 mm = 0.2 cm, six significant digits.
        const QString entry = QStringLiteral("2 ") + UnitName(0, 2) + QStringLiteral(" = 0.200000 ") + UnitName(0, 1);
        QCOMPARE(test::HistoryShown(ui())[1], entry);
        // Edit, History, then the second item.
        AccessKeys(QStringLiteral("eh"));
        Keys(Qt::Key_Down);
        Keys(Qt::Key_Return);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(fixture->fake.clipboard, entry);
    }

    void calculatorHistoryByKeyboardAndReplaceThenExecute() {
        QVERIFY(Start() != nullptr);
        frmCal* cal = window->calculatorWindow();
        QVERIFY(Activate(cal));
        cal->cboInput->setFocus();
        for (const QString& text : {QStringLiteral("2*3"), QStringLiteral("10/4")}) {
            cal->cboInput->lineEdit()->selectAll();
            QTest::keyClicks(cal->cboInput->lineEdit(), text);
            Keys(Qt::Key_Return);
        }
        QCOMPARE(cal->cboInput->count(), 2);
        // The drop-down by keyboard: open it, step to the older entry and take it. Taking it does
        // not run the calculation; the next Enter does, once.
        Keys(Qt::Key_Down, Qt::AltModifier);
        QVERIFY(QApplication::activePopupWidget() != nullptr);
        Keys(Qt::Key_Down);
        Keys(Qt::Key_Return);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(cal->cboInput->currentText(), QStringLiteral("2*3"));
        QCOMPARE(cal->cboInput->count(), 2);
        Keys(Qt::Key_Return);
        QCOMPARE(cal->cboInput->count(), 3);
        QCOMPARE(cal->txtCalResult->text(), QStringLiteral("6.00000"));
        // "<" then "=" by keyboard: the result goes back into the input to be worked on further.
        cal->cmdReplace->setFocus(Qt::TabFocusReason);
        Keys(Qt::Key_Space);
        QCOMPARE(cal->cboInput->currentText(), QStringLiteral("6.00000"));
        cal->cboInput->setFocus(Qt::TabFocusReason);
        Keys(Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("*2"));
        cal->cmdExecCalc->setFocus(Qt::TabFocusReason);
        Keys(Qt::Key_Space);
        QCOMPARE(cal->cboInput->count(), 4);
        QCOMPARE(cal->cboInput->itemText(0), QStringLiteral("6.00000*2"));
        QCOMPARE(cal->txtCalResult->text(), QStringLiteral("12.0000"));
    }

    void addUnitsByKeyboardRejectsABadCoefficientAndSavesWithAltS() {
        QVERIFY(Start() != nullptr);
        AccessKeys(QStringLiteral("oa"));
        auto* user = window->findChild<frmUser*>();
        QVERIFY(user != nullptr);
        QVERIFY(Activate(user));
        user->cboUserGroups->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(user->cboUserGroups->lineEdit(), QStringLiteral("Mine"));
        Keys(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("span"));
        Keys(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0.2286"));
        Keys(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("pace"));
        Keys(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1;2;3"));
        QCOMPARE(user->txtUserCoef[1]->palette().color(QPalette::Base), QColor(255, 255, 0));
        ButtonKey(Qt::Key_S);
        QCOMPARE(window->findChild<frmUser*>(), nullptr);
        QVERIFY(!state().pbUserOpen);
        QCOMPARE(userUnits().UserGroupName[0], std::string("Mine"));
        QCOMPARE(userUnits().UserUnitName[0][0], std::string("span"));
        QCOMPARE(userUnits().UserFactorText[0][0], std::string("0.2286"));
        QCOMPARE(userUnits().UserFactorText[0][1], std::string("1"));
        // Keystroke by keystroke, 1;2 was the last text accepted.
        QCOMPARE(userUnits().UserOffsetText[0][1], std::string("2"));
        QCOMPARE(ui().mnuUserArray[0]->text(), QStringLiteral("Mine"));
    }

    // Closing the program (as a signal or the session's end also does) with Add Units edited
    // keeps the edits beside the units file, or in the user's state folder where that place is
    // taken, and the next opening offers them once. Where neither can take them, one message says
    // which units are lost.
    void unsavedAddUnitsEditsOutliveTheSession_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("placesTaken");
        QTest::newRow("restored") << "&Yes" << 0;
        QTest::newRow("declined") << "&No" << 0;
        QTest::newRow("restored from the state folder") << "&Yes" << 1;
        QTest::newRow("a folder in both recovery files' places") << "" << 2;
    }

    void unsavedAddUnitsEditsOutliveTheSession() {
        QFETCH(QString, answer);
        QFETCH(int, placesTaken);
        const bool restore = answer == QStringLiteral("&Yes");
        const QString places[] = {QString::fromStdString(UserUnitsStore::RecoveryFilePath()),
                                  QString::fromStdString(UserUnitsStore::StateRecoveryFilePath())};
        for (int i = 0; i < placesTaken; ++i) {
            QVERIFY(QDir().mkpath(places[i]));
        }
        const QString recovery = places[placesTaken % 2];
        QVERIFY(Start() != nullptr);
        ui().mnuUserDef->trigger();
        auto* user = window->findChild<frmUser*>();
        QVERIFY(user != nullptr);
        TypeOver(user->txtUserUnit[2], QStringLiteral("span"));
        TypeOver(user->txtUserCoef[2], QStringLiteral("0.2286"));
        const QString unitsFile = fixture->configDir() + QStringLiteral("HUC_USER.DAT");
        const auto before = ReadBytes(unitsFile);
        window->close();
        window.reset();
        DeletePending();
        QVERIFY(fixture->fake.questions.empty());
        QCOMPARE(ReadBytes(unitsFile), before);
        if (answer.isEmpty()) {
            QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
            QCOMPARE(fixture->fake.messages[0].text,
                     std::string("Your unsaved changes to these units could not be kept: User 1 (span).\r"
                                 "Failed to save file as 'HUC_USER.DAT.unsaved'.\r"
                                 "'HUC_USER.DAT.unsaved' is a folder, not a file."));
            return;
        }
        QVERIFY(QFile::exists(recovery));

        QVERIFY(Start() != nullptr);
        fixture->fake.answers = {answer};
        ui().mnuUserDef->trigger();
        user = window->findChild<frmUser*>();
        QVERIFY(user != nullptr);
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
        QCOMPARE(fixture->fake.questions[0].message.text,
                 std::string("Restore the unsaved changes to your units from the last session?"));
        QVERIFY(!QFile::exists(recovery));
        QCOMPARE(user->txtUserUnit[2]->text(), restore ? QStringLiteral("span") : QString());
        QCOMPARE(user->HasUnsavedEdits(), restore);
        user->cmdSave->click();
        // Saved as the group's first unit: the rows above it were blank.
        QCOMPARE(userUnits().UserUnitName[0][0], std::string(restore ? "span" : ""));
        QCOMPARE(userUnits().UserFactorText[0][0], std::string(restore ? "0.2286" : ""));
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
    }

    void aboutOpenedByKeyboardClosesOnEnterAlone() {
        QVERIFY(Start() != nullptr);
        bool okHasFocus = false;
        bool otherKeysLeftItOpen = false;
        bool enterClosedIt = false;
        QTimer poll;
        int polls = 0;
        QObject::connect(&poll, &QTimer::timeout, window.get(), [&] {
            auto* about = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
            if (about == nullptr) {
                return;
            }
            // Its focus settles once it has become the active window; a busy machine takes a while.
            if (about->focusWidget() == nullptr && ++polls < 500) {
                return;
            }
            poll.stop();
            okHasFocus = about->focusWidget() == about->cmdOK;
            for (const Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_Space}) {
                QTest::keyClick(about->focusWidget(), key);
            }
            otherKeysLeftItOpen = about->isVisible();
            QTest::keyClick(about->focusWidget(), Qt::Key_Return);
            enterClosedIt = !about->isVisible();
            if (about->isVisible()) {
                about->done(0);  // never leave the test waiting on a modal window
            }
        });
        poll.start(10);
        AccessKeys(QStringLiteral("ha"));
        QVERIFY(okHasFocus);
        QVERIFY(otherKeysLeftItOpen);
        QVERIFY(enterClosedIt);
    }

    void constantsListsByKeyboardAndAltCCopies() {
        QVERIFY(Start() != nullptr);
        AccessKeys(QStringLiteral("cc"));
        auto* constants = window->findChild<frmConstants*>();
        QVERIFY(constants != nullptr);
        QVERIFY(Activate(constants));
        // The gas constant is the ninth row, the eleventh entry of the first page (two empty separators before it).
        constants->lstValue->setFocus(Qt::TabFocusReason);
        Keys(Qt::Key_Home);
        for (int i = 0; i < 10; ++i) {
            Keys(Qt::Key_Down);
        }
        ButtonKey(Qt::Key_C);
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("8.31441"));
        ButtonKey(Qt::Key_P);
        QVERIFY(constants->lstValue->selectedItems().isEmpty());
        ButtonKey(Qt::Key_L);
        QVERIFY(!constants->isVisible());
        QVERIFY(!state().pbConstantsOpen);
    }
};

QTEST_MAIN(UserSessionsTest)
#include "test_user_sessions.moc"
