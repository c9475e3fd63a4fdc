// The main window driven the way a user drives it: choose a group, pick units, type, copy,
// reduce, restore, quit.

#include "app/tool_button.h"
#include "app/unit_list.h"
#include "catalogue/unit_catalogue.h"
#include "gui_actions.h"
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "app/frmMini.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "shared/ui_twips.h"
#include "storage/frmUser.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

using namespace halden;
using namespace halden::test;

namespace {

QString UnitName(int g, int i) {
    return QString::fromStdString(catalogue().UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]);
}

void TypeInto(QLineEdit* box, const QString& text) {
    for (const QChar c : text) {
        box->setText(box->text() + c);
    }
}

}  // namespace

class FrmConvertTest : public halden::test::GuiTest {
    Q_OBJECT

    // A started window in the full shape with group g chosen from its menu.
    frmConvert* Started(int g = 0) {
        window = std::make_unique<frmConvert>();
        const GroupMenuItem item = GroupMenuItemOf(g);
        switch (item.kind) {
            case GroupMenuKind::Convert:
                ui().mnuConvArray[static_cast<std::size_t>(item.index)]->trigger();
                break;
            case GroupMenuKind::Computer:
                ui().mnuConvCompArray[static_cast<std::size_t>(item.index)]->trigger();
                break;
            default:
                QFAIL_RETURN();
        }
        return window.get();
    }
    static void QFAIL_RETURN() { QFAIL("unsupported group in test helper"); }

private slots:

