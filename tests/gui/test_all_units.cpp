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
        (convertItem < 0 ? Ui(*window).mnuConvCompArray[1]
                         : Ui(*window).mnuConvArray[static_cast<std::size_t>(convertItem)])
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
        Ui(*window).txtInput->setFocus();
        QTest::keyClick(Ui(*window).txtInput, key, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void Choose(const char* from, const char* into) {
        Ui(*window).lstConvFrom->Choose(RowOf(Ui(*window).lstConvFrom, QString::fromUtf8(from)));
        Ui(*window).lstConvInto->Choose(RowOf(Ui(*window).lstConvFrom, QString::fromUtf8(into)));
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
        const int fromRow = RowOf(Ui(*window).lstConvFrom, from);
        Ui(*window).lstConvFrom->Choose(fromRow);
        Key(Qt::Key_A);  // Ctrl+Shift+A from the input box
        frmAllUnits* all = window->allUnitsWindow();
        QVERIFY(all != nullptr && all->isVisible());
        Ui(*window).txtInput->setText(value);
        QCOMPARE(all->grdUnits->rowCount(), Ui(*window).lstConvInto->count());
        QVERIFY(all->grdUnits->item(fromRow, 0)->font().bold());
        QCOMPARE(all->lblValue->text(), value + QLatin1Char(' ') + from);
        for (const int figures : {1, 3}) {
            Ui(*window).mnuOptionsFigArray[static_cast<std::size_t>(figures)]->trigger();
            for (int row = 0; row < Ui(*window).lstConvInto->count(); ++row) {
                if (row != fromRow) {
                    Ui(*window).lstConvInto->Choose(row);
                    QCOMPARE(all->ResultAt(row), Ui(*window).txtResult->text());
                }
            }
        }
        QVERIFY(all->TableText().contains(QStringLiteral("Input error")) == (convertItem < 0));
        SaveScreenshot(all, QStringLiteral("all_units_") + QString::fromLatin1(QTest::currentDataTag()));
    }

    void aRowIsCopiedWithItsUnitAndTheTableAsTabSeparatedLines() {
        Started(0);
        Choose("mile", "meter (m)");
        Ui(*window).mnuConvAllUnits->trigger();
        frmAllUnits* all = window->allUnitsWindow();
        Ui(*window).txtInput->setText(QStringLiteral("3"));
        Activate(all);
        all->grdUnits->setFocus();
        all->grdUnits->setCurrentCell(1, 0);
        QTest::keyClick(all->grdUnits, Qt::Key_Return);
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("482803 centimeter (cm)"));
        QCOMPARE(window->historyTexts()[0], QStringLiteral("3 mile = 482803 centimeter (cm)"));
        QTest::keyClick(all->grdUnits, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(fixture->fake.clipboard.startsWith(QStringLiteral("meter (m)\t4828.03\ncentimeter (cm)\t482803\n")));
        QCOMPARE(fixture->fake.clipboard.count(QLatin1Char('\n')), Ui(*window).lstConvInto->count());
        QTest::keyClick(all->grdUnits, Qt::Key_Escape);
        QVERIFY(!all->isVisible() && !all->IsOpen());
    }

    void theWindowGoesWithTheReducedShapeAndComesBackWithTheFullOne() {
        Started(0);
        Ui(*window).mnuConvAllUnits->trigger();
        frmAllUnits* all = window->allUnitsWindow();
        Click(Ui(*window).picShrink);
        QVERIFY(!all->isVisible());
        bool offered = true;
        fixture->fake.popupChooser = [&](QMenu*) {
            offered = Ui(*window).mnuConvAllUnits->isVisible();
            return Ui(*window).mnuConvArray[1];
        };
        QTest::mousePress(window->miniWindow()->imgIcon, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!offered);  // the icon's menu offers what it always did
        QVERIFY(all->isVisible());
        QCOMPARE(all->grdUnits->rowCount(), Ui(*window).lstConvInto->count());
        window->setWindowState(Qt::WindowMinimized);
        QVERIFY(!all->isVisible());
        window->setWindowState(Qt::WindowNoState);
        QVERIFY(all->isVisible());
    }

    void swapExchangesTheUnitsAndConvertsTheSameValueAgain() {
        Started(0);
        Choose("mile", "meter (m)");
        Ui(*window).txtInput->setText(QStringLiteral("3"));
        Key(Qt::Key_S);
        QCOMPARE(Ui(*window).lstConvFrom->currentItem()->text(), QStringLiteral("meter (m)"));
        QCOMPARE(Ui(*window).lstConvInto->currentItem()->text(), QStringLiteral("mile"));
        QCOMPARE(Ui(*window).lstConvInto->item(RowOf(Ui(*window).lstConvFrom, QStringLiteral("meter (m)")))->text(),
                 QString());
        QCOMPARE(Ui(*window).txtInput->text(), QStringLiteral("3"));
        QCOMPARE(Ui(*window).txtResult->text(), QStringLiteral("0.00186411"));
        QCOMPARE(QApplication::focusWidget(), Ui(*window).txtInput);
    }

    // No side file at the first start (a damaged one reads as far as it can: the side file's own
    // tests); the choices are written at the end and read back at the next start.
    void theUnitsLastChosenComeBackAtASwitchAndAtTheNextStart() {
        Started(0);
        QCOMPARE(Ui(*window).lstConvFrom->currentRow(), -1);  // nothing remembered: nothing chosen
        Choose("mile", "meter (m)");
        Ui(*window).mnuConvArray[1]->trigger();
        QCOMPARE(Ui(*window).lstConvFrom->currentRow(), -1);
        Ui(*window).txtInput->setText(QStringLiteral("3"));
        Ui(*window).mnuConvArray[0]->trigger();
        QCOMPARE(Ui(*window).lstConvFrom->currentItem()->text(), QStringLiteral("mile"));
        QCOMPARE(Ui(*window).txtResult->text(), QStringLiteral("4828.03"));
        Ui(*window).mnuConvAllUnits->trigger();
        window->allUnitsWindow()->move(30, 40);
        window->allUnitsWindow()->resize(300, 350);
        window->close();
        window = std::make_unique<frmConvert>();
        QVERIFY(fixture->fake.messages.size() <= 1);  // only the first start's configuration message
        QCOMPARE(Ui(*window).lstConvFrom->currentItem()->text(), QStringLiteral("mile"));
        QCOMPARE(Ui(*window).lstConvInto->currentItem()->text(), QStringLiteral("meter (m)"));
        Ui(*window).mnuConvAllUnits->trigger();
        QCOMPARE(window->allUnitsWindow()->geometry().size(), QSize(300, 350));
        QCOMPARE(window->allUnitsWindow()->pos(), QPoint(30, 40));
        window->allUnitsWindow()->move(50, 60);  // moved in this run: opened there again
        window->allUnitsWindow()->close();
        Ui(*window).mnuConvAllUnits->trigger();
        QCOMPARE(window->allUnitsWindow()->pos(), QPoint(50, 60));
    }
};

QTEST_MAIN(AllUnitsTest)
#include "test_all_units.moc"
