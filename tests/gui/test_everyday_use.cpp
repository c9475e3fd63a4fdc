// What users met in their first minutes with the program: pasted line breaks, a dark desktop, F1,
// lists that keep an old scroll position, a result beside no target, clicks on no entry, tool
// buttons by keyboard, long and unusual texts in Add Units, and ending by a signal.
#include "app/shutdown_signals.h"
#include "app/single_instance.h"
#include "app/unit_list.h"
#include "shared/process_state.h"
#include "storage/config_file.h"
#include "storage/user_file.h"
#include "support/gui_actions.h"
#include "support/gui_fixture.h"
#include "support/main_window_ui.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "reference/frmHelp.h"
#include "reference/frmInfo.h"
#include "storage/frmUser.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <csignal>
#include <memory>

using namespace halden;
using namespace halden::test;

namespace {

void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

int RowNamed(const QListWidget* list, const char* name) { return RowOf(list, QString::fromUtf8(name)); }

// Sets the application palette for one test and puts the old one back.
class PaletteForTest {
public:
    explicit PaletteForTest(const QPalette& palette) : old_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~PaletteForTest() { QApplication::setPalette(old_); }
    PaletteForTest(const PaletteForTest&) = delete;
    PaletteForTest& operator=(const PaletteForTest&) = delete;

private:
    QPalette old_;
};

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::Text, QColor(240, 240, 240));
    return dark;
}

// Counts the opaque pixels of a picture that are near white and near black.
std::pair<int, int> LightAndDarkPixels(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    int light = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                continue;
            }
            light += qGray(pixel) > 200 ? 1 : 0;
            dark += qGray(pixel) < 60 ? 1 : 0;
        }
    }
    return {light, dark};
}

}  // namespace

class EverydayUseTest : public halden::test::GuiTest {
    Q_OBJECT

    QString ConfigPath() const { return fixture->configDir() + QStringLiteral("HALDUCNV.CFG"); }

    // The main window in the full shape with a Convert menu group chosen.
    frmConvert* Started(int convertItem = 0) {
        window = std::make_unique<frmConvert>();
        ui().mnuConvArray[static_cast<std::size_t>(convertItem)]->trigger();
        fixture->fake.messages.clear();  // the first start's configuration message
        return window.get();
    }

    void Activate(QWidget* w) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), w);
    }

    frmUser* OpenAddUnits() {
        ui().mnuUserDef->trigger();
        auto* dialog = window->findChild<frmUser*>();
        return dialog;
    }

