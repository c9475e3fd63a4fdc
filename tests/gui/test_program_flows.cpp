// The program as a whole, driven through its real windows: the main window opening its companion
// windows, minimise and restore, Reduce, the about window with always-on-top and the number format,
// Add Units reaching the menu and the file, and a whole run from start-up to the saved configuration.

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
#include "app/frmMini.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "reference/frmInfo.h"
#include "shared/ui_twips.h"
#include "storage/frmUser.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace halden;
using namespace halden::test;

namespace {

// The visible item of a menu with exactly this caption, or nullptr.
QAction* ItemOf(const QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions()) {
        if (action->text() == caption && action->isVisible()) {
            return action;
        }
    }
    return nullptr;
}

// Chooses a menu item the way a user finds it: by its caption, which must be there and enabled.
bool Choose(const QMenu* menu, const QString& caption) {
    QAction* item = ItemOf(menu, caption);
    if (item == nullptr || !item->isEnabled()) {
        return false;
    }
    item->trigger();
    return true;
}

// User-units tables holding the given groups, each with its name and, when given, one unit in
// slot 0.
struct GroupEntry {
    int group;
    std::string name;
    std::string unit;
    std::string factor;
};

UserUnits MakeUserUnits(const std::vector<GroupEntry>& groups) {
    UserUnits units;
    for (const GroupEntry& entry : groups) {
        const auto g = static_cast<std::size_t>(entry.group);
        units.UserGroupName[g].assign(entry.name);
        units.UserUnitName[g][0].assign(entry.unit);
        units.UserFactorText[g][0].assign(entry.factor);
    }
    return units;
}

// Runs check on the about window once it is up (modal), then presses its OK.
void AnswerAbout(QObject* context, const std::function<void(frmInfo*)>& check) {
    QTimer::singleShot(0, context, [check] {
        auto* about = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
        check(about);
        if (about != nullptr) {
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        }
    });
}

}  // namespace

class ProgramFlowsTest : public halden::test::GuiTest {
    Q_OBJECT

    QString ConfigPath() const { return fixture->configDir() + QStringLiteral("HALDUCNV.CFG"); }
    QString UserPath() const { return fixture->configDir() + QStringLiteral("HUC_USER.DAT"); }

    // Puts the files a previous run would have left, so that start-up reads them without a message.
    void WriteFiles(const Settings& stored, const UserUnits& units = UserUnits{}) {
        QVERIFY(WriteProgramFiles(fixture->configDir(), CfgSaveBytes(stored), units));
    }

    static Settings FullShape() {
        Settings stored;
        stored.pnShapeFlag = 1;
        return stored;
    }

    // Starts the program in its full shape from the files written before.
    frmConvert* Start() {
        window = std::make_unique<frmConvert>();
        return window.get();
    }

    // The configuration a finished run left, read back the way the next start-up reads it.
    Settings SavedConfiguration() {
        Settings saved;
        RecordingSink sink;
        CfgReadBytes(ReadBytes(ConfigPath()), saved, sink);
        if (!sink.messages.empty()) {
            qWarning("the saved configuration was rejected");
        }
        FocusUnpack(saved);
        return saved;
    }

    UserUnits SavedUserUnits() {
        UserUnits saved;
        RecordingSink sink;
        DatReadBytes(ReadBytes(UserPath()), saved, sink);
        return saved;
    }

    frmUser* OpenAddUnits() {
        if (!Choose(ui().mnuOptions, QStringLiteral("&Add Units..."))) {
            return nullptr;
        }
        return window->findChild<frmUser*>();
    }

private slots:

    void menuItemsAndTheHiddenLabelOpenTheirWindowsAndSetTheirFlags() {
        WriteFiles(FullShape());
        Start();
        QVERIFY(fixture->fake.messages.empty());
        // The hidden label is a click target between the frames: it must be on the window to be hit.
        QVERIFY(ui().lblHidden->isVisible());
        QVERIFY(ui().lblHidden->x() >= ui().fraConvFrom->x() + ui().fraConvFrom->width());
        QVERIFY(ui().lblHidden->x() + ui().lblHidden->width() <= ui().fraConvInto->x());

        struct Row {
            const char* name;
            std::function<bool()> open;
            bool ProcessState::*flag;
            const char* className;
            std::function<QPushButton*(QWidget*)> help;
            int helpContext;
        };
        const auto windowsOfClass = [this](const char* className) {
            QList<QWidget*> found = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            found.removeIf([className](const QWidget* child) { return !child->inherits(className); });
            return found;
        };
        const Row rows[] = {
            {"Constants", [&] { return Choose(ui().mnuConvert, QStringLiteral("&Constants...")); },
             &ProcessState::pbConstantsOpen, "halden::frmConstants",
             [](QWidget* w) { return qobject_cast<frmConstants*>(w)->cmdHelp; }, 17},
            {"Add Units", [&] { return Choose(ui().mnuOptions, QStringLiteral("&Add Units...")); },
             &ProcessState::pbUserOpen, "halden::frmUser",
             [](QWidget* w) { return qobject_cast<frmUser*>(w)->cmdHelp; }, 18},
            {"hidden label",
             [&] {
                 QTest::mouseClick(ui().lblHidden, Qt::LeftButton);
                 return true;
             },
             &ProcessState::pbEquivOpen, "halden::frmEquiv", nullptr, 0},
        };
        for (const Row& row : rows) {
            QVERIFY2(!(state().*row.flag), row.name);
            QVERIFY2(row.open(), row.name);
            const QList<QWidget*> opened = windowsOfClass(row.className);
            QVERIFY2(opened.size() == 1, row.name);
            QVERIFY2(opened[0]->isVisible(), row.name);
            QVERIFY2(state().*row.flag, row.name);
            // Opening it again brings the same window to the front; it does not make a second one.
            QVERIFY2(row.open(), row.name);
            QVERIFY2(windowsOfClass(row.className) == opened, row.name);
            if (row.help) {
                fixture->fake.helps.clear();
                QTest::mouseClick(row.help(opened[0]), Qt::LeftButton);
                QCOMPARE(fixture->fake.helps.size(), std::size_t{1});
                QCOMPARE(fixture->fake.helps[0].command, HelpCommand::Context);
                QCOMPARE(fixture->fake.helps[0].context, row.helpContext);
                QVERIFY2(fixture->fake.helps[0].parent == opened[0], row.name);
            }
        }
        // All three stay open together.
        QVERIFY(state().pbConstantsOpen && state().pbUserOpen && state().pbEquivOpen);
    }

    void addUnitsOpenedAgainKeepsItsUnsavedEdits() {
        WriteFiles(FullShape());
        Start();
        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        TypeOver(dialog->txtUserUnit[2], QStringLiteral("rod"));
        QVERIFY(OpenAddUnits() == dialog);
        QCOMPARE(dialog->txtUserUnit[2]->text(), QStringLiteral("rod"));
    }

    void contentsOpensTheHelpAtItsContents() {
        WriteFiles(FullShape());
        Start();
        QVERIFY(fixture->fake.helpFile.endsWith(QStringLiteral("HALDUCNV.HLP")));
        QVERIFY(Choose(ui().mnuHelp, QStringLiteral("&Contents")));
        QCOMPARE(fixture->fake.helps.size(), std::size_t{1});
        QCOMPARE(fixture->fake.helps[0].command, HelpCommand::Contents);
        QVERIFY(fixture->fake.helps[0].parent == window.get());
    }

    void aboutIsModalAndTopmostFollowsTheOption_data() {
        QTest::addColumn<QStringList>("showTopClicks");  // how often "Always on &Top" is chosen first
        QTest::addColumn<bool>("onTopAfter");
        QTest::newRow("never on top") << QStringList{} << false;
        QTest::newRow("on top") << QStringList{QStringLiteral("on")} << true;
        QTest::newRow("unchecked before About") << QStringList{QStringLiteral("on"), QStringLiteral("off")} << false;
    }

    void aboutIsModalAndTopmostFollowsTheOption() {
        QFETCH(QStringList, showTopClicks);
        QFETCH(bool, onTopAfter);
        WriteFiles(FullShape());
        Start();
        for (qsizetype i = 0; i < showTopClicks.size(); ++i) {
            QVERIFY(Choose(ui().mnuOptions, QStringLiteral("Always on &Top")));
        }
        QCOMPARE(ui().mnuShowTop->isChecked(), onTopAfter);
        auto& calls = fixture->fake.topmostCalls;
        calls.clear();
        bool sawAbout = false;
        std::optional<bool> topmostWhileOpen;
        AnswerAbout(this, [&](frmInfo* about) {
            sawAbout = about != nullptr && about->isVisible() && about->isModal();
            if (!calls.empty()) {
                topmostWhileOpen = calls.back().second;
            }
        });
        QVERIFY(Choose(ui().mnuHelp, QStringLiteral("&About...")));
        QVERIFY(sawAbout);
        QCOMPARE(topmostWhileOpen, std::optional<bool>(false));
        QVERIFY(!calls.empty());
        for (const auto& call : calls) {
            QVERIFY(call.first == window.get());
        }
        // The window's topmost state afterwards is the last call made.
        QCOMPARE(calls.back().second, onTopAfter);
        QCOMPARE(calls.size(), std::size_t{onTopAfter ? 2U : 1U});
        QCOMPARE(ui().mnuShowTop->isChecked(), onTopAfter);
    }

