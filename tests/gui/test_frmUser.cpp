// The Add Units dialog, driven as a user drives it: typing into the rows and the group combo,
// picking groups, Save, Cancel, the close box and Help.

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "gui_actions.h"
#include "gui_fixture.h"
#include "shared/process_state.h"

#include "storage/frmUser.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <memory>
#include <string>

using namespace halden;
using namespace halden::test;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kLightGrey(224, 224, 224);

QColor BoxColour(const QLineEdit* box) { return box->palette().color(QPalette::Base); }

void SetUnit(int group, int slot, const std::string& name, const std::string& factor, const std::string& offset) {
    userUnits().UserUnitName[group][slot] = name;
    userUnits().UserFactorText[group][slot] = factor;
    userUnits().UserOffsetText[group][slot] = offset;
}

QString UserFile(const test::GuiFixture& fixture) { return fixture.configDir() + QStringLiteral("HUC_USER.DAT"); }

}  // namespace

class FrmUserTest : public halden::test::GuiTest {
    Q_OBJECT

    QPointer<frmUser> dlg;
    // The user's units as the start-up read them: those setUp puts in place.
    std::unique_ptr<UserUnitsStore> store;

    // The dialog as the main window opens it: the open flag first, then a fresh dialog.
    void Open() {
        state().pbUserOpen = true;
        dlg = new frmUser(*store);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
    }

    static void DeletePending() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void setUp() override {
        userUnits().UserGroupName[0] = "Lengths";
        userUnits().UserGroupName[3] = "Speeds";
        SetUnit(0, 0, "inch", " 2.54 ", "  ");
        SetUnit(0, 1, "ell", "7", "8");
        SetUnit(3, 2, "knot", "9", "");
        TransferUserGroups(halden::catalogue(), halden::userUnits());
        store = std::make_unique<UserUnitsStore>(userUnits(), catalogue());
    }
    void tearDown() override { delete dlg.data(); }

private slots:
    void opensWithGroupZeroTrimmedCoefficientsAndAlternatingRows() {
        Open();
        QCOMPARE(dlg->windowTitle(), QStringLiteral(" Add Units"));
        QCOMPARE(dlg->cboUserGroups->currentIndex(), 0);
        QCOMPARE(dlg->cboUserGroups->currentText(), QStringLiteral("Lengths"));
        QCOMPARE(dlg->cboUserGroups->count(), 20);
        QCOMPARE(dlg->cboUserGroups->itemText(3), QStringLiteral("Speeds"));
        QCOMPARE(dlg->cboUserGroups->itemText(19), QString());
        QCOMPARE(dlg->txtUserUnit[0]->text(), QStringLiteral("inch"));
        QCOMPARE(dlg->txtUserCoef[0]->text(), QStringLiteral("2.54"));
        QCOMPARE(dlg->txtUserCoef[1]->text(), QStringLiteral("7;8"));
        QCOMPARE(dlg->txtUserCoef[2]->text(), QString());
        for (int i = 0; i < frmUser::kRows; ++i) {
            const QColor expected =
                i % 2 == 1 ? kLightGrey : fixture->fake.SystemColourOf(SystemColour::WindowBackground);
            QCOMPARE(BoxColour(dlg->txtUserUnit[i]), expected);
            QCOMPARE(BoxColour(dlg->txtUserCoef[i]), expected);
        }
        // Opening alone changes nothing outside the dialog.
        QCOMPARE(userUnits().UserFactorText[0][0], std::string(" 2.54 "));
    }

    void longTextsFromTheFileSurviveOpenAndSave() {
        const std::string longName(300, 'n');
        const std::string longFactor = "1." + std::string(298, '5');
        userUnits().UserGroupName[0] = std::string(280, 'g');
        SetUnit(0, 2, longName, longFactor, "");
        Open();
        TypeOver(dlg->txtUserUnit[3], QString(300, QLatin1Char('x')));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(userUnits().UserGroupName[0], std::string(280, 'g'));
        QCOMPARE(userUnits().UserUnitName[0][2], longName);
        QCOMPARE(userUnits().UserFactorText[0][2], longFactor);
        // Typing has no limit either.
        QCOMPARE(userUnits().UserUnitName[0][3], std::string(300, 'x'));
    }

