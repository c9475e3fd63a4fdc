// Unusual input through the real windows: odd clipboards pasted into the converter and the
// calculator, hand-edited configuration and user units files, and a configuration directory that
// cannot take the save at shutdown. Each flow must end in a shown text or the program's message,
// without a crash, a hang or a damaged file.

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
#include "storage/frmUser.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace halden;
using namespace halden::test;

namespace {

bool Choose(const QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions()) {
        if (action->text() == caption && action->isVisible() && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}

// A result box holds either "Input error" or a finite number in the program's notation.
bool IsShownResult(const QString& text) {
    if (text == QStringLiteral("Input error")) {
        return true;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

// Text arriving in an input box by one route, and what the box and its result show then.
struct Arrival {
    QString route;
    QString before;  // the box's text, the cursor at its end
    QString arriving;
    QString shown;
    QString result;  // meter into millimeter, or the calculator's
    bool calculator = false;
};

// Brings the text in by its route, pasted from the fake platform, dropped, typed to keys (a comma or
// point on the keypad by "keypad") or committed by an input method; false when the way in is missing.
bool Arrive(const Arrival& a, frmConvert* window, QWidget* keys, QLineEdit* box, FakePlatform& fake) {
    fake.clipboard = a.arriving;
    fake.selection = a.arriving;
    QMimeData dragged;
    dragged.setText(a.arriving);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, {});
    QInputMethodEvent commit;
    commit.setCommitString(a.arriving);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    if (a.route == "Ctrl+V") {
        QTest::keyClick(keys, Qt::Key_V, Qt::ControlModifier);
    } else if (a.route == "Shift+Insert") {
        QTest::keyClick(keys, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (a.route == "middle click") {
        QTest::mouseClick(box, Qt::MiddleButton);
    } else if (a.route == "drop") {
        QDragEnterEvent enter(drop.position().toPoint(), drop.possibleActions(), &dragged, Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &enter);
        QCoreApplication::sendEvent(box, &drop);
    } else if (a.route == "input method") {
        QCoreApplication::sendEvent(keys, &commit);
    } else if (a.route == "Paste button") {
        Click(Ui(*window).picPaste);
    } else if (a.route == "Edit menu") {
        return Choose(Ui(*window).mnuEditPaste, QStringLiteral("As Con&version Input"));
    } else if (a.route == "context menu") {
        QCoreApplication::sendEvent(box, &menuKey);
        const std::unique_ptr<QMenu> menu(box->findChild<QMenu*>());
        return menu != nullptr && Choose(menu.get(), QStringLiteral("&Paste\tCtrl+V"));
    } else {
        for (const QChar c : a.arriving) {
            const bool keypad = a.route == "keypad" && (c == QLatin1Char(',') || c == QLatin1Char('.'));
            QKeyEvent key(QEvent::KeyPress, c.unicode() < 0x80 ? c.unicode() : int{Qt::Key_unknown},
                          keypad ? Qt::KeypadModifier : Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(keys, &key);
        }
    }
    return true;
}

// A configuration file of the program's shape with the given value texts behind the keys.
std::string ConfigText(const QStringList& values) {
    static const char* const keys[] = {"Form_Normal_Top=",
                                       "Form_Normal_Left=",
                                       "Form_Normal_Width=",
                                       "Form_Normal_Height=",
                                       "Form_Cal_Top=",
                                       "Form_Cal_Left=",
                                       "Form_Convert_Top=",
                                       "Form_Convert_Left=",
                                       "Form_Constants_Top=",
                                       "Form_Constants_Left=",
                                       "Sel_Unit_Group=",
                                       "Sel_Unit_Item=",
                                       "Show_On_Top=",
                                       "Figure=",
                                       "Form=",
                                       "Focus=",
                                       "Shape="};
    std::string text = "[Window]\r\n";
    for (int i = 0; i < 17; ++i) {
        if (i == 12) {
            text += "[Option]\r\n";
        }
        text += keys[i];
        text += values.value(i).toStdString();
        text += "\r\n";
    }
    return text;
}

}  // namespace

Q_DECLARE_METATYPE(Arrival)

class BadInputTest : public halden::test::GuiTest {
    Q_OBJECT

    QString ConfigPath() const { return fixture->configDir() + QStringLiteral("HALDUCNV.CFG"); }
    QString UserPath() const { return fixture->configDir() + QStringLiteral("HUC_USER.DAT"); }

    void WriteFiles(const std::string& config, const UserUnits& units = UserUnits{}) {
        QVERIFY(WriteProgramFiles(fixture->configDir(), config, units));
    }

    static std::string FullShapeConfig() {
        Settings stored;
        stored.pnShapeFlag = 1;
        return CfgSaveBytes(stored);
    }

    // The saved configuration is whole: the next start-up reads it without falling back.
    void VerifySavedConfigurationReads() {
        Settings saved;
        RecordingSink sink;
        CfgReadBytes(ReadBytes(ConfigPath()), saved, sink);
        QVERIFY(sink.messages.empty());
    }

private slots:

    void pastedClipboardsEndInAResultOrInputError_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("converted");   // 2 mile into meter, or the text shown
        QTest::addColumn<QString>("calculated");  // "2*" and the clipboard
        QTest::newRow("a megabyte of digits")
            << QString(1 << 20, QLatin1Char('7')) << QStringLiteral("Input error") << QStringLiteral("Input error");
        QTest::newRow("control characters")
            << QStringLiteral("\x01\x02\x1b[0m\x7f") << QStringLiteral("Input error") << QStringLiteral("Input error");
        QTest::newRow("a NUL inside a number") << (QStringLiteral("2") + QChar(0) + QStringLiteral("5"))
                                               << QStringLiteral("Input error") << QStringLiteral("Input error");
        QTest::newRow("a number ended by CR LF (the line break is left out)")
            << QStringLiteral("2\r\n") << QStringLiteral("3218.69") << QStringLiteral("4.00000");
        QTest::newRow("a lone high surrogate") << (QString(QChar(0xD800)) + QStringLiteral("2"))
                                               << QStringLiteral("Input error") << QStringLiteral("Input error");
        QTest::newRow("a lone low surrogate after a number")
            << (QStringLiteral("2") + QChar(0xDC00)) << QStringLiteral("Input error") << QStringLiteral("Input error");
        QTest::newRow("a huge exponent") << QStringLiteral("1e99999999999999999999") << QStringLiteral("Input error")
                                         << QStringLiteral("Input error");
        QTest::newRow("a huge negative exponent past the sign rule")
            << QStringLiteral("-1e99999999999999999999") << QStringLiteral("Input error")
            << QStringLiteral("Input error");
        QTest::newRow("a product beyond the double range")
            << QStringLiteral("1e308") << QStringLiteral("Input error") << QStringLiteral("Input error");
        QTest::newRow("plain two") << QStringLiteral("2") << QStringLiteral("3218.69") << QStringLiteral("4.00000");
    }

    void pastedClipboardsEndInAResultOrInputError() {
        QFETCH(QString, clipboard);
        QFETCH(QString, converted);
        QFETCH(QString, calculated);
        WriteFiles(FullShapeConfig());
        window = std::make_unique<frmConvert>();
        ui().lstConvFrom->setCurrentRow(3);  // mile
        ui().lstConvInto->setCurrentRow(0);  // meter
        fixture->fake.clipboard = clipboard;

        // The Paste button and the Edit menu item put the same text in and convert it.
        Click(ui().picPaste);
        QString pasted = clipboard;
        while (pasted.endsWith(QLatin1Char('\n')) || pasted.endsWith(QLatin1Char('\r'))) {
            pasted.chop(1);
        }
        QCOMPARE(ui().txtInput->text(), pasted.left(ui().txtInput->maxLength()));
        QCOMPARE(ui().txtResult->text(), converted);
        ui().txtInput->clear();
        QVERIFY(Choose(ui().mnuEditPaste, QStringLiteral("As Con&version Input")));
        QCOMPARE(ui().txtResult->text(), converted);

        // Into the calculator as the right operand (a lone text there counts as 0), then "=" and
        // "<" over and over.
        fixture->fake.clipboard = QStringLiteral("2*") + clipboard;
        QVERIFY(Choose(ui().mnuEditPaste, QStringLiteral("As &Calculation Input")));
        frmCal* cal = window->calculatorWindow();
        QVERIFY(!cal->isVisible());
        for (int round = 0; round < 3; ++round) {
            QTest::mouseClick(cal->cmdExecCalc, Qt::LeftButton);
            QCOMPARE(cal->txtCalResult->text(), calculated);
        }
        for (int round = 0; round < 2; ++round) {
            const QString shown = cal->txtCalResult->text();
            QTest::mouseClick(cal->cmdReplace, Qt::LeftButton);
            QCOMPARE(cal->cboInput->currentText(), shown);
            QTest::mouseClick(cal->cmdExecCalc, Qt::LeftButton);
            QVERIFY(IsShownResult(cal->txtCalResult->text()));
        }
        QCOMPARE(cal->cboInput->count(), 5);
        QVERIFY(cal->width() > 0 && cal->width() <= 32767);
        QVERIFY(fixture->fake.messages.empty());

        // The whole run still ends and saves a readable configuration.
        window->close();
        VerifySavedConfigurationReads();
    }

    void textArrivesAsItsFirstLineInAsciiByEveryRoute_data() {
        QTest::addColumn<Arrival>("arrival");
        const std::pair<const char*, const char*> lines[] = {
            {"a line break after", "2\n"}, {"line breaks before", "\r\n2"}, {"two lines", "2\r\n3"}};
        for (const char* route :
             {"Ctrl+V", "Shift+Insert", "context menu", "middle click", "drop", "Paste button", "Edit menu"}) {
            for (const auto& [name, text] : lines) {
                QTest::addRow("%s, %s", route, name) << Arrival{route, "", text, "2", "2000.00"};
            }
        }
        QTest::newRow("Ctrl+V, two lines after a digit") << Arrival{"Ctrl+V", "1", "2\n3", "12", "12000.0"};
        QTest::newRow("drop, a full-width minus before a digit")
            << Arrival{"drop", "1", "\uff0d\uff14\n", "-41", "-41000.0"};
        QTest::newRow("typed full-width digits") << Arrival{"keys", "", "\uff11\uff12", "12", "12000.0"};
        QTest::newRow("a committed minus sign") << Arrival{"input method", "", "\u221240", "-40", "-40000.0"};
        QTest::newRow("the keypad comma") << Arrival{"keypad", "", "1,5", "1.5", "1500.00"};
        QTest::newRow("calculator, Ctrl+V") << Arrival{"Ctrl+V", "", "2*3\n4", "2*3", "6.00000", true};
        QTest::newRow("calculator, context menu") << Arrival{"context menu", "2", "\n*3\n", "2*3", "6.00000", true};
        QTest::newRow("calculator, keypad and no-break spaces")
            << Arrival{"keypad", "", "1,5\u00a0*\u00a02", "1.5 * 2", "3.00000", true};
    }

    void textArrivesAsItsFirstLineInAsciiByEveryRoute() {
        QFETCH(Arrival, arrival);
        WriteFiles(FullShapeConfig());
        window = std::make_unique<frmConvert>();
        ui().lstConvInto->setCurrentRow(RowOf(ui().lstConvInto, QStringLiteral("millimeter (mm)")));
        ui().lstConvFrom->setCurrentRow(RowOf(ui().lstConvFrom, QStringLiteral("meter (m)")));
        frmCal* cal = window->calculatorWindow();
        QLineEdit* box = arrival.calculator ? cal->cboInput->lineEdit() : ui().txtInput;
        box->setText(arrival.before);
        QVERIFY(Arrive(arrival, window.get(), arrival.calculator ? cal->cboInput : static_cast<QWidget*>(box), box,
                       fixture->fake));
        QCOMPARE(box->text(), arrival.shown);
        if (arrival.calculator) {
            QTest::mouseClick(cal->cmdExecCalc, Qt::LeftButton);
        }
        QCOMPARE(arrival.calculator ? cal->txtCalResult->text() : ui().txtResult->text(), arrival.result);
    }

    void oddConfigurationValuesStartAndSaveCleanly_data() {
        QTest::addColumn<QStringList>("values");  // in file order, without the two section lines
        QTest::addColumn<int>("group");           // the group the lists show
        QTest::newRow("positions at the 16-bit limits, full shape")
            << QStringList{"32767",  "-32768", "32767", "-32768", "32767", "-32768", "32767", "32767", "-32768",
                           "-32768", "0",      "0",     "1",      "6",     "0",      "0",     "1"}
            << 0;
        QTest::newRow("positions at the 16-bit limits, reduced shape")
            << QStringList{"-32768", "32767", "-32768", "32767", "-32768", "32767", "-32768", "-32768", "32767",
                           "32767",  "5",     "0",      "1",     "6",      "0",     "0",      "0"}
            << 5;
        QTest::newRow("group beyond the last")
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "32767", "9999", "0", "6", "0", "0", "1"}
            << 0;
        QTest::newRow("negative group") << QStringList{"0", "0",  "0",  "0", "0", "0", "0", "0", "0",
                                                       "0", "-1", "-5", "0", "6", "0", "0", "1"}
                                        << 0;
        QTest::newRow("an empty user group")
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "30", "0", "0", "6", "0", "0", "1"} << 30;
        QTest::newRow("odd option digits")
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "49", "0", "9", "9", "9", "9", "9"} << 49;
        QTest::newRow("option signs and letters")
            << QStringList{"-", "x", "", "-0", "0", "0", "0", "0", "0", "0", "50", "0", "-", "-", "-", "-", "-"} << 50;
        QTest::newRow("zero figure and form three")
            << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "27", "0", "0", "0", "3", "2", "1"} << 27;
    }

