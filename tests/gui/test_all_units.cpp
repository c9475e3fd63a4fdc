// Beyond the single result: the All Units window beside the main window, the swap of the two
// units, and the units each group had chosen when it is shown again, in this run or the next.
#include "app/tool_button.h"
#include "app/unit_list.h"
#include "shared/settings.h"
#include "support/gui_actions.h"
#include "support/gui_fixture.h"
#include "support/main_window_ui.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "app/frmMini.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace halden;
using namespace halden::test;

class AllUnitsTest : public GuiTest {
    Q_OBJECT

    // The main window shown in the full shape with the group of a Convert item, or Hex, Oct, Bin (-1).
    frmConvert* Started(int convertItem = 0) {
        window = std::make_unique<frmConvert>();
        (convertItem < 0 ? ui().mnuConvCompArray[1] : ui().mnuConvArray[static_cast<std::size_t>(convertItem)])
            ->trigger();
        window->show();
        return window.get();
    }
    // Keys go where the user is: the input box of the active main window.
    static void Activate(QWidget* w) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), w);
    }
    void Key(Qt::Key key) {
        Activate(window.get());
        ui().txtInput->setFocus();
        QTest::keyClick(ui().txtInput, key, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void Choose(const char* from, const char* into) {
        ui().lstConvFrom->Choose(RowOf(ui().lstConvFrom, QString::fromUtf8(from)));
        ui().lstConvInto->Choose(RowOf(ui().lstConvFrom, QString::fromUtf8(into)));
    }

private slots:
    void everyRowShowsWhatTheResultBoxShowsForItsUnit_data() {
        QTest::addColumn<int>("convertItem");  // -1: Hex, Oct, Bin
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("value");
        QTest::newRow("area") << 2 << QStringLiteral("坪 [tsubo] = 歩 [bu]") << QStringLiteral("10");
        QTest::newRow("temperature") << 6 << QStringLiteral("deg Celsius (ﾟC)") << QStringLiteral("-40");
        QTest::newRow("number bases") << -1 << QStringLiteral("Decimal") << QStringLiteral("70000");
    }
    void everyRowShowsWhatTheResultBoxShowsForItsUnit() {
        QFETCH(int, convertItem);
        QFETCH(QString, from);
        QFETCH(QString, value);
        Started(convertItem);
        const int fromRow = RowOf(ui().lstConvFrom, from);
        ui().lstConvFrom->Choose(fromRow);
        Key(Qt::Key_A);  // Ctrl+Shift+A from the input box
        frmAllUnits* all = window->findChild<frmAllUnits*>();
        QVERIFY(all != nullptr && all->isVisible());
        ui().txtInput->setText(value);
        QCOMPARE(all->grdUnits->rowCount(), ui().lstConvInto->count());
        QVERIFY(all->grdUnits->item(fromRow, 0)->font().bold());
        QCOMPARE(all->lblValue->text(), value + QLatin1Char(' ') + from);
        for (const int figures : {1, 3}) {
            ui().mnuOptionsFigArray[static_cast<std::size_t>(figures)]->trigger();
            for (int row = 0; row < ui().lstConvInto->count(); ++row) {
                if (row != fromRow) {
                    ui().lstConvInto->Choose(row);
                    QCOMPARE(all->grdUnits->item(row, 1)->text(), ui().txtResult->text());
                }
            }
        }
        QVERIFY(all->TableText().contains(QStringLiteral("Input error")) == (convertItem < 0));
        SaveScreenshot(all, QStringLiteral("all_units_") + QString::fromLatin1(QTest::currentDataTag()));
    }

    void aRowIsCopiedWithItsUnitAndTheTableAsTabSeparatedLines() {
        Started(0);
        Choose("mile", "meter (m)");
        ui().mnuConvAllUnits->trigger();
        frmAllUnits* all = window->findChild<frmAllUnits*>();
        ui().txtInput->setText(QStringLiteral("3"));
        Activate(all);
        all->grdUnits->setFocus();
        all->grdUnits->setCurrentCell(1, 0);
        QTest::keyClick(all->grdUnits, Qt::Key_Return);
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("482803 centimeter (cm)"));
        QCOMPARE(test::HistoryShown(ui())[0], QStringLiteral("3 mile = 482803 centimeter (cm)"));
        QTest::keyClick(all->grdUnits, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(fixture->fake.clipboard.startsWith(QStringLiteral("meter (m)\t4828.03\ncentimeter (cm)\t482803\n")));
        QCOMPARE(fixture->fake.clipboard.count(QLatin1Char('\n')), ui().lstConvInto->count());
        QTest::keyClick(all->grdUnits, Qt::Key_Escape);
        QVERIFY(!all->isVisible());
        window->showMinimized();  // closed, it does not come back with the main window
        window->showNormal();
        QVERIFY(!all->isVisible());
    }

    void theWindowGoesWithTheReducedShapeAndComesBackWithTheFullOne() {
        Started(0);
        ui().mnuConvAllUnits->trigger();
        frmAllUnits* all = window->findChild<frmAllUnits*>();
        Click(ui().picShrink);
        QVERIFY(!all->isVisible());
        bool offered = true;
        fixture->fake.popupChooser = [&](QMenu*) {
            offered = ui().mnuConvAllUnits->isVisible();
            return ui().mnuConvArray[1];
        };
        QTest::mousePress(test::IconWindow()->imgIcon, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!offered);  // the icon's menu offers what it always did
        QVERIFY(all->isVisible());
        QCOMPARE(all->grdUnits->rowCount(), ui().lstConvInto->count());
        window->setWindowState(Qt::WindowMinimized);
        QVERIFY(!all->isVisible());
        window->setWindowState(Qt::WindowNoState);
        QVERIFY(all->isVisible());
    }

    void swapExchangesTheUnitsAndConvertsTheSameValueAgain() {
        Started(0);
        Choose("mile", "meter (m)");
        ui().txtInput->setText(QStringLiteral("3"));
        Key(Qt::Key_S);
        QCOMPARE(ui().lstConvFrom->currentItem()->text(), QStringLiteral("meter (m)"));
        QCOMPARE(ui().lstConvInto->currentItem()->text(), QStringLiteral("mile"));
        QCOMPARE(ui().lstConvInto->item(RowOf(ui().lstConvFrom, QStringLiteral("meter (m)")))->text(), QString());
        QCOMPARE(ui().txtInput->text(), QStringLiteral("3"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("0.00186411"));
        QCOMPARE(QApplication::focusWidget(), ui().txtInput);
    }

    // No side file at the first start (a damaged one reads as far as it can: the side file's own
    // tests); the choices are written at the end and read back at the next start.
    void theUnitsLastChosenComeBackAtASwitchAndAtTheNextStart() {
        Started(0);
        QCOMPARE(ui().lstConvFrom->currentRow(), -1);  // nothing remembered: nothing chosen
        Choose("mile", "meter (m)");
        ui().mnuConvArray[1]->trigger();
        QCOMPARE(ui().lstConvFrom->currentRow(), -1);
        ui().txtInput->setText(QStringLiteral("3"));
        ui().mnuConvArray[0]->trigger();
        QCOMPARE(ui().lstConvFrom->currentItem()->text(), QStringLiteral("mile"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("4828.03"));
        ui().mnuConvAllUnits->trigger();
        window->findChild<frmAllUnits*>()->move(30, 40);
        window->findChild<frmAllUnits*>()->resize(300, 350);
        window->close();
        window = std::make_unique<frmConvert>();
        QVERIFY(fixture->fake.messages.size() <= 1);  // only the first start's configuration message
        QCOMPARE(ui().lstConvFrom->currentItem()->text(), QStringLiteral("mile"));
        QCOMPARE(ui().lstConvInto->currentItem()->text(), QStringLiteral("meter (m)"));
        ui().mnuConvAllUnits->trigger();
        QCOMPARE(window->findChild<frmAllUnits*>()->geometry().size(), QSize(300, 350));
        QCOMPARE(window->findChild<frmAllUnits*>()->pos(), QPoint(30, 40));
        window->findChild<frmAllUnits*>()->move(50, 60);  // moved in this run: opened there again
        window->findChild<frmAllUnits*>()->close();
        ui().mnuConvAllUnits->trigger();
        QCOMPARE(window->findChild<frmAllUnits*>()->pos(), QPoint(50, 60));
    }
};

QTEST_MAIN(AllUnitsTest)
#include "test_all_units.moc"