    void coefficientTextSplitsIntoFactorAndOffset_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("yellow");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<QString>("offset");
        QTest::newRow("factor;offset") << "2.54;0" << false << "2.54"
                                       << "0";
        QTest::newRow("blanks around ;") << "1.8 ; 32" << false << "1.8"
                                         << "32";
        QTest::newRow("lone factor") << "5" << false << "5"
                                     << "";
        QTest::newRow("second ; keeps last accepted") << "1;2;3" << true << "7"
                                                      << "8";
        QTest::newRow("bad factor keeps last accepted") << "abc" << true << "7"
                                                        << "8";
    }

    void coefficientTextSplitsIntoFactorAndOffset() {
        QFETCH(QString, text);
        QFETCH(bool, yellow);
        QFETCH(QString, factor);
        QFETCH(QString, offset);
        Open();
        // Row 1 holds "7;8" and is an odd, light-grey row; the whole text arrives at once (a paste).
        dlg->txtUserCoef[1]->setText(text);
        QCOMPARE(BoxColour(dlg->txtUserCoef[1]), yellow ? kYellow : kLightGrey);
        QCOMPARE(BoxColour(dlg->txtUserUnit[1]), kLightGrey);
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(QString::fromStdString(userUnits().UserFactorText[0][1]), factor);
        QCOMPARE(QString::fromStdString(userUnits().UserOffsetText[0][1]), offset);
    }

    void correctedCoefficientLosesItsYellow() {
        Open();
        TypeOver(dlg->txtUserCoef[2], QStringLiteral("1.2.3"));
        QCOMPARE(BoxColour(dlg->txtUserCoef[2]), kYellow);
        QTest::keyClick(dlg->txtUserCoef[2], Qt::Key_Backspace);
        QTest::keyClick(dlg->txtUserCoef[2], Qt::Key_Backspace);
        QCOMPARE(BoxColour(dlg->txtUserCoef[2]), fixture->fake.SystemColourOf(SystemColour::WindowBackground));
    }

    // Save names each row whose typed text it did not take, in the group shown or in one left.
    void yellowRowIsSavedWithItsLastAcceptedValues() {
        Open();
        TypeOver(dlg->txtUserCoef[0], QStringLiteral("1;2;3"));
        QCOMPARE(dlg->txtUserCoef[0]->text(), QStringLiteral("1;2;3"));
        QCOMPARE(BoxColour(dlg->txtUserCoef[0]), kYellow);
        PickGroup(dlg->cboUserGroups, 3);
        TypeOver(dlg->txtUserCoef[2], QStringLiteral("9x"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        // "1;2" was the last text accepted while typing.
        QCOMPARE(userUnits().UserFactorText[0][0], std::string("1"));
        QCOMPARE(userUnits().UserOffsetText[0][0], std::string("2"));
        QCOMPARE(catalogue().TempScale[1][0], 1.0);
        QCOMPARE(catalogue().TempOffset[1][0], 2.0);
        QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
        QCOMPARE(fixture->fake.messages[0].text,
                 std::string("These factors are not numbers and were not taken; their rows were saved with the "
                             "factors they had before.\rGroup 1, row 1: '1;2;3', saved as '1;2'\rGroup 4, row 3: "
                             "'9x', saved as '9'"));
    }

    void emptyCoefficientGivesTheZeroFactorRule() {
        Open();
        TypeOver(dlg->txtUserCoef[0], QString());
        QCOMPARE(dlg->txtUserCoef[0]->text(), QString());
        TypeOver(dlg->txtUserCoef[1], QStringLiteral(";5"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(userUnits().UserFactorText[0][0], std::string());
        QCOMPARE(userUnits().UserOffsetText[0][0], std::string());
        QCOMPARE(userUnits().UserOffsetText[0][1], std::string("5"));
        for (int slot : {0, 1}) {
            QCOMPARE(catalogue().TempScale[1][slot], 1e-30);
            QCOMPARE(catalogue().TempOffset[1][slot], 0.0);
        }
        QCOMPARE(catalogue().UnitCount[kFirstUserGroup], 2);
    }

    void switchingGroupsAndBackKeepsAnUnsavedOffset() {
        Open();
        TypeOver(dlg->txtUserCoef[2], QStringLiteral("1.8 ; 32"));
        TypeOver(dlg->txtUserUnit[2], QStringLiteral(" fahr "));
        PickGroup(dlg->cboUserGroups, 3);
        QCOMPARE(dlg->cboUserGroups->currentIndex(), 3);
        QCOMPARE(dlg->cboUserGroups->currentText(), QStringLiteral("Speeds"));
        QCOMPARE(dlg->txtUserUnit[2]->text(), QStringLiteral("knot"));
        QCOMPARE(dlg->txtUserCoef[2]->text(), QStringLiteral("9"));
        QCOMPARE(dlg->txtUserCoef[0]->text(), QString());
        PickGroup(dlg->cboUserGroups, 0);
        QCOMPARE(dlg->cboUserGroups->currentIndex(), 0);
        QCOMPARE(dlg->cboUserGroups->currentText(), QStringLiteral("Lengths"));
        QCOMPARE(dlg->txtUserCoef[2]->text(), QStringLiteral("1.8;32"));
        QCOMPARE(dlg->txtUserUnit[2]->text(), QStringLiteral(" fahr "));
        QCOMPARE(dlg->txtUserCoef[1]->text(), QStringLiteral("7;8"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(userUnits().UserFactorText[0][2], std::string("1.8"));
        QCOMPARE(userUnits().UserOffsetText[0][2], std::string("32"));
        // Closed up to the group's first row.
        QCOMPARE(userUnits().UserFactorText[3][0], std::string("9"));
        QCOMPARE(userUnits().UserGroupName[1], std::string());
        // Typed blanks stay in the name until the file is read again.
        QCOMPARE(catalogue().UnitName[kFirstUserGroup][2], std::string(" fahr "));
    }

    void typingInTheComboRenamesOnlyTheGroupShown() {
        Open();
        int saved = 0;
        store->AddListener([&saved] { ++saved; });
        TypeOver(dlg->cboUserGroups->lineEdit(), QStringLiteral("Distances"));
        // The drop-down lists the names as edited so far.
        dlg->cboUserGroups->showPopup();
        QCOMPARE(dlg->cboUserGroups->itemText(0), QStringLiteral("Distances"));
        QCOMPARE(dlg->cboUserGroups->currentText(), QStringLiteral("Distances"));
        QAbstractItemView* view = dlg->cboUserGroups->view();
        const QRect item = view->visualRect(view->model()->index(3, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_COMPARE(dlg->cboUserGroups->currentIndex(), 3);
        // Picking changed the text field, but must not have renamed the group shown before.
        QCOMPARE(dlg->cboUserGroups->currentText(), QStringLiteral("Speeds"));
        TypeOver(dlg->cboUserGroups->lineEdit(), QString());
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(saved, 1);
        QCOMPARE(userUnits().UserGroupName[0], std::string("Distances"));
        QCOMPARE(userUnits().UserGroupName[3], std::string());
        QCOMPARE(catalogue().GroupName[kFirstUserGroup], std::string("Distances"));
        QCOMPARE(catalogue().GroupName[kFirstUserGroup + 3], std::string());
    }

    void typingAnotherGroupsNameNeverSwitchesGroups_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab to the rows") << int(Qt::Key_Tab);
    }

    void typingAnotherGroupsNameNeverSwitchesGroups() {
        QFETCH(int, key);
        Open();
        // Group 3 is "Speeds"; group 0 takes the same name, and leaving the field must not jump there.
        TypeOver(dlg->cboUserGroups->lineEdit(), QStringLiteral("Speeds"));
        QTest::keyClick(dlg->cboUserGroups->lineEdit(), static_cast<Qt::Key>(key));
        QCOMPARE(dlg->cboUserGroups->currentIndex(), 0);
        QCOMPARE(dlg->txtUserUnit[0]->text(), QStringLiteral("inch"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(userUnits().UserGroupName[0], std::string("Speeds"));
        QCOMPARE(userUnits().UserGroupName[3], std::string("Speeds"));
    }

    void cancelLeavesTablesCatalogueAndFileUnchanged() {
        const UserUnits unitsBefore = userUnits();
        const UnitCatalogue catalogueBefore = catalogue();
        Open();
        int saved = 0;
        store->AddListener([&saved] { ++saved; });
        TypeOver(dlg->cboUserGroups->lineEdit(), QStringLiteral("Other"));
        TypeOver(dlg->txtUserUnit[4], QStringLiteral("rod"));
        TypeOver(dlg->txtUserCoef[4], QStringLiteral("5.0292;1"));
        fixture->fake.answers = {QStringLiteral("&Discard")};
        QTest::mouseClick(dlg->cmdCancel, Qt::LeftButton);
        DeletePending();
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
        QCOMPARE(fixture->fake.questions[0].message.title, std::string(" Halden Unit Converter"));
        QCOMPARE(fixture->fake.questions[0].message.text, std::string("Save changes to your units?"));
        QCOMPARE(fixture->fake.questions[0].buttons,
                 QStringList({QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("Cancel")}));
        QVERIFY(dlg.isNull());
        QVERIFY(!state().pbUserOpen);
        QCOMPARE(saved, 0);
        QVERIFY(userUnits().UserGroupName == unitsBefore.UserGroupName);
        QVERIFY(userUnits().UserUnitName == unitsBefore.UserUnitName);
        QVERIFY(userUnits().UserFactorText == unitsBefore.UserFactorText);
        QVERIFY(userUnits().UserOffsetText == unitsBefore.UserOffsetText);
        QVERIFY(catalogue().GroupName == catalogueBefore.GroupName);
        QVERIFY(catalogue().UnitName == catalogueBefore.UnitName);
        QVERIFY(catalogue().UnitCount == catalogueBefore.UnitCount);
        QVERIFY(catalogue().TempScale == catalogueBefore.TempScale);
        QVERIFY(!QFile::exists(UserFile(*fixture)));
        // A fresh opening starts again from the tables, not from the cancelled edits, and closes
        // unasked when nothing was typed.
        Open();
        QCOMPARE(dlg->cboUserGroups->currentText(), QStringLiteral("Lengths"));
        QCOMPARE(dlg->txtUserUnit[4]->text(), QString());
        QTest::mouseClick(dlg->cmdCancel, Qt::LeftButton);
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
    }

    // The close box, Cancel or the Escape key with unsaved edits: Save saves and closes, Discard
    // closes, Cancel or Escape keeps the dialog open with its edits.
    void closingWithEditsAsksToSave_data() {
        QTest::addColumn<QString>("closeBy");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("saved");
        QTest::newRow("close box, Save") << "close box"
                                         << "&Save" << false << true;
        QTest::newRow("close box, Cancel") << "close box"
                                           << "Cancel" << true << false;
        QTest::newRow("Cancel button, Escape") << "Cancel"
                                               << "" << true << false;
        QTest::newRow("Cancel button, Save") << "Cancel"
                                             << "&Save" << false << true;
        QTest::newRow("Escape key, Save") << "Escape"
                                          << "&Save" << false << true;
        QTest::newRow("Escape key, Cancel") << "Escape"
                                            << "Cancel" << true << false;
    }

    void closingWithEditsAsksToSave() {
        QFETCH(QString, closeBy);
        QFETCH(QString, answer);
        QFETCH(bool, staysOpen);
        QFETCH(bool, saved);
        Open();
        TypeOver(dlg->txtUserUnit[0], QStringLiteral("yard"));
        if (!answer.isEmpty()) {
            fixture->fake.answers = {answer};
        }
        if (closeBy == QStringLiteral("close box")) {
            CloseBox(dlg);
        } else if (closeBy == QStringLiteral("Escape")) {
            dlg->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dlg));
            QTest::keyClick(dlg->txtUserUnit[0], Qt::Key_Escape);
        } else {
            QTest::mouseClick(dlg->cmdCancel, Qt::LeftButton);
        }
        DeletePending();
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
        QCOMPARE(!dlg.isNull() && dlg->isVisible(), staysOpen);
        QCOMPARE(state().pbUserOpen, staysOpen);
        if (staysOpen) {
            QCOMPARE(dlg->txtUserUnit[0]->text(), QStringLiteral("yard"));
        }
        QCOMPARE(userUnits().UserUnitName[0][0], std::string(saved ? "yard" : "inch"));
        QCOMPARE(QFile::exists(UserFile(*fixture)), saved);
    }

    // Another copy of the program saved its units after this one read the file: Save asks, Enter
    // (the first button) or Escape keeps the other version, writes nothing and leaves the edits in
    // the dialog; replacing keeps the other version beside the file under the name the question gives.
    void saveOverAFileChangedByAnotherProgramAsksFirst_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("replace it") << "&Replace It";
        QTest::newRow("keep the other version") << "&Keep the Other Version";
        QTest::newRow("Escape") << "";
    }

    void saveOverAFileChangedByAnotherProgramAsksFirst() {
        QFETCH(QString, answer);
        const bool replace = answer == QStringLiteral("&Replace It");
        // A file whose first group has a one-letter name.
        const auto groupNamed = [](char name) { return std::string("\x01\x00", 2) + name + std::string(1318, '\0'); };
        QVERIFY(WriteBytes(UserFile(*fixture), groupNamed('A')));
        store->NoteFileSeen();
        Open();
        TypeOver(dlg->txtUserUnit[2], QStringLiteral("rod"));
        // The same size as before: only the content tells the versions apart.
        const std::string other = groupNamed('B');
        QVERIFY(WriteBytes(UserFile(*fixture), other));
        if (!answer.isEmpty()) {
            fixture->fake.answers = {answer};
        }
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        DeletePending();
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
        QCOMPARE(fixture->fake.questions[0].message.text,
                 std::string("HUC_USER.DAT was changed by another program since it was read. Replace it?\r\r"
                             "Replace It keeps the other version as 'HUC_USER.DAT.replaced'. Keep the Other "
                             "Version writes nothing: your changes stay in this window."));
        QCOMPARE(fixture->fake.questions[0].buttons.front(), QStringLiteral("&Keep the Other Version"));
        QCOMPARE(ReadBytes(UserFile(*fixture) + QStringLiteral(".replaced")) == other, replace);
        QCOMPARE(dlg.isNull(), replace);
        QCOMPARE(userUnits().UserUnitName[0][2], std::string(replace ? "rod" : ""));
        QCOMPARE(ReadBytes(UserFile(*fixture)) == other, !replace);
        if (!replace) {
            QCOMPARE(dlg->txtUserUnit[2]->text(), QStringLiteral("rod"));
            return;
        }
        // The program's own save is the version it knows now: the next Save asks nothing.
        Open();
        TypeOver(dlg->txtUserUnit[3], QStringLiteral("pole"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(fixture->fake.questions.size(), std::size_t{1});
        QCOMPARE(userUnits().UserUnitName[0][3], std::string("pole"));
    }

    void closeBoxDiscardsEditsAndClearsTheOpenFlag() {
        Open();
        TypeOver(dlg->txtUserUnit[0], QStringLiteral("yard"));
        fixture->fake.answers = {QStringLiteral("&Discard")};
        // What the window system sends when the user clicks the close box.
        QCloseEvent closeBox;
        QCoreApplication::sendEvent(dlg->windowHandle(), &closeBox);
        DeletePending();
        QVERIFY(dlg.isNull());
        QVERIFY(!state().pbUserOpen);
        QCOMPARE(userUnits().UserUnitName[0][0], std::string("inch"));
        QVERIFY(!QFile::exists(UserFile(*fixture)));
    }

    void closingFromCodeLeavesTheOpenFlagToTheCaller() {
        Open();
        dlg->close();
        DeletePending();
        QVERIFY(dlg.isNull());
        QVERIFY(state().pbUserOpen);
    }

    void saveWritesTheFileAndSignalsOnceAfterTheCatalogueIsRebuilt() {
        Open();
        int saved = 0;
        std::string groupAtSignal;
        store->AddListener([&saved, &groupAtSignal] {
            ++saved;
            groupAtSignal = catalogue().GroupName[kFirstUserGroup + 1];
        });
        PickGroup(dlg->cboUserGroups, 1);
        TypeOver(dlg->cboUserGroups->lineEdit(), QStringLiteral("Mass"));
        TypeOver(dlg->txtUserUnit[0], QStringLiteral("kan"));
        TypeOver(dlg->txtUserCoef[0], QStringLiteral("3.75"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        DeletePending();
        QVERIFY(dlg.isNull());
        QVERIFY(!state().pbUserOpen);
        QCOMPARE(saved, 1);
        QCOMPARE(groupAtSignal, std::string("Mass"));
        QCOMPARE(catalogue().UnitCount[kFirstUserGroup + 1], 1);
        QCOMPARE(catalogue().TempScale[2][0], 3.75);
        QVERIFY(fixture->fake.messages.empty());

        QFile file(UserFile(*fixture));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Group 0's record, then its unit "inch" with its factor and offset texts as they were: the
        // row showed them trimmed, but nobody edited them.
        QVERIFY(
            bytes.startsWith(QByteArray("\x07\x00Lengths\x00\x00\x00\x00\x04\x00inch\x06\x00"
                                        " 2.54 \x02\x00  ",
                                        31)));
        QVERIFY(bytes.contains(QByteArray("\x04\x00Mass", 6)));
        QVERIFY(
            bytes.contains(QByteArray("\x03\x00kan\x04\x00"
                                      "3.75\x00\x00",
                                      13)));
    }

    // A Save that cannot write the file says why and keeps the dialog with its edits unsaved: the
    // new groups are in use, closing asks again, and discarding puts back the units of the file.
    void failedSaveKeepsTheDialogAndItsEdits_data() {
        QTest::addColumn<QString>("inPlace");  // what is where the file belongs
        QTest::addColumn<QString>("why");
        QTest::newRow("a folder") << "folder"
                                  << "'HUC_USER.DAT' is a folder, not a file.";
        QTest::newRow("a link to itself") << "link"
                                          << "'HUC_USER.DAT' is a symbolic link that loops or cannot be followed.";
    }

    void failedSaveKeepsTheDialogAndItsEdits() {
        QFETCH(QString, inPlace);
        QFETCH(QString, why);
        QVERIFY(QDir().mkpath(inPlace == QStringLiteral("folder") ? UserFile(*fixture) : fixture->configDir()));
        if (inPlace == QStringLiteral("link")) {
            std::filesystem::create_symlink("HUC_USER.DAT", UserFile(*fixture).toStdString());
        }
        Open();
        TypeOver(dlg->txtUserUnit[2], QStringLiteral("chain"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        DeletePending();
        QVERIFY(!dlg.isNull() && dlg->isVisible());
        QVERIFY(state().pbUserOpen);
        QVERIFY(dlg->HasUnsavedEdits());
        QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(fixture->fake.messages[0].text),
                 QStringLiteral("Failed to save file as 'HUC_USER.DAT'.\r") + why);
        QCOMPARE(catalogue().UnitName[kFirstUserGroup][2], std::string("chain"));

        // The close box's Save fails the same way and keeps the dialog; Discard then closes it.
        fixture->fake.answers = {QStringLiteral("&Save")};
        CloseBox(dlg);
        DeletePending();
        QVERIFY(!dlg.isNull() && dlg->isVisible());
        QCOMPARE(fixture->fake.messages.size(), std::size_t{2});
        fixture->fake.answers = {QStringLiteral("&Discard")};
        CloseBox(dlg);
        DeletePending();
        QVERIFY(dlg.isNull());
        QCOMPARE(userUnits().UserUnitName[0][2], std::string());
        QCOMPARE(catalogue().UnitCount[kFirstUserGroup], 2);
    }

    // Blank rows between units are closed up by Save, so every unit saved is in the lists.
    void saveClosesTheGapsBetweenUnits() {
        Open();
        TypeOver(dlg->txtUserUnit[0], QString());
        TypeOver(dlg->txtUserUnit[5], QStringLiteral("chain"));
        TypeOver(dlg->txtUserCoef[5], QStringLiteral("20.1168"));
        QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
        QCOMPARE(userUnits().UserUnitName[0][0], std::string("ell"));
        QCOMPARE(userUnits().UserOffsetText[0][0], std::string("8"));
        QCOMPARE(userUnits().UserUnitName[0][1], std::string("chain"));
        QCOMPARE(userUnits().UserUnitName[0][5], std::string());
        QCOMPARE(catalogue().UnitCount[kFirstUserGroup], 2);
        QCOMPARE(catalogue().UnitName[kFirstUserGroup][1], std::string("chain"));
    }

    void commaInACoefficientWarnsOncePerKeystroke() {
        Open();
        TypeOver(dlg->txtUserCoef[3], QStringLiteral("1,5"));
        // "1," and "1,5" each warn; the text is taken and reads as 1.
        QCOMPARE(fixture->fake.messages.size(), std::size_t{2});
        QCOMPARE(fixture->fake.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(BoxColour(dlg->txtUserCoef[3]), kLightGrey);
    }

    void helpOpensTheAddUnitsTopic() {
        Open();
        QTest::mouseClick(dlg->cmdHelp, Qt::LeftButton);
        QCOMPARE(fixture->fake.helps.size(), std::size_t{1});
        QCOMPARE(fixture->fake.helps[0].command, HelpCommand::Context);
        QCOMPARE(fixture->fake.helps[0].context, 18);
        QVERIFY(!dlg.isNull());
    }
};

QTEST_MAIN(FrmUserTest)
#include "test_frmUser.moc"