    void aboutClosedWithOkTurnsAStoredFormThreeIntoNormalForGood() {
        Settings stored = FullShape();
        stored.pnFormFlag = 3;
        WriteFiles(stored);
        Start();
        QVERIFY(fixture->fake.messages.empty());
        QCOMPARE(settings().pnFormFlag, std::int16_t{3});
        // No Number Format item stands for 3.
        QVERIFY(!ui().mnuOptionsFormArray[0]->isChecked() && !ui().mnuOptionsFormArray[1]->isChecked());
        // A conversion with the odd value still shows a result.
        ui().lstConvFrom->setCurrentRow(3);
        ui().lstConvInto->setCurrentRow(0);
        ui().txtInput->setText(QStringLiteral("3"));
        QVERIFY(!ui().txtResult->text().isEmpty());

        AnswerAbout(this, [](frmInfo*) {});
        QVERIFY(Choose(ui().mnuHelp, QStringLiteral("&About...")));
        QCOMPARE(settings().pnFormFlag, std::int16_t{0});
        // The menu shows the format now in force.
        QVERIFY(ui().mnuOptionsFormArray[0]->isChecked());
        QVERIFY(!ui().mnuOptionsFormArray[1]->isChecked());
        ui().txtInput->setText(QStringLiteral("2"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("3218.69"));

        QVERIFY(Choose(ui().mnuFile, QStringLiteral("E&xit")));
        const std::optional<std::string> bytes = ReadBytes(ConfigPath());
        QVERIFY(bytes.has_value());
        QVERIFY(bytes->find("\r\nForm=0\r\n") != std::string::npos);
        QCOMPARE(SavedConfiguration().pnFormFlag, std::int16_t{0});
    }

    void aboutLeavesScientificAlone() {
        Settings stored = FullShape();
        stored.pnFormFlag = 1;
        WriteFiles(stored);
        Start();
        QVERIFY(ui().mnuOptionsFormArray[1]->isChecked());
        AnswerAbout(this, [](frmInfo*) {});
        QVERIFY(Choose(ui().mnuHelp, QStringLiteral("&About...")));
        QCOMPARE(settings().pnFormFlag, std::int16_t{1});
        QVERIFY(ui().mnuOptionsFormArray[1]->isChecked() && !ui().mnuOptionsFormArray[0]->isChecked());
    }

    void minimiseHidesExactlyTheOpenCompanionsAndRestoreBringsThemBack_data() {
        QTest::addColumn<QString>("closedFirst");  // the companion the user closes before minimising
        QTest::newRow("all open") << QString();
        QTest::newRow("constants closed") << QStringLiteral("constants");
        QTest::newRow("equivalence closed") << QStringLiteral("equivalence");
        QTest::newRow("Add Units closed") << QStringLiteral("units");
    }

    void minimiseHidesExactlyTheOpenCompanionsAndRestoreBringsThemBack() {
        QFETCH(QString, closedFirst);
        WriteFiles(FullShape());
        Start();
        QVERIFY(Choose(ui().mnuConvert, QStringLiteral("&Constants...")));
        QVERIFY(OpenAddUnits() != nullptr);
        QTest::mouseClick(ui().lblHidden, Qt::LeftButton);
        const std::array<std::pair<QString, QPointer<QWidget>>, 3> companions{{
            {QStringLiteral("constants"), window->findChild<frmConstants*>()},
            {QStringLiteral("equivalence"), window->findChild<frmEquiv*>()},
            {QStringLiteral("units"), window->findChild<frmUser*>()},
        }};
        for (const auto& [name, companion] : companions) {
            QVERIFY(!companion.isNull() && companion->isVisible());
            if (name == closedFirst) {
                CloseBox(companion);
            }
        }
        DeletePending();
        window->setWindowState(Qt::WindowMinimized);
        for (const auto& [name, companion] : companions) {
            QVERIFY2(companion.isNull() || !companion->isVisible(), qPrintable(name));
        }
        window->setWindowState(Qt::WindowNoState);
        for (const auto& [name, companion] : companions) {
            const bool shown = !companion.isNull() && companion->isVisible();
            QVERIFY2(shown == (name != closedFirst), qPrintable(name));
        }
    }

    void afterAddUnitsSaveMinimiseAndRestoreDoNotBringTheDialogBack() {
        WriteFiles(FullShape());
        Start();
        QPointer<frmUser> dialog = OpenAddUnits();
        QVERIFY(!dialog.isNull());
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        QVERIFY(!state().pbUserOpen);
        // Straight away, before the closed dialog is gone, and again after.
        for (int round = 0; round < 2; ++round) {
            window->setWindowState(Qt::WindowMinimized);
            window->setWindowState(Qt::WindowNoState);
            QVERIFY(dialog.isNull() || !dialog->isVisible());
            DeletePending();
        }
        QVERIFY(dialog.isNull());
        // Opening it again gives a fresh dialog that minimise and restore do bring back.
        QPointer<frmUser> again = OpenAddUnits();
        QVERIFY(!again.isNull());
        window->setWindowState(Qt::WindowMinimized);
        QVERIFY(!again->isVisible());
        window->setWindowState(Qt::WindowNoState);
        QVERIFY(again->isVisible());
    }

    void reduceClosesEquivalenceHidesAddUnitsAndConstantsAndClearsTheFlags() {
        WriteFiles(FullShape(), MakeUserUnits({{0, "Lengths", "inch", "2.54"}}));
        Start();
        QVERIFY(Choose(ui().mnuConvert, QStringLiteral("&Constants...")));
        QPointer<frmUser> dialog = OpenAddUnits();
        QVERIFY(!dialog.isNull());
        TypeOver(dialog->txtUserUnit[0], QStringLiteral("yard"));
        QTest::mouseClick(ui().lblHidden, Qt::LeftButton);
        QPointer<QWidget> constants = window->findChild<frmConstants*>();
        QPointer<QWidget> equiv = window->findChild<frmEquiv*>();

        Click(ui().picShrink);
        DeletePending();
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});
        QVERIFY(!state().pbUserOpen && !state().pbEquivOpen && !state().pbConstantsOpen);
        QVERIFY(dialog.isNull() || !dialog->isVisible());
        QVERIFY(equiv.isNull() || !equiv->isVisible());
        QVERIFY(!constants.isNull());  // hidden, not unloaded
        QVERIFY(!constants->isVisible());
        // Add Units keeps its unsaved edit, out of sight and unsaved.
        QVERIFY(!dialog.isNull());
        QCOMPARE(dialog->txtUserUnit[0]->text(), QStringLiteral("yard"));
        QCOMPARE(userUnits().UserUnitName[0][0], std::string("inch"));
        QVERIFY(fixture->fake.messages.empty());
        QVERIFY(fixture->fake.questions.empty());