    void oddConfigurationValuesStartAndSaveCleanly() {
        QFETCH(QStringList, values);
        QFETCH(int, group);
        WriteFiles(ConfigText(values));
        window = std::make_unique<frmConvert>();
        QVERIFY(fixture->fake.messages.empty());
        QCOMPARE(int{settings().pnSelUnitGrp}, group);
        QCOMPARE(ui().lstConvFrom->count(), int{catalogue().UnitCount[static_cast<std::size_t>(group)]});
        // The reduced shape shows only the icon window; the main window is hidden, not off-screen.
        QCOMPARE(window->isVisible(), settings().pnShapeFlag != 0);
        QVERIFY(settings().pnShapeFlag != 0 || (test::IconWindow() != nullptr && test::IconWindow()->isVisible()));
        // Wherever the file put it, the window the user works with can be reached on a screen.
        QWidget* shown = settings().pnShapeFlag != 0 ? static_cast<QWidget*>(window.get()) : test::IconWindow();
        QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(shown->pos() + QPoint(16, 16)));
        if (ui().lstConvFrom->count() >= 2) {
            ui().lstConvFrom->setCurrentRow(1);
            ui().lstConvInto->setCurrentRow(0);
            ui().txtInput->setText(QStringLiteral("3"));
            QVERIFY2(IsShownResult(ui().txtResult->text()) || group == 49, qPrintable(ui().txtResult->text()));
            QVERIFY(!ui().txtResult->text().isEmpty());
        }
        // The calculator opens with the odd options too.
        Click(ui().picCal);
        frmCal* cal = window->calculatorWindow();
        cal->cboInput->setEditText(QStringLiteral("2*3"));
        QTest::mouseClick(cal->cmdExecCalc, Qt::LeftButton);
        QVERIFY2(IsShownResult(cal->txtCalResult->text()), qPrintable(cal->txtCalResult->text()));

