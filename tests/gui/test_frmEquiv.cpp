// The equivalence window: its table, layout rules, placement on every opening and its close paths.

#include "gui_fixture.h"
#include "reference/equivalence_table.h"
#include "shared/process_state.h"

#include "reference/frmEquiv.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace halden;

class EquivTest : public halden::test::GuiTest {
    Q_OBJECT

private slots:

    void listsHoldTheNineRowsInOrderAndShowThemWithoutScrolling() {
        frmEquiv window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto& table = EquivalenceTable();
        const QListWidget* lists[] = {window.lstQuantity, window.lstSIUnit, window.lstAlternative};
        for (const QListWidget* list : lists) {
            QCOMPARE(list->count(), kEquivalenceRows);
            QCOMPARE(list->verticalScrollBar()->maximum(), 0);
            // The last row lies inside the visible part of the list.
            QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(kEquivalenceRows - 1))));
        }
        for (int row = 0; row < kEquivalenceRows; ++row) {
            QCOMPARE(window.lstQuantity->item(row)->text(), QString::fromUtf8(table[row].Quantity.data()));
            QCOMPARE(window.lstSIUnit->item(row)->text(), QString::fromUtf8(table[row].SiUnit.data()));
            QCOMPARE(window.lstAlternative->item(row)->text(), QString::fromUtf8(table[row].Alternative.data()));
        }
        QCOMPARE(window.lstQuantity->item(5)->text(), QStringLiteral("電気抵抗"));
        QCOMPARE(window.lstSIUnit->item(7)->text(), QStringLiteral("sievert (Sv) = J/kg"));
        QCOMPARE(window.windowTitle(), QStringLiteral(" Equivalence"));
        test::SaveScreenshot(&window, QStringLiteral("frmEquiv"));
    }

    void listsOverlapByOnePixelUnderTheirHeadingsAndTheWindowFitsThem() {
        fixture->fake.nonClientHeight = 30;
        frmEquiv window;
        const QLabel* headings[] = {window.lblQuantity, window.lblSIUnit, window.lblAlternative};
        const QListWidget* lists[] = {window.lstQuantity, window.lstSIUnit, window.lstAlternative};
        QCOMPARE(window.lstQuantity->x(), 10);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(headings[i]->y(), 3);
            QCOMPARE(headings[i]->x(), lists[i]->x());
            QCOMPARE(headings[i]->width(), lists[i]->width());
            QCOMPARE(lists[i]->y(), headings[i]->y() + headings[i]->height());
            QCOMPARE(lists[i]->height(), window.lstQuantity->height());
            if (i > 0) {
                QCOMPARE(lists[i]->x(), lists[i - 1]->x() + lists[i - 1]->width() - 1);
            }
        }
        // Outer size: right edge + 16 wide, side frames included; frame + heading + list + 13 high.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QListWidget* last = window.lstAlternative;
        QCOMPARE(window.frameGeometry().width(), last->x() + last->width() + 16);
        QCOMPARE(window.height(), last->y() + last->height() + 10);
    }

    void reopeningAfterMovingPlacesItAtTheSameCentredPlace() {
        QPointer<frmEquiv> first = new frmEquiv;
        first->show();
        const QPoint place = first->pos();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(screen.contains(QRect(place, first->size())));
        first->move(place + QPoint(37, 21));
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());  // closing unloads it

        QPointer<frmEquiv> second = new frmEquiv;
        second->show();
        QCOMPARE(second->pos(), place);
        delete second;
    }

    void closeBoxClearsTheOpenFlagButUnloadingForTheProgramDoesNot() {
        struct Row {
            const char* name;
            bool byProgram;
            bool flagAfter;
        };
        const Row rows[] = {{"close box", false, false}, {"Reduce unloads", true, true}};
        for (const Row& row : rows) {
            state().pbEquivOpen = true;
            QPointer<frmEquiv> window = new frmEquiv;
            window->show();
            if (row.byProgram) {
                window->Unload();
            } else {
                window->close();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(window.isNull(), row.name);
            QVERIFY2(state().pbEquivOpen == row.flagAfter, row.name);
        }
    }

    void hidingAndShowingKeepsPlaceAndSelection() {
        frmEquiv window;
        window.show();
        window.lstSIUnit->setCurrentRow(4);
        const QPoint place = window.pos() + QPoint(5, 5);
        window.move(place);
        window.hide();
        window.show();
        QCOMPARE(window.pos(), place);
        QCOMPARE(window.lstSIUnit->currentRow(), 4);
    }

    void selectingInOneListSelectsNothingInTheOthers() {
        frmEquiv window;
        window.show();
        QTest::mouseClick(window.lstQuantity->viewport(), Qt::LeftButton, {},
                          window.lstQuantity->visualItemRect(window.lstQuantity->item(2)).center());
        QCOMPARE(window.lstQuantity->selectedItems().size(), 1);
        QCOMPARE(window.lstQuantity->currentRow(), 2);
        QVERIFY(window.lstSIUnit->selectedItems().isEmpty());
        QVERIFY(window.lstAlternative->selectedItems().isEmpty());
    }
};

QTEST_MAIN(EquivTest)
#include "test_frmEquiv.moc"