        // Minimised and restored in the reduced shape, the dialog stays hidden.
        window->setWindowState(Qt::WindowMinimized);
        window->setWindowState(Qt::WindowNoState);
        QVERIFY(!dialog->isVisible());

        // Back to the full shape through the icon window's menu: Add Units comes back with its
        // edit, the other companions stay away.
        frmMini* mini = test::IconWindow();
        QVERIFY(mini != nullptr);
        fixture->fake.popupChoice = QStringLiteral("&Area");
        QTest::mousePress(mini->imgIcon, Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(settings().pnShapeFlag, std::int16_t{1});
        window->setWindowState(Qt::WindowMinimized);
        window->setWindowState(Qt::WindowNoState);
        QCOMPARE(window->findChild<frmUser*>(), dialog.data());
        QVERIFY(dialog->isVisible() && state().pbUserOpen);
        QCOMPARE(dialog->txtUserUnit[0]->text(), QStringLiteral("yard"));
        QVERIFY(equiv.isNull() || !equiv->isVisible());
        QVERIFY(!constants.isNull() && !constants->isVisible());
    }

    void constantsOpenedFromTheIconWindowFollowItThroughMinimise() {
        Settings stored;  // the reduced shape
        WriteFiles(stored);
        Start();
        frmMini* mini = test::IconWindow();
        QVERIFY(mini != nullptr && mini->isVisible());
        fixture->fake.popupChoice = QStringLiteral("&Constants...");
        QTest::mousePress(mini->imgIcon, Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseRelease(mini->imgIcon, Qt::LeftButton, {}, QPoint(4, 4));
        QPointer<QWidget> constants = window->findChild<frmConstants*>();
        QVERIFY(!constants.isNull() && constants->isVisible());
        QVERIFY(state().pbConstantsOpen);
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});  // still reduced

