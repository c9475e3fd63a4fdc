// A unit list on its own: which of its changes count as the user's choice.

#include "app/unit_list.h"
#include "gui_fixture.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace halden;

class UnitListTest : public halden::test::GuiTest {
    Q_OBJECT

    std::unique_ptr<QWidget> host;
    UnitList* list = nullptr;

    void setUp() override {
        host = std::make_unique<QWidget>();
        list = new UnitList(host.get());
        list->setGeometry(0, 0, 120, 200);
        list->Fill({QStringLiteral("metre"), QStringLiteral("inch"), QStringLiteral("foot")});
        host->show();
        host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host.get()));
    }
    void tearDown() override { host.reset(); }

private slots:
    void fillingChoosesNothingAndStartsAtTheTop() {
        QSignalSpy chosen(list, &UnitList::unitChosen);
        list->setCurrentRow(2);
        QCOMPARE(chosen.count(), 1);
        list->Fill({QStringLiteral("gram"), QStringLiteral("ounce")});
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(list->currentRow(), -1);
        QCOMPARE(list->count(), 2);
    }

    void choosingTheCurrentEntryAgainIsAChoiceToo() {
        QSignalSpy chosen(list, &UnitList::unitChosen);
        list->Choose(1);
        list->Choose(1);
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(list->currentRow(), 1);
    }

    void aClickChoosesOnceWhetherOrNotTheEntryChanges() {
        QSignalSpy chosen(list, &UnitList::unitChosen);
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(chosen.count(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(chosen.count(), 2);
        // The right button and a click below the last entry leave the choice alone.
        const QPoint third = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, third);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(list->currentRow(), 1);
    }

    void theFocusArrivingChoosesNothingAndEndReachesTheLastEntry() {
        QSignalSpy chosen(list, &UnitList::unitChosen);
        list->setFocus(Qt::TabFocusReason);
        QVERIFY(list->hasFocus());
        QCOMPARE(list->currentRow(), -1);
        QCOMPARE(chosen.count(), 0);
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(chosen.count(), 1);
    }

    void enterIsTakenOnlyWhereAsked() {
        QSignalSpy entered(list, &UnitList::enterPressed);
        QSignalSpy released(list, &UnitList::keyReleased);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(entered.count(), 0);
        list->SetEnterTaken(true);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(entered.count(), 1);
        QCOMPARE(released.count(), 2);
    }
};

QTEST_MAIN(UnitListTest)
#include "test_unit_list.moc"