private slots:

    void pasteLeavesOutTheLineBreakAtTheEnd_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("result");  // mile into meter
        QTest::newRow("a spreadsheet cell")
            << QStringLiteral("37\n") << QStringLiteral("37") << QStringLiteral("59545.7");
        QTest::newRow("a line from a terminal on another system")
            << QStringLiteral("37\r\n") << QStringLiteral("37") << QStringLiteral("59545.7");
        QTest::newRow("several line ends")
            << QStringLiteral("2\r\n\n\r") << QStringLiteral("2") << QStringLiteral("3218.69");
        QTest::newRow("blanks are pasted as they are")
            << QStringLiteral(" 2 \n") << QStringLiteral(" 2 ") << QStringLiteral("3218.69");
        QTest::newRow("only a line break") << QStringLiteral("\r\n") << QString() << QString();
    }

    void pasteLeavesOutTheLineBreakAtTheEnd() {
        QFETCH(QString, clipboard);
        QFETCH(QString, pasted);
        QFETCH(QString, result);
        Started(0);
        ClickRow(ui().lstConvFrom, RowNamed(ui().lstConvFrom, "mile"));
        ClickRow(ui().lstConvInto, RowNamed(ui().lstConvInto, "meter (m)"));
        fixture->fake.clipboard = clipboard;

        Click(ui().picPaste);
        QCOMPARE(ui().txtInput->text(), pasted);
        if (!pasted.isEmpty()) {
            QCOMPARE(ui().txtResult->text(), result);
        }
        ui().txtInput->setText(QStringLiteral("9"));
        ui().mnuEditPasteVInput->trigger();
        QCOMPARE(ui().txtInput->text(), pasted);
        ui().mnuEditPasteCInput->trigger();
        QCOMPARE(window->calculatorWindow()->cboInput->currentText(), pasted);
    }

    void addUnitsRowsKeepReadableTextOnADarkDesktop() {
        const PaletteForTest dark(DarkPalette());
        Started(0);
        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        for (int row : {0, 1}) {
            const QPalette unit = dialog->txtUserUnit[row]->palette();
            if (row % 2 == 1) {
                QCOMPARE(unit.color(QPalette::Base), QColor(224, 224, 224));
                QCOMPARE(unit.color(QPalette::Text), QColor(Qt::black));
            } else {
                QCOMPARE(unit.color(QPalette::Text), QColor(240, 240, 240));
            }
        }
        // The yellow of a rejected coefficient takes dark text too, on an even row as well.
        TypeOver(dialog->txtUserCoef[0], QStringLiteral("x"));
        const QPalette coef = dialog->txtUserCoef[0]->palette();
        QCOMPARE(coef.color(QPalette::Base), QColor(255, 255, 0));
        QCOMPARE(coef.color(QPalette::Text), QColor(Qt::black));
        // Accepted again: back to the palette's colours.
        TypeOver(dialog->txtUserCoef[0], QStringLiteral("2"));
        QCOMPARE(dialog->txtUserCoef[0]->palette().color(QPalette::Text), QColor(240, 240, 240));
    }

    void theArrowShowsOnDarkAndLightDesktops() {
        {
            const PaletteForTest dark(DarkPalette());
            window = std::make_unique<frmConvert>();
            const auto [light, darkPixels] = LightAndDarkPixels(ui().imgHand->pixmap());
            QVERIFY(light > 20);
            QCOMPARE(darkPixels, 0);
            window.reset();
        }
        QPalette bright;
        bright.setColor(QPalette::WindowText, Qt::black);
        const PaletteForTest light(bright);
        window = std::make_unique<frmConvert>();
        const auto [lightPixels, darkPixels] = LightAndDarkPixels(ui().imgHand->pixmap());
        QVERIFY(darkPixels > 20);
        QCOMPARE(lightPixels, 0);
    }

    void f1OpensTheHelpAtTheWindowsOwnTopic() {
        Started(0);
        Activate(window.get());
        QTest::keyClick(ui().txtInput, Qt::Key_F1);
        QCOMPARE(fixture->fake.helps.size(), std::size_t{1});
        QCOMPARE(fixture->fake.helps.back().command, HelpCommand::Contents);

        struct Topic {
            QWidget* window;
            int context;
        };
        ui().mnuConvConst->trigger();
        frmCal* calculator = window->calculatorWindow();
        QTest::mouseClick(ui().lblHidden, Qt::LeftButton);
        // Modal to the main window: shown last, when its row comes.
        frmInfo about(window.get());
        const Topic topics[] = {{window->findChild<frmConstants*>(), 17},
                                {OpenAddUnits(), 18},
                                {calculator, kHelpContextCalculator},
                                {window->findChild<frmEquiv*>(), kHelpContextEquivalence},
                                {&about, kHelpContextAbout}};
        for (const Topic& topic : topics) {
            QVERIFY(topic.window != nullptr);
            topic.window->show();
            Activate(topic.window);
            const std::size_t before = fixture->fake.helps.size();
            QTest::keyClick(topic.window, Qt::Key_F1);
            QCOMPARE(fixture->fake.helps.size(), before + 1);
            QCOMPARE(fixture->fake.helps.back().command, HelpCommand::Context);
            QCOMPARE(fixture->fake.helps.back().context, topic.context);
            QCOMPARE(fixture->fake.helps.back().parent, topic.window);
        }
        QCOMPARE(HelpPageFor(QStringLiteral("HALDUCNV.HLP"), HelpCommand::Context, kHelpContextCalculator),
                 QStringLiteral("calculator.html"));
    }

    void aRefilledListStartsAtItsFirstEntry() {
        Started(1);  // Mass, Weight: longer than the lists are high
        for (QListWidget* list : {ui().lstConvFrom, ui().lstConvInto}) {
            QVERIFY(list->verticalScrollBar()->maximum() > 0);
            list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        }
        ui().mnuConvArray[2]->trigger();  // Area
        for (QListWidget* list : {ui().lstConvFrom, ui().lstConvInto}) {
            QCOMPARE(list->verticalScrollBar()->value(), 0);
            QCOMPARE(list->indexAt(QPoint(2, 2)).row(), 0);
        }
    }

    void aFromChoiceThatBlanksTheChosenTargetEmptiesTheResult() {
        Started(0);
        const int mile = RowNamed(ui().lstConvFrom, "mile");
        const int meter = RowNamed(ui().lstConvFrom, "meter (m)");
        ClickRow(ui().lstConvFrom, mile);
        ClickRow(ui().lstConvInto, meter);
        ui().txtInput->setText(QStringLiteral("3"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("4828.03"));
        // A screen reader hears the new result as a notification, and with the input box's name.
        auto* notice = window->findChild<QWidget*>(QStringLiteral("resultNotice"));
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(notice);
        QVERIFY(heard != nullptr && notice->isVisible());
        QCOMPARE(heard->role(), QAccessible::Notification);
        QCOMPARE(heard->text(QAccessible::Name), QStringLiteral("Result: 4828.03, meter (m)"));
        QCOMPARE(ui().txtInput->accessibleDescription(), heard->text(QAccessible::Name));
        ClickRow(ui().lstConvFrom, meter);
        QCOMPARE(ui().lstConvInto->item(meter)->text(), QString());
        QCOMPARE(ui().txtResult->text(), QString());
        QVERIFY(!notice->isVisible() && ui().txtInput->accessibleDescription().isEmpty());
        // Copy then records no false equation: the result is empty.
        Click(ui().picCopy);
        QCOMPARE(fixture->fake.clipboard, QString());
    }

    void aClickBelowTheLastEntryKeepsTheChosenUnit() {
        Started(6);  // Temperature: fewer entries than the list has room for
        QListWidget* into = ui().lstConvInto;
        ClickRow(ui().lstConvFrom, RowNamed(ui().lstConvFrom, "deg Celsius (ﾟC)"));
        const int fahrenheit = RowNamed(into, "deg Fahrenheit (ﾟF)");
        ClickRow(into, fahrenheit);
        ui().txtInput->setText(QStringLiteral("100"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("212.000"));
        const QRect last = into->visualItemRect(into->item(into->count() - 1));
        const QPoint below(last.center().x(), into->viewport()->height() - 3);
        QVERIFY(below.y() > last.bottom());
        QTest::mouseClick(into->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(into->currentRow(), fahrenheit);
        QVERIFY(into->item(fahrenheit)->isSelected());
        ui().txtInput->setText(QStringLiteral("50"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("122.000"));
    }

    void theToolButtonsHaveKeysThatWorkFromTheInputBox() {
        Started(0);
        Activate(window.get());
        ClickRow(ui().lstConvFrom, RowNamed(ui().lstConvFrom, "mile"));
        ClickRow(ui().lstConvInto, RowNamed(ui().lstConvInto, "meter (m)"));
        ui().txtInput->setFocus();
        fixture->fake.clipboard = QStringLiteral("3");
        QTest::keyClick(ui().txtInput, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ui().txtInput->text(), QStringLiteral("3"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("4828.03"));

        QTest::keyClick(ui().txtInput, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("4828.03"));
        QCOMPARE(test::HistoryShown(ui()).size(), 1);

        QTest::keyClick(ui().txtInput, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(window->calculatorWindow()->isVisible());
        QCOMPARE(window->calculatorWindow()->cboInput->currentText(), QStringLiteral("4828.03"));

        Activate(window.get());
        QTest::keyClick(ui().txtInput, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});
        QVERIFY(test::IconWindow() != nullptr);
    }

    void addUnitsTakesTextsOfAnyLengthUpToWhatTheFileHolds() {
        Started(0);
        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        const QString longName(10000, QLatin1Char('n'));
        dialog->txtUserUnit[0]->setFocus();
        dialog->txtUserUnit[0]->insert(longName);  // as a paste does
        QTest::keyClick(dialog->txtUserUnit[0], Qt::Key_Z);
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        std::string expected(10000, 'n');
        expected.push_back('z');
        QCOMPARE(userUnits().UserUnitName[0][0], expected);
        QVERIFY(fixture->fake.messages.empty());

        // A text beyond the file's 16-bit length turns its box yellow; Save names its place, leaves
        // it out of the file and saves the rest, the units below it moved up.
        dialog = OpenAddUnits();
        dialog->txtUserUnit[1]->insert(QString(70000, QLatin1Char('x')));
        QCOMPARE(dialog->txtUserUnit[1]->palette().color(QPalette::Base), QColor(255, 255, 0));
        dialog->txtUserUnit[2]->insert(QStringLiteral("kept"));
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
        QCOMPARE(fixture->fake.messages[0].text,
                 std::string("These texts are too long to be stored in 'HUC_USER.DAT' and were not saved; everything "
                             "else was saved.\rGroup 1, row 2: the unit's name"));
        UserUnits onDisk;
        RecordingSink sink;
        DatReadBytes(ReadBytes(fixture->configDir() + QStringLiteral("HUC_USER.DAT")), onDisk, sink);
        QCOMPARE(onDisk.UserUnitName[0][0], expected);
        QCOMPARE(onDisk.UserUnitName[0][1], std::string("kept"));
        QCOMPARE(onDisk.UserUnitName[0][2], std::string());
    }

    void addUnitsPassesALeadingFeffThroughUnchanged() {
        const std::string bomGroup =
            "\xEF\xBB\xBF"
            "bom";
        const std::string bomUnit =
            "\xEF\xBB\xBF"
            "unit";
        userUnits().UserGroupName[0] = bomGroup;
        userUnits().UserUnitName[0][0] = bomUnit;
        userUnits().UserFactorText[0][0] = std::string(1, '2');
        Started(0);
        frmUser* dialog = OpenAddUnits();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->cboUserGroups->currentText(), QChar(0xFEFF) + QStringLiteral("bom"));
        QTest::mouseClick(dialog->cmdSave, Qt::LeftButton);
        QCOMPARE(userUnits().UserGroupName[0], bomGroup);
        QCOMPARE(userUnits().UserUnitName[0][0], bomUnit);
    }

    void aTerminationSignalEndsTheProgramAsClosingItDoes() {
        Started(0);
        QVERIFY(!QFile::exists(ConfigPath()));
        bool closed = false;
        ShutdownSignals signals_([&] { closed = window->close(); });
        ::raise(SIGTERM);
        QTRY_VERIFY(closed);
        QVERIFY(!window->isVisible());
        Settings saved;
        RecordingSink sink;
        CfgReadBytes(ReadBytes(ConfigPath()), saved, sink);
        QVERIFY(sink.messages.empty());
        QCOMPARE(saved.pnShapeFlag, std::int16_t{1});
    }

    void oneConfigurationDirectoryHasOneInstanceKeyHoweverItIsWritten() {
        const QTemporaryDir temp;
        const QString dir = temp.path() + QStringLiteral("/halducnv");
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/sub")));
        QVERIFY(QFile::link(dir, temp.path() + QStringLiteral("/link")));
        struct Row {
            const char* name;
            QString a;
            QString b;
            bool same;
        };
        const Row rows[] = {
            {"trailing slash", dir, dir + QStringLiteral("/"), true},
            {"dot-dot", dir, dir + QStringLiteral("/sub/.."), true},
            {"symbolic link", dir, temp.path() + QStringLiteral("/link/"), true},
            {"not made yet, under a link", dir + QStringLiteral("/new"), temp.path() + QStringLiteral("/link/new"),
             true},
            {"another directory", dir, dir + QStringLiteral("/sub"), false},
        };
        for (const Row& row : rows) {
            QVERIFY2((InstanceKeyFor(row.a) == InstanceKeyFor(row.b)) == row.same, row.name);
        }
    }
};

QTEST_MAIN(EverydayUseTest)
#include "test_everyday_use.moc"