        fixture->fake.popupChoice = QStringLiteral("Minimize");
        QTest::mousePress(mini->imgIcon, Qt::RightButton, {}, QPoint(4, 4));
        QVERIFY(window->isMinimized());
        QVERIFY(!constants->isVisible());
        QVERIFY(test::IconWindow() == nullptr || !test::IconWindow()->isVisible());
        window->setWindowState(Qt::WindowNoState);
        QVERIFY(constants->isVisible());
        QVERIFY(test::IconWindow() != nullptr && test::IconWindow()->isVisible());
        QVERIFY(QTest::qWaitFor([&] { return !window->isVisible(); }));  // the main window stays parked
    }

    void addUnitsSaveRenamesTheMenuConvertsAtOnceAndWritesTheFile() {
        WriteFiles(FullShape());
        Start();
        QVERIFY(!ui().mnuUser->isEnabled());
        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        PickGroup(dialog->cboUserGroups, 2);
        TypeOver(dialog->cboUserGroups->lineEdit(), QStringLiteral("Money"));
        TypeOver(dialog->txtUserUnit[0], QStringLiteral("yen"));
        TypeOver(dialog->txtUserCoef[0], QStringLiteral("1"));
        TypeOver(dialog->txtUserUnit[1], QStringLiteral("dollar"));
        TypeOver(dialog->txtUserCoef[1], QStringLiteral("150"));
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        DeletePending();
        QVERIFY(window->findChild<frmUser*>() == nullptr);
        QVERIFY(fixture->fake.messages.empty());

        // The menu at once.
        QVERIFY(ui().mnuUser->isEnabled());
        QVERIFY(ItemOf(ui().mnuUser, QStringLiteral("Money")) == ui().mnuUserArray[2]);
        // Save leaves the main window's group and lists alone.
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(ui().lstConvFrom->count(), int{catalogue().UnitCount[0]});

        // Converts at once.
        QVERIFY(Choose(ui().mnuUser, QStringLiteral("Money")));
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{kFirstUserGroup + 2});
        QCOMPARE(window->windowTitle(), QStringLiteral(" Halden Unit Converter - Money"));
        QCOMPARE(ui().lstConvFrom->count(), 2);
        ui().lstConvFrom->setCurrentRow(RowOf(ui().lstConvFrom, QStringLiteral("dollar")));
        ui().lstConvInto->setCurrentRow(RowOf(ui().lstConvInto, QStringLiteral("yen")));
        ui().txtInput->setText(QStringLiteral("2"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("300.000"));

        // The file, in the program's own directory.
        const UserUnits saved = SavedUserUnits();
        QCOMPARE(saved.UserGroupName[2], std::string("Money"));
        QCOMPARE(saved.UserUnitName[2][1], std::string("dollar"));
        QCOMPARE(saved.UserFactorText[2][1], std::string("150"));
        QCOMPARE(saved.UserGroupName[0], std::string());
    }

    // The main window shows user group 3, "Astronomy", converting 1 parsec (pc) into furlong, when
    // Add Units saves the group's name and the edits of rows: "slot|unit name|coefficient".
    void addUnitsSaveShowsTheGroupOnScreenAsSaved_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("caption");  // the group's new name; empty: deleted
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<int>("fromRow");
        QTest::addColumn<int>("intoRow");
        QTest::addColumn<QString>("result");
        const QStringList tenfold{QStringLiteral("0|parsec (pc)|3.0857E17")};
        const QString astronomy = QStringLiteral("Astronomy");
        QTest::newRow("a new factor converts at once") << tenfold << astronomy << false << 0 << 2 << "1.53389E+15";
        QTest::newRow("a renamed From unit is let go")
            << QStringList{QStringLiteral("0|astronomical unit (au)|1.496E11")} << astronomy << false << -1 << 2 << "";
        QTest::newRow("moved units stay chosen by name")
            << QStringList{QStringLiteral("0|furlong|201.168"), QStringLiteral("2|parsec (pc)|3.0857E16")} << astronomy
            << false << 2 << 0 << "1.53389E+14";
        QTest::newRow("a renamed group names the window")
            << QStringList{} << "Stars" << false << 0 << 2 << "1.53389E+14";
        QTest::newRow("reduced, it stays reduced") << tenfold << astronomy << true << 0 << 2 << "1.53389E+15";
        QTest::newRow("a deleted group gives way to Length") << QStringList{} << "" << false << -1 << -1 << "";
        QTest::newRow("a deleted group gives way to Length, reduced") << QStringList{} << "" << true << -1 << -1 << "";
    }

    void addUnitsSaveShowsTheGroupOnScreenAsSaved() {
        QFETCH(QStringList, edits);
        QFETCH(QString, caption);
        QFETCH(bool, reduced);
        QFETCH(int, fromRow);
        QFETCH(int, intoRow);
        QFETCH(QString, result);
        Settings stored = FullShape();
        stored.pnSelUnitGrp = kFirstUserGroup + 2;
        stored.pnShapeFlag = reduced ? 0 : 1;
        UserUnits units = MakeUserUnits({{2, "Astronomy", "parsec (pc)", "3.0857E16"}});
        units.UserUnitName[2][1] = "light year (ly)";
        units.UserFactorText[2][1] = "9.4607E15";
        units.UserUnitName[2][2] = "furlong";
        units.UserFactorText[2][2] = "201.168";
        WriteFiles(stored, units);
        Start();
        ui().lstConvFrom->setCurrentRow(0);
        ui().lstConvInto->setCurrentRow(2);
        ui().txtInput->setText(QStringLiteral("1"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("1.53389E+14"));

        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        PickGroup(dialog->cboUserGroups, 2);
        if (caption != dialog->cboUserGroups->currentText()) {
            TypeOver(dialog->cboUserGroups->lineEdit(), caption);
        }
        for (const QString& edit : edits) {
            const QStringList cells = edit.split(QLatin1Char('|'));
            TypeOver(dialog->txtUserUnit[static_cast<std::size_t>(cells[0].toInt())], cells[1]);
            TypeOver(dialog->txtUserCoef[static_cast<std::size_t>(cells[0].toInt())], cells[2]);
        }
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);

        const int group = caption.isEmpty() ? 0 : kFirstUserGroup + 2;
        QCOMPARE(int{settings().pnSelUnitGrp}, group);
        QCOMPARE(window->windowTitle(), " Halden Unit Converter - " + (caption.isEmpty() ? "Length" : caption));
        QCOMPARE(ui().mnuConvArray[0]->isChecked(), group == 0);
        QCOMPARE(ui().mnuUserArray[2]->isChecked(), group != 0);
        QCOMPARE(int{settings().pnShapeFlag}, reduced ? 0 : 1);
        QCOMPARE(window->isVisible(), !reduced);
        // The lists hold the units as saved, the Into entry of the From unit blank.
        const auto g = static_cast<std::size_t>(group);
        QCOMPARE(ui().lstConvFrom->count(), int{catalogue().UnitCount[g]});
        for (int i = 0; i < ui().lstConvFrom->count(); ++i) {
            const QString name = QString::fromStdString(catalogue().UnitName[g][static_cast<std::size_t>(i)]);
            QCOMPARE(ui().lstConvFrom->item(i)->text(), name);
            QCOMPARE(ui().lstConvInto->item(i)->text(), i == fromRow ? QString() : name);
        }
        QCOMPARE(ui().lstConvFrom->currentRow(), fromRow);
        QCOMPARE(ui().lstConvInto->currentRow(), intoRow);
        QCOMPARE(ui().txtResult->text(), result);
        Click(ui().picCopy);
        QCOMPARE(fixture->fake.clipboard, result);
    }

    void failedAddUnitsWriteParksTheMainWindowDuringItsMessage() {
        WriteFiles(FullShape());
        Start();
        const QPoint home = window->pos();
        // A directory where the file belongs: the write fails.
        QVERIFY(QFile::remove(UserPath()) && QDir().mkpath(UserPath()));
        bool visibleAtMessage = true;
        fixture->fake.onMessage = [&](const Message&) { visibleAtMessage = window->isVisible(); };
        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        TypeOver(dialog->txtUserUnit[0], QStringLiteral("yen"));
        // The directory is not the file the program read: Save asks first.
        fixture->fake.answers = {QStringLiteral("&Replace It")};
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
        QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
        QVERIFY(!visibleAtMessage);
        QCOMPARE(window->pos(), home);
        QVERIFY(window->isVisible());
    }

    void anEmptiedGroupNameHidesItsItemExceptTheFirst() {
        WriteFiles(FullShape(), MakeUserUnits({{0, "Lengths", "", ""}, {1, "Keep", "", ""}, {4, "Money", "yen", "1"}}));
        Start();
        QVERIFY(ItemOf(ui().mnuUser, QStringLiteral("Lengths")) == ui().mnuUserArray[0]);
        QVERIFY(ItemOf(ui().mnuUser, QStringLiteral("Money")) == ui().mnuUserArray[4]);

        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        TypeOver(dialog->cboUserGroups->lineEdit(), QString());
        PickGroup(dialog->cboUserGroups, 4);
        TypeOver(dialog->cboUserGroups->lineEdit(), QString());
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        DeletePending();

        QVERIFY(!ui().mnuUserArray[4]->isVisible());
        QVERIFY(ItemOf(ui().mnuUser, QStringLiteral("Money")) == nullptr);
        // The first item stays, under the caption it had.
        QVERIFY(ui().mnuUserArray[0]->isVisible());
        QCOMPARE(ui().mnuUserArray[0]->text(), QStringLiteral("Lengths"));
        QVERIFY(ItemOf(ui().mnuUser, QStringLiteral("Keep")) == ui().mnuUserArray[1]);
        QVERIFY(ui().mnuUser->isEnabled());
        QCOMPARE(SavedUserUnits().UserGroupName[4], std::string());
        // The unnamed first group still opens from its item.
        QVERIFY(Choose(ui().mnuUser, QStringLiteral("Lengths")));
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{kFirstUserGroup});
    }

    void addUnitsCancelLeavesMenuCatalogueAndFileUnchanged() {
        WriteFiles(FullShape(), MakeUserUnits({{3, "Money", "yen", "1"}}));
        Start();
        const std::optional<std::string> fileBefore = ReadBytes(UserPath());
        const UnitCatalogue catalogueBefore = catalogue();
        QStringList menuBefore = test::MenuCaptions(ui().mnuUser);
        std::array<bool, kUserGroups> visibleBefore{};
        for (std::size_t i = 0; i < visibleBefore.size(); ++i) {
            visibleBefore[i] = ui().mnuUserArray[i]->isVisible();
        }

        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        PickGroup(dialog->cboUserGroups, 3);
        TypeOver(dialog->cboUserGroups->lineEdit(), QStringLiteral("Cash"));
        TypeOver(dialog->txtUserCoef[0], QStringLiteral("2"));
        PickGroup(dialog->cboUserGroups, 6);
        TypeOver(dialog->cboUserGroups->lineEdit(), QStringLiteral("Extra"));
        fixture->fake.answers = {QStringLiteral("&Discard")};
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
        DeletePending();
        QVERIFY(window->findChild<frmUser*>() == nullptr);
        QVERIFY(!state().pbUserOpen);

        QCOMPARE(test::MenuCaptions(ui().mnuUser), menuBefore);
        for (std::size_t i = 0; i < visibleBefore.size(); ++i) {
            QCOMPARE(ui().mnuUserArray[i]->isVisible(), visibleBefore[i]);
        }
        QVERIFY(catalogue().GroupName == catalogueBefore.GroupName);
        QVERIFY(catalogue().UnitName == catalogueBefore.UnitName);
        QVERIFY(catalogue().TempScale == catalogueBefore.TempScale);
        QVERIFY(ReadBytes(UserPath()) == fileBefore);
    }

    void aRunFromStartToExitSavesGroupUnitCountOptionsAndPlaces() {
        Settings stored = FullShape();
        stored.Form_Convert_Left = 1500;
        stored.Form_Convert_Top = 1200;
        stored.Form_Constants_Left = 3000;
        stored.Form_Constants_Top = 2100;
        stored.pnSelUnitGrp = 0;
        WriteFiles(stored);
        Start();
        QVERIFY(fixture->fake.messages.empty());
        QCOMPARE(window->pos(), QPoint(PixelsX(1500), PixelsY(1200)));
        QVERIFY(window->isVisible());
        QVERIFY(test::IconWindow() == nullptr);

        QVERIFY(Choose(ui().mnuConvert, QStringLiteral("&Mass, Weight")));
        QVERIFY(Choose(ui().mnuOptionsFig, QStringLiteral("&8")));
        QVERIFY(Choose(ui().mnuOptionsForm, QStringLiteral("&Scientific")));
        QVERIFY(Choose(ui().mnuOptionsFocus, QStringLiteral("&Tab")));
        ui().lstConvFrom->setCurrentRow(RowOf(ui().lstConvFrom, QStringLiteral("pound (lb)")));
        ui().lstConvInto->setCurrentRow(RowOf(ui().lstConvInto, QStringLiteral("kilogram (kg)")));
        ui().txtInput->setText(QStringLiteral("10"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("4.5359237E+00"));
        SaveScreenshot(window.get(), QStringLiteral("flow_main_after_conversion"));

        QVERIFY(Choose(ui().mnuConvert, QStringLiteral("&Constants...")));
        QWidget* constants = window->findChild<frmConstants*>();
        QCOMPARE(constants->pos(), QPoint(PixelsX(3000), PixelsY(2100)));
        constants->move(PixelsX(4500), PixelsY(600));
        Click(ui().picCal);
        window->calculatorWindow()->move(PixelsX(1800), PixelsY(2400));
        window->move(PixelsX(900), PixelsY(450));

        QVERIFY(Choose(ui().mnuFile, QStringLiteral("E&xit")));
        QVERIFY(state().pbEnding);
        const Settings saved = SavedConfiguration();
        QCOMPARE(saved.pnSelUnitGrp, std::int16_t{1});
        QCOMPARE(saved.pnSelUnitItem, catalogue().UnitCount[1]);
        QCOMPARE(saved.pnFigure, std::int16_t{8});
        QCOMPARE(saved.pnFormFlag, std::int16_t{1});
        QCOMPARE(saved.pnFocusFlag, std::int16_t{1});
        QCOMPARE(saved.pnShowTop, std::int16_t{0});
        QCOMPARE(saved.pnShapeFlag, std::int16_t{1});
        QCOMPARE(saved.Form_Convert_Left, std::int16_t{900});
        QCOMPARE(saved.Form_Convert_Top, std::int16_t{450});
        QCOMPARE(saved.Form_Constants_Left, std::int16_t{4500});
        QCOMPARE(saved.Form_Constants_Top, std::int16_t{600});
        QCOMPARE(saved.Form_Cal_Left, std::int16_t{1800});
        QCOMPARE(saved.Form_Cal_Top, std::int16_t{2400});
        QCOMPARE(saved.Form_Normal_Width, std::int16_t(frmMini::kOuterWidth * state().Tppx));
    }

    void theNextStartPicksUpWhereTheLastRunEnded() {
        WriteFiles(FullShape());
        Start();
        QVERIFY(Choose(ui().mnuConvert, QStringLiteral("Velocit&y")));
        QVERIFY(Choose(ui().mnuOptionsFig, QStringLiteral("&Integer")));
        QVERIFY(Choose(ui().mnuOptions, QStringLiteral("Always on &Top")));
        Click(ui().picShrink);
        QVERIFY(Choose(ui().mnuFile, QStringLiteral("E&xit")));
        window.reset();
        DeletePending();

        ResetProcessState();
        Start();
        QVERIFY(fixture->fake.messages.empty());
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{kGroupVelocity});
        QVERIFY(ui().mnuConvArray[kGroupVelocity]->isChecked());
        QVERIFY(ui().mnuOptionsFigArray[3]->isChecked());
        QVERIFY(ui().mnuShowTop->isChecked());
        const auto& calls = fixture->fake.topmostCalls;
        QVERIFY(std::find(calls.begin(), calls.end(), std::pair<QWidget*, bool>{window.get(), true}) != calls.end());
        // It ended reduced, so it starts reduced.
        QVERIFY(test::IconWindow() != nullptr && test::IconWindow()->isVisible());
        QCOMPARE(ui().lstConvInto->count(), catalogue().UnitCount[kGroupVelocity] - 1);
    }

    void resultsAroundTheEdgesOfPlainNotation_data() {
        QTest::addColumn<QString>("fromUnit");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<QString>("result");
        struct Row {
            const char* name;
            const char* fromUnit;
            const char* input;
            const char* figures;
            const char* result;
        };
        const char* mega = "mega (M)";
        const char* micro = "微 [bi], micro (μ)";
        const Row rows[] = {
            {"1E6, 8 digits", mega, "1", "&8", "1000000.0"},
            {"1E6, 6 digits", mega, "1", "&6", "1.00000E+06"},
            {"1E6, 4 digits", mega, "1", "&4", "1.000E+06"},
            {"just above 1E6, 8 digits", mega, "1.0000004", "&8", "1.0000004E+06"},
            {"just above 1E6, 6 digits", mega, "1.0000004", "&6", "1.00000E+06"},
            {"2E6, Integer", mega, "2", "&Integer", "2.000000E+06"},
            {"1E6, Integer", mega, "1", "&Integer", "1000000"},
            {"1E-6, 4 digits", micro, "1", "&4", "0.000001000"},
            {"just below 1E-6, 4 digits", micro, "0.99", "&4", "9.900E-07"},
            {"1E-6, Integer", micro, "1", "&Integer", "0"},
            {"0, 6 digits", mega, "0", "&6", "0.00000E+00"},
            {"0, Integer", mega, "0", "&Integer", "0.000000E+00"},
            {"-1E6, 8 digits", mega, "-1", "&8", "-1000000.0"},
        };
        for (const Row& row : rows) {
            QTest::newRow(row.name) << QString::fromUtf8(row.fromUnit) << QString::fromUtf8(row.input)
                                    << QString::fromUtf8(row.figures) << QString::fromUtf8(row.result);
        }
    }

    void resultsAroundTheEdgesOfPlainNotation() {
        QFETCH(QString, fromUnit);
        QFETCH(QString, input);
        QFETCH(QString, figures);
        QFETCH(QString, result);
        WriteFiles(FullShape());
        Start();
        QVERIFY(Choose(ui().mnuConvert, QStringLiteral("Metric Prefi&xes")));
        QVERIFY(Choose(ui().mnuOptionsFig, figures));
        const int from = RowOf(ui().lstConvFrom, fromUnit);
        const int into = RowOf(ui().lstConvInto, QStringLiteral("１, 一"));
        QVERIFY(from >= 0 && into >= 0);
        ui().lstConvFrom->setCurrentRow(from);
        ui().lstConvInto->setCurrentRow(into);
        ui().txtInput->setText(input);
        QCOMPARE(ui().txtResult->text(), result);
    }
};

QTEST_MAIN(ProgramFlowsTest)
#include "test_program_flows.moc"