        window->close();
        QVERIFY(fixture->fake.messages.empty());
        VerifySavedConfigurationReads();
    }

    void oddUserUnitsConvertToAResultOrInputError_data() {
        QTest::addColumn<QString>("groupName");
        QTest::addColumn<QStringList>("names");  // two units: converted from the first into the second
        QTest::addColumn<QStringList>("factors");
        QTest::addColumn<QStringList>("offsets");
        QTest::addColumn<QString>("expected");  // the result of 3, or empty for "any shown result"
        const QString longName(300, QLatin1Char('N'));
        const QString longestName(65535, QLatin1Char('L'));
        QTest::newRow("a long name") << longName << QStringList{longName, longName + "2"} << QStringList{"1", "2"}
                                     << QStringList{"", ""} << QStringLiteral("1.50000");
        QTest::newRow("the longest name a record holds")
            << longestName << QStringList{longestName, QStringLiteral("\u5c3a [shaku]")} << QStringList{"1", "2"}
            << QStringList{"", ""} << QStringLiteral("1.50000");
        QTest::newRow("ampersands and tabs")
            << QStringLiteral("A&&B\tC") << QStringList{"x&y", "p\tq"} << QStringList{"1", "1"} << QStringList{"", ""}
            << QStringLiteral("3.00000");
        QTest::newRow("into a zero factor") << QStringLiteral("Zero") << QStringList{"one", "zero"}
                                            << QStringList{"1", "0"} << QStringList{"", ""} << QString();
        QTest::newRow("into a negative zero factor") << QStringLiteral("Zero") << QStringList{"one", "zero"}
                                                     << QStringList{"1", "-0"} << QStringList{"", ""} << QString();
        QTest::newRow("overflowing factors")
            << QStringLiteral("Big") << QStringList{"huge", "tiny"} << QStringList{"1e308", "1e-308"}
            << QStringList{"", ""} << QStringLiteral("Input error");
        QTest::newRow("words for factors") << QStringLiteral("Words") << QStringList{"nan", "inf"}
                                           << QStringList{"nan", "inf"} << QStringList{"nan", "inf"} << QString();
        QTest::newRow("a hexadecimal factor") << QStringLiteral("Hex") << QStringList{"h", "one"}
                                              << QStringList{"&HFFFFFFFF", "1"} << QStringList{"", ""} << QString();
        QTest::newRow("offsets that overflow when added")
            << QStringLiteral("Offsets") << QStringList{"a", "b"} << QStringList{"1e300", "1"}
            << QStringList{"1.7e308", "-1.7e308"} << QStringLiteral("Input error");
    }

    void oddUserUnitsConvertToAResultOrInputError() {
        QFETCH(QString, groupName);
        QFETCH(QStringList, names);
        QFETCH(QStringList, factors);
        QFETCH(QStringList, offsets);
        QFETCH(QString, expected);
        UserUnits units;
        units.UserGroupName[0] = groupName.toStdString();
        for (int j = 0; j < 2; ++j) {
            const auto slot = static_cast<std::size_t>(j);
            units.UserUnitName[0][slot] = names[j].toStdString();
            units.UserFactorText[0][slot] = factors[j].toStdString();
            units.UserOffsetText[0][slot] = offsets[j].toStdString();
        }
        WriteFiles(FullShapeConfig(), units);
        const std::optional<std::string> before = ReadBytes(UserPath());
        window = std::make_unique<frmConvert>();
        QVERIFY(fixture->fake.messages.empty());

        ui().mnuUserArray[0]->trigger();
        QCOMPARE(int{settings().pnSelUnitGrp}, kFirstUserGroup);
        QCOMPARE(window->windowTitle(), QStringLiteral(" Halden Unit Converter - ") + groupName);
        QCOMPARE(ui().lstConvFrom->count(), 2);
        QCOMPARE(ui().lstConvFrom->item(0)->text(), names[0]);
        ui().lstConvFrom->setCurrentRow(0);
        ui().lstConvInto->setCurrentRow(1);
        ui().txtInput->setText(QStringLiteral("3"));
        const QString shown = ui().txtResult->text();
        QVERIFY2(IsShownResult(shown), qPrintable(shown));
        if (!expected.isEmpty()) {
            QCOMPARE(shown, expected);
        }
        // And back the other way.
        ui().lstConvFrom->setCurrentRow(1);
        ui().lstConvInto->setCurrentRow(0);
        ui().txtInput->setText(QStringLiteral("4"));
        QVERIFY2(IsShownResult(ui().txtResult->text()), qPrintable(ui().txtResult->text()));

        // Saved from the Add Units dialog without an edit, every text goes back as it came.
        QVERIFY(Choose(ui().mnuOptions, QStringLiteral("&Add Units...")));
        auto* dialog = window->findChild<frmUser*>();
        QVERIFY(dialog != nullptr);
        QVERIFY(QFile::remove(UserPath()));
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        window->close();
        QVERIFY(fixture->fake.messages.empty());
        QCOMPARE(ReadBytes(UserPath()), before);
    }

    void aConfigurationDirectoryThatCannotTakeTheSaveStillEndsTheProgram_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("reduced");  // ended from the icon window's close key
        QTest::newRow("the file replaced by a directory") << QStringLiteral("file is a directory") << false;
        QTest::newRow("the directory replaced by a file") << QStringLiteral("directory is a file") << false;
        QTest::newRow("the directory removed") << QStringLiteral("directory removed") << false;
        QTest::newRow("the file replaced by a directory, reduced") << QStringLiteral("file is a directory") << true;
    }

    void aConfigurationDirectoryThatCannotTakeTheSaveStillEndsTheProgram() {
        QFETCH(QString, damage);
        QFETCH(bool, reduced);
        Settings stored;
        stored.pnShapeFlag = reduced ? 0 : 1;
        WriteFiles(CfgSaveBytes(stored));
        window = std::make_unique<frmConvert>();
        QPointer<frmMini> mini = test::IconWindow();
        QCOMPARE(mini.isNull(), !reduced);
        QVERIFY(fixture->fake.messages.empty());
        QDir dir(fixture->configDir());
        QVERIFY(dir.removeRecursively());
        bool saveCanFail = true;
        if (damage == QStringLiteral("file is a directory")) {
            QVERIFY(QDir().mkpath(ConfigPath()));
        } else if (damage == QStringLiteral("directory is a file")) {
            QVERIFY(WriteBytes(fixture->configDir().chopped(1), "not a directory"));
        } else {
            saveCanFail = false;  // the save makes the directory again
        }

        if (reduced) {
            QCloseEvent closeKey;
            QCoreApplication::sendEvent(mini->windowHandle(), &closeKey);
        } else {
            QVERIFY(Choose(ui().mnuFile, QStringLiteral("E&xit")));
        }
        // A second close, as a window system may send during shutdown, saves nothing more.
        window->close();
        if (saveCanFail) {
            QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
            QCOMPARE(fixture->fake.messages[0].text, std::string("Failed to save file as 'HALDUCNV.CFG'."));
            QCOMPARE(fixture->fake.messages[0].icon, MessageIcon::Critical);
        } else {
            QVERIFY(fixture->fake.messages.empty());
            VerifySavedConfigurationReads();
        }
        QVERIFY(!window->isVisible());
        QVERIFY(mini.isNull() || !mini->isVisible());
    }
};

QTEST_MAIN(BadInputTest)
#include "test_bad_input.moc"