    void startupShowsItsMessageBeforeAnyWindowAndStartsReduced() {
        int visibleWindowsAtMessage = -1;
        fixture->fake.onMessage = [&](const Message&) {
            visibleWindowsAtMessage = 0;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                visibleWindowsAtMessage += w->isVisible() ? 1 : 0;
            }
        };
        window = std::make_unique<frmConvert>();
        // A fresh start has neither file: the configuration fallback only; no user units file is
        // the normal state of a fresh install.
        QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
        QCOMPARE(fixture->fake.messages[0].icon, MessageIcon::Information);
        QCOMPARE(visibleWindowsAtMessage, 0);
        QVERIFY(fixture->fake.helpFile.endsWith(QStringLiteral("HALDUCNV.HLP")));
        // Defaults: reduced shape, group 0, lists filled and nothing selected.
        QVERIFY(test::IconWindow() != nullptr);
        QVERIFY(test::IconWindow()->isVisible());
        QVERIFY(!window->isVisible());  // parked: hidden, not moved off-screen
        QCOMPARE(window->windowTitle(),
                 QStringLiteral(" Halden Unit Converter - ") + QString::fromStdString(catalogue().GroupName[0]));
        QCOMPARE(settings().pnSelUnitItem, catalogue().UnitCount[0]);
        QCOMPARE(ui().lstConvFrom->count(), int{catalogue().UnitCount[0]});
        QCOMPARE(ui().lstConvFrom->currentRow(), -1);
        QVERIFY(ui().mnuConvArray[0]->isChecked());
        QVERIFY(ui().mnuOptionsFigArray[1]->isChecked());
        QVERIFY(!ui().mnuShowTop->isChecked());
        QVERIFY(!ui().mnuHistory->isEnabled());
        SaveScreenshot(test::IconWindow(), QStringLiteral("mini_at_startup"));
    }

    void typingWithNothingSelectedShowsInputErrorPerKeystrokeThenUnitsConvert() {
        Started(0);
        ui().txtInput->setText(QStringLiteral("1"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("Input error"));
        ui().txtResult->clear();
        ui().txtInput->setText(QStringLiteral("12"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("Input error"));
        ui().lstConvFrom->setCurrentRow(2);
        ui().lstConvInto->setCurrentRow(1);
        // Millimetres into centimetres (1 mm = 0.1 cm), six significant digits.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("1.20000"));
        TypeInto(ui().txtInput, QStringLiteral("5"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("12.5000"));
        SaveScreenshot(window.get(), QStringLiteral("main_window"));
    }

    void theFirstChangeOfTheInputNeverConverts() {
        Started(0);
        ui().lstConvFrom->setCurrentRow(2);
        ui().lstConvInto->setCurrentRow(1);
        state().pbInputReady = false;
        ui().txtInput->setText(QStringLiteral("3"));
        QCOMPARE(ui().txtResult->text(), QString());
        QVERIFY(state().pbInputReady);
        ui().txtInput->setText(QStringLiteral("4"));
        // 4 mm = 0.4 cm, six significant digits.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("0.400000"));
    }

    void theBlankIntoEntryFollowsTheFromSelection() {
        Started(0);
        ui().lstConvFrom->setCurrentRow(2);
        QCOMPARE(ui().lstConvInto->item(2)->text(), QString());
        ui().lstConvFrom->setCurrentRow(3);
        QCOMPARE(ui().lstConvInto->item(2)->text(), UnitName(0, 2));
        QCOMPARE(ui().lstConvInto->item(3)->text(), QString());
        ui().txtInput->setText(QStringLiteral("7"));
        ui().lstConvInto->setCurrentRow(1);
        QVERIFY(!ui().txtResult->text().isEmpty());
        ui().lstConvInto->setCurrentRow(3);
        QCOMPARE(ui().txtResult->text(), QString());
    }

    void onlyALeftClickOrAKeyChoosesAUnit() {
        Started(0);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        ui().txtInput->setFocus();
        ui().txtInput->setText(QStringLiteral("3"));
        ui().txtResult->clear();
        for (QListWidget* list : {ui().lstConvFrom, ui().lstConvInto}) {
            list->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), list);
            QCOMPARE(list->currentRow(), -1);
        }
        QCOMPARE(ui().lstConvInto->item(0)->text(), UnitName(0, 0));
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QListWidget* from = ui().lstConvFrom;
            QTest::mouseClick(from->viewport(), button, {}, from->visualItemRect(from->item(2)).center());
            QCOMPARE(from->currentRow(), -1);
        }
        QCOMPARE(ui().lstConvInto->item(2)->text(), UnitName(0, 2));
        QCOMPARE(ui().txtResult->text(), QString());
        // The arrow keys still choose, starting at the first unit.
        ui().lstConvFrom->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui().lstConvFrom, Qt::Key_Down);
        QCOMPARE(ui().lstConvFrom->currentRow(), 0);
        QCOMPARE(ui().lstConvInto->item(0)->text(), QString());
        // A click into the other list chooses the clicked unit as its focus arrives.
        ui().txtInput->setFocus();
        QListWidget* into = ui().lstConvInto;
        QTest::mouseClick(into->viewport(), Qt::LeftButton, {}, into->visualItemRect(into->item(2)).center());
        QCOMPARE(into->currentRow(), 2);
        // 3 m into millimetres, six significant digits.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("3000.00"));
    }

    // Keys move through either list without taking the focus from it; Enter in the Into list hands
    // the focus on to the input box where Focus Shift is Auto, as a click does.
    void keysInTheListsKeepTheFocusAndEnterHandsItOn_data() {
        QTest::addColumn<int>("focusShift");
        QTest::newRow("Auto") << 0;
        QTest::newRow("Manual") << 1;
    }
    void keysInTheListsKeepTheFocusAndEnterHandsItOn() {
        QFETCH(int, focusShift);
        Started(0);
        settings().pnFocusFlag = static_cast<std::int16_t>(focusShift);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        ui().txtInput->setText(QStringLiteral("3"));
        for (UnitList* list : {ui().lstConvFrom, ui().lstConvInto}) {
            list->setFocus(Qt::TabFocusReason);
            for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
                QTest::keyClick(list, key);
                QCOMPARE(QApplication::focusWidget(), list);
            }
            QCOMPARE(list->currentRow(), 1);
        }
        // The Into entry beside the From unit is blank: one more Down chooses a unit to convert into.
        QTest::keyClick(ui().lstConvInto, Qt::Key_Down);
        QVERIFY(!ui().txtResult->text().isEmpty());
        QTest::keyClick(ui().lstConvInto, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(),
                 focusShift == 0 ? static_cast<QWidget*>(ui().txtInput) : static_cast<QWidget*>(ui().lstConvInto));
    }

    // Ctrl+E and the hidden spot's press action open the equivalence table; Escape closes the
    // companion windows; F10 opens the menu bar.
    void companionWindowsOpenAndCloseFromTheKeyboard() {
        Started(0);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto escapeCloses = [](QWidget* companion) {
            QVERIFY(companion != nullptr && companion->isVisible());
            QVERIFY(QTest::qWaitFor([companion] {
                companion->activateWindow();
                return QApplication::activeWindow() == companion;
            }));
            QWidget* focus = companion->focusWidget();
            QTest::keyClick(focus != nullptr ? focus : companion, Qt::Key_Escape);
            QVERIFY(!companion->isVisible());
        };
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(ui().txtInput, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(state().pbEquivOpen);
        escapeCloses(window->findChild<frmEquiv*>());
        QVERIFY(!state().pbEquivOpen);
        QVERIFY(QTest::qWaitFor([this] { return window->findChild<frmEquiv*>() == nullptr; }));
        QAccessibleInterface* spot = QAccessible::queryAccessibleInterface(ui().lblHidden);
        QVERIFY(spot != nullptr && spot->actionInterface() != nullptr);
        QCOMPARE(spot->role(), QAccessible::Button);
        spot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        escapeCloses(window->findChild<frmEquiv*>());
        ui().mnuConvConst->trigger();
        escapeCloses(window->findChild<frmConstants*>());
        QVERIFY(!state().pbConstantsOpen);
        ui().mnuUserDef->trigger();
        escapeCloses(window->findChild<frmUser*>());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(ui().txtInput, Qt::Key_F10);
        QCOMPARE(window->menuBar()->activeAction(), ui().mnuFile->menuAction());
        ui().mnuFile->hide();
    }

    void velocityIntoHasNoWarpAndChoosingWarpConvertsTheLevel() {
        Started(kGroupVelocity);
        const int count = catalogue().UnitCount[kGroupVelocity];
        QCOMPARE(ui().lstConvFrom->count(), count);
        QCOMPARE(ui().lstConvInto->count(), count - 1);
        ui().lstConvInto->setCurrentRow(0);
        fixture->fake.popupChoice = ui().mnuWarpArray[3]->text();
        ui().lstConvFrom->setCurrentRow(kWarpUnit);
        QCOMPARE(fixture->fake.popups.back().menu, ui().mnuWarp);
        QVERIFY(!ui().txtInput->isEnabled());
        QCOMPARE(state().WarpIdx, std::int16_t{3});
        const QString level = QString::fromStdString(catalogue().WarpName[3]).trimmed();
        QCOMPARE(ui().txtInput->text(), level);
        QCOMPARE(level, QStringLiteral("4"));
        // Warp 4 is 102 times the speed of light (299792458 m/s): 30578830716 m/s, above 1E6, so
        // in exponent form with six significant digits.
        QCOMPARE(ui().txtResult->text(), QStringLiteral("3.05788E+10"));
        // Another unit gives the input back.
        ui().lstConvFrom->setCurrentRow(1);
        QVERIFY(ui().txtInput->isEnabled());
        QCOMPARE(ui().lstConvInto->item(0)->text(), UnitName(kGroupVelocity, 0));
    }

    // The number check would refuse letters; the radix group converts the text itself and only
    // its own converters judge it.
    void hexGroupPassesTheTextThroughUnchecked_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("into");
        QTest::addColumn<QString>("expected");
        // Units: 0 Decimal, 1 Binary, 2 Octal, 3 Hexadecimal.
        QTest::newRow("Hexadecimal into Decimal") << 3 << 0 << QStringLiteral("255");
        QTest::newRow("Hexadecimal into Octal") << 3 << 2 << QStringLiteral("377");
        QTest::newRow("Hexadecimal into Binary") << 3 << 1 << QStringLiteral("0000000011111111");
        // Not decimal digits: the binary converter rejects the text.
        QTest::newRow("Decimal into Binary") << 0 << 1 << QStringLiteral("Input error");
    }
    void hexGroupPassesTheTextThroughUnchecked() {
        QFETCH(int, from);
        QFETCH(int, into);
        QFETCH(QString, expected);
        Started(kGroupRadix);
        ui().lstConvFrom->setCurrentRow(from);
        ui().lstConvInto->setCurrentRow(into);
        ui().txtInput->setText(QStringLiteral("FF"));
        QCOMPARE(ui().txtResult->text(), expected);
    }

    void nineCopiesKeepTheEightNewestNewestFirst() {
        Started(0);
        ui().lstConvFrom->setCurrentRow(2);
        ui().lstConvInto->setCurrentRow(1);
        for (int i = 1; i <= 9; ++i) {
            ui().txtInput->setText(QString::number(i));
            Click(ui().picCopy);
            QCOMPARE(fixture->fake.clipboard, ui().txtResult->text());
        }
        QCOMPARE(test::HistoryShown(ui()).size(), 8);
        QVERIFY(ui().mnuHistory->isEnabled());
        for (int k = 0; k < 8; ++k) {
            QVERIFY(ui().mnuHistoryArray[static_cast<std::size_t>(k)]->isVisible());
            QVERIFY(test::HistoryShown(ui())[k].startsWith(QString::number(9 - k) + QLatin1Char(' ')));
        }
        ui().mnuHistoryArray[7]->trigger();
        QCOMPARE(fixture->fake.clipboard, test::HistoryShown(ui())[7]);
        QVERIFY(fixture->fake.clipboard.startsWith(QStringLiteral("2 ")));
    }

    void anEmptyResultStillAddsAHistoryEntry() {
        Started(0);
        ui().lstConvFrom->setCurrentRow(2);
        QCOMPARE(ui().txtResult->text(), QString());
        Click(ui().picCopy);
        QCOMPARE(test::HistoryShown(ui()).size(), 1);
        QCOMPARE(test::HistoryShown(ui())[0], QStringLiteral(" ") + UnitName(0, 2) + QStringLiteral(" =  "));
        QVERIFY(!ui().mnuHistoryArray[1]->isVisible());
    }

    void velocityHistoryReadsLightSpeedAsMultipleAndMachNameFirst() {
        Started(kGroupVelocity);
        ui().lstConvFrom->setCurrentRow(6);
        ui().lstConvInto->setCurrentRow(7);
        ui().txtInput->setText(QStringLiteral("2"));
        Click(ui().picCopy);
        QCOMPARE(test::HistoryShown(ui())[0], QStringLiteral("2 time(s) ") + UnitName(kGroupVelocity, 6) +
                                                  QStringLiteral(" = ") + UnitName(kGroupVelocity, 7) +
                                                  QLatin1Char(' ') + ui().txtResult->text());
    }

    void optionsMoveTheirCheckMarksAndIntegerIsSavedAsSeven() {
        Started(0);
        ui().mnuOptionsFigArray[3]->trigger();
        ui().mnuOptionsFormArray[1]->trigger();
        ui().mnuOptionsFocusArray[1]->trigger();
        QCOMPARE(settings().pnFigure, std::int16_t{7});
        QCOMPARE(settings().pnFormFlag, std::int16_t{1});
        QCOMPARE(settings().pnFocusFlag, std::int16_t{1});
        const std::array<bool, 4> figures{false, false, false, true};
        for (std::size_t i = 0; i < figures.size(); ++i) {
            QCOMPARE(ui().mnuOptionsFigArray[i]->isChecked(), figures[i]);
        }
        QVERIFY(!ui().mnuOptionsFormArray[0]->isChecked() && ui().mnuOptionsFormArray[1]->isChecked());
        QVERIFY(!ui().mnuOptionsFocusArray[0]->isChecked() && ui().mnuOptionsFocusArray[1]->isChecked());
        window->close();
        QFile file(fixture->configDir() + QStringLiteral("HALDUCNV.CFG"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Figure=7\r\n"));
    }

    void alwaysOnTopFollowsItsCheckMark() {
        Started(0);
        fixture->fake.topmostCalls.clear();
        ui().mnuShowTop->trigger();
        QVERIFY(ui().mnuShowTop->isChecked());
        QCOMPARE(settings().pnShowTop, std::int16_t{1});
        QCOMPARE(fixture->fake.topmostCalls.back(), (std::pair<QWidget*, bool>{window.get(), true}));
        ui().mnuShowTop->trigger();
        QCOMPARE(settings().pnShowTop, std::int16_t{0});
        QCOMPARE(fixture->fake.topmostCalls.back(), (std::pair<QWidget*, bool>{window.get(), false}));
    }

    void toolButtonsAndFramesFollowTheLayoutRules() {
        Started(0);
        const int left = ui().fraConvFrom->x();
        QCOMPARE(ui().picPaste->x(), left + 1);
        QCOMPARE(ui().picShrink->x(), ui().picPaste->x() + ui().picPaste->width());
        QCOMPARE(ui().picCopy->x() + ui().picCopy->width(), left + 1 + 4 * ui().picPaste->width());
        QCOMPARE(ui().fraConvInto->x() + ui().fraConvInto->width(), ui().picCopy->x() + ui().picCopy->width() + 2);
        QCOMPARE(window->calculatorWindow()->LeastWidthTwips(),
                 (2 * left + 4 * ui().picPaste->width() + 8) * state().Tppx);
        QCOMPARE(ui().fraConvInto->size(), ui().fraConvFrom->size());
        QVERIFY(ui().imgHand->x() > left + ui().fraConvFrom->width());
        QVERIFY(ui().imgHand->x() + ui().imgHand->width() < ui().fraConvInto->x());
    }

    void aPressedButtonComesUpEvenWhenReleasedElsewhere() {
        Started(0);
        const QPoint raised = ui().picCopy->caption->pos();
        QTest::mousePress(ui().picCopy, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(ui().picCopy->caption->pos(), raised - QPoint(1, 1));
        QTest::mouseRelease(ui().picCopy, Qt::LeftButton, {}, QPoint(-20, 40));
        QCOMPARE(ui().picCopy->caption->pos(), raised);
        QCOMPARE(fixture->fake.clipboardClears, 0);
        QTest::mousePress(ui().picCopy, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(ui().picCopy->caption->pos(), raised - QPoint(1, 1));
        QTest::mouseRelease(ui().picCopy, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(ui().picCopy->caption->pos(), raised);
        QCOMPARE(fixture->fake.clipboardClears, 0);
    }

    void shiftReleaseOnReduceTogglesColoursForNextStartAndReduces() {
        Started(0);
        const QColor before = ui().picPaste->grab().toImage().pixelColor(10, 8);
        QVERIFY(!settings().pbShowInSysCol);
        Click(ui().picShrink, Qt::ShiftModifier);
        QVERIFY(settings().pbShowInSysCol);
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});
        QVERIFY(test::IconWindow() != nullptr);
        QCOMPARE(ui().picPaste->grab().toImage().pixelColor(10, 8), before);
        QCOMPARE(before, QColor(0, 128, 128));
    }

    void pasteOfAClipboardWithoutTextEmptiesTheInput() {
        Started(0);
        ui().txtInput->setText(QStringLiteral("42"));
        fixture->fake.clipboard.clear();
        Click(ui().picPaste);
        QCOMPARE(ui().txtInput->text(), QString());
        fixture->fake.clipboard = QStringLiteral("17");
        ui().mnuEditPasteVInput->trigger();
        QCOMPARE(ui().txtInput->text(), QStringLiteral("17"));
    }

    void calculatorButtonTakesTheResultOrItsNewestExpression() {
        Started(0);
        frmCal* cal = window->calculatorWindow();
        cal->cboInput->addItem(QStringLiteral("1+2"));
        cal->txtCalResult->setText(QStringLiteral("3"));
        Click(ui().picCal);
        QVERIFY(cal->isVisible());
        QCOMPARE(cal->cboInput->currentText(), QStringLiteral("1+2"));
        QCOMPARE(cal->txtCalResult->text(), QStringLiteral("3"));
        ui().txtResult->setText(QStringLiteral("4828.03"));
        Click(ui().picCal);
        QCOMPARE(cal->cboInput->currentText(), QStringLiteral("4828.03"));
        QCOMPARE(cal->txtCalResult->text(), QString());
        cal->txtCalResult->setText(QStringLiteral("9"));
        ui().mnuEditCopyCResult->trigger();
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("9"));
        fixture->fake.clipboard = QStringLiteral("2*3");
        ui().mnuEditPasteCInput->trigger();
        QCOMPARE(cal->cboInput->currentText(), QStringLiteral("2*3"));
    }

    void blankUserGroupsStayHiddenExceptTheFirst() {
        Started(0);
        QVERIFY(!ui().mnuUser->isEnabled());
        userUnits().UserGroupName[3] = "Money";
        userUnits().UserGroupName[5] = "   ";
        userUnits().UserGroupName[6] = "G01 &Amp";
        userUnits().UserGroupName[7] =
            "\xEF\xBB\xBF"
            "bom";
        window->ApplyUserMenu();
        // Shown as typed: the "&" is no access key, a leading U+FEFF stays.
        QCOMPARE(ui().mnuUserArray[6]->text(), QStringLiteral("G01 &&Amp"));
        QCOMPARE(ui().mnuUserArray[7]->text(), QChar(0xFEFF) + QStringLiteral("bom"));
        QVERIFY(ui().mnuUser->isEnabled());
        QVERIFY(ui().mnuUserArray[0]->isVisible());
        QCOMPARE(ui().mnuUserArray[0]->text(), QStringLiteral("User 1"));
        QVERIFY(!ui().mnuUserArray[1]->isVisible());
        QVERIFY(ui().mnuUserArray[3]->isVisible());
        QCOMPARE(ui().mnuUserArray[3]->text(), QStringLiteral("Money"));
        QVERIFY(!ui().mnuUserArray[5]->isVisible());
    }

    void reduceThenIconPopupGroupRestoresTheWindowWhereItWas() {
        Started(0);
        window->move(200, 150);
        const QPoint place = window->pos();
        Click(ui().picShrink);
        QCOMPARE(settings().Form_Convert_Left, std::int16_t(TwipsX(place.x())));
        QVERIFY(!window->isVisible());
        QCOMPARE(window->pos(), place);  // hidden where it was
        frmMini* mini = test::IconWindow();
        QVERIFY(mini != nullptr && mini->isVisible());
        SaveScreenshot(mini, QStringLiteral("mini"));
        fixture->fake.popupChoice = ui().mnuConvArray[1]->text();
        QTest::mousePress(mini->imgIcon, Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(fixture->fake.popups.back().menu, ui().mnuConvert);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{1});
        QCOMPARE(settings().pnShapeFlag, std::int16_t{1});
        QVERIFY(test::IconWindow() == nullptr);
        QCOMPARE(window->pos(), place);
        QVERIFY(ui().mnuConvArray[1]->isChecked() && !ui().mnuConvArray[0]->isChecked());
    }

    void iconFilePopupReadsMinimizeAndExitAndTheMenuBarReadsExitAgain() {
        Started(0);
        Click(ui().picShrink);
        frmMini* mini = test::IconWindow();
        QVERIFY(mini != nullptr);
        QTest::mousePress(mini->imgIcon, Qt::RightButton, {}, QPoint(4, 4));
        QCOMPARE(fixture->fake.popups.back().menu, ui().mnuFile);
        QCOMPARE(fixture->fake.popups.back().captions,
                 (QStringList{QStringLiteral("Minimize"), QString(), QStringLiteral("Exit")}));
        QVERIFY(!ui().mnuFileMinimize->isVisible());
        QVERIFY(!ui().mnuFileBar->isVisible());
        QCOMPARE(ui().mnuFileExit->text(), QStringLiteral("E&xit"));
    }

    void closingWhileReducedSavesThePositionFromBeforeTheReduce() {
        Started(0);
        window->move(210, 120);
        const QPoint place = window->pos();
        Click(ui().picShrink);
        QPointer<frmMini> mini = test::IconWindow();
        mini->move(300, 40);
        window->close();
        QCOMPARE(settings().Form_Convert_Left, std::int16_t(TwipsX(place.x())));
        QCOMPARE(settings().Form_Convert_Top, std::int16_t(TwipsY(place.y())));
        QCOMPARE(settings().Form_Normal_Left, std::int16_t(TwipsX(300)));
        QCOMPARE(settings().Form_Normal_Top, std::int16_t(TwipsY(40)));
        QVERIFY(state().pbEnding);
        QCOMPARE(fixture->fake.topmostCalls.back().second, false);
        QVERIFY(test::IconWindow() == nullptr);
    }
};

QTEST_MAIN(FrmConvertTest)
#include "test_frmConvert.moc"
