// The physical constants window: pages, Copy forms, layout, closing and its stored position.

#include "gui_fixture.h"
#include "shared/process_state.h"

#include "reference/frmConstants.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <memory>

using namespace halden;

namespace {

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->item(i)->text();
    }
    return entries;
}

bool NothingSelected(const frmConstants& w) {
    for (const QListWidget* list : {w.lstQuantity, w.lstSymbol, w.lstUnit, w.lstValue}) {
        if (!list->selectedItems().isEmpty()) {
            return false;
        }
    }
    return true;
}

void Select(QListWidget* list, int row) {
    if (row >= 0) {
        list->setCurrentRow(row);
    }
}

// A close as the window system delivers it when the user clicks the close box.
void UserCloses(QWidget& w) {
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    qApp->notify(&w, &close);  // sendEvent would clear the spontaneous mark
    if (close.isAccepted()) {
        w.hide();
    }
}

int Right(const QWidget* w) { return w->x() + w->width(); }

}  // namespace

class FrmConstantsTest : public halden::test::GuiTest {
    Q_OBJECT

private slots:

    void opensOnTheFirstPageAtTheStoredPlace() {
        frmConstants w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral(" Constants"));
        QCOMPARE(w.page(), -1);
        QCOMPARE(w.pos(), QPoint(167, 110));  // 2500 and 1650 twips
        for (const QListWidget* list : {w.lstQuantity, w.lstSymbol, w.lstUnit, w.lstValue}) {
            QCOMPARE(list->count(), 14);
            QVERIFY(list->item(4)->text().isEmpty());
            QVERIFY(list->item(9)->text().isEmpty());
        }
        QCOMPARE(w.lstSymbol->item(0)->text(), QStringLiteral("ＮA"));
        QCOMPARE(w.lstValue->item(13)->text(), QStringLiteral("1.674 954 3 E-27"));
        QCOMPARE(w.lblValue->text(), QStringLiteral("Value"));
        QCOMPARE(w.cmdNext->text(), QStringLiteral("&Page"));
        QVERIFY(NothingSelected(w));
        test::SaveScreenshot(&w, QStringLiteral("constants"));
    }

    void copyPutsNameUnitAndCompactValueOnTheClipboard_data() {
        QTest::addColumn<bool>("secondPage");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("value only: speed of light") << false << -1 << -1 << 12 << QStringLiteral("2.99792458E+08");
        QTest::newRow("value only: gas constant") << false << -1 << -1 << 10 << QStringLiteral("8.31441");
        QTest::newRow("name, unit, value from different rows")
            << false << 1 << 7 << 13 << QStringLiteral("Bohr半径m^-11.6749543E-27");
        QTest::newRow("separator value entry copies name and unit alone")
            << false << 3 << 3 << 4 << QStringLiteral("Faraday定数C/mol");
        QTest::newRow("separator value entry alone copies nothing") << false << -1 << -1 << 9 << QString();
        QTest::newRow("single-blank unit is kept") << true << -1 << 6 << 6 << QStringLiteral(" 1.3703604E+2");
        QTest::newRow("nothing selected") << true << -1 << -1 << -1 << QString();
    }
    void copyPutsNameUnitAndCompactValueOnTheClipboard() {
        QFETCH(bool, secondPage);
        QFETCH(int, quantity);
        QFETCH(int, unit);
        QFETCH(int, value);
        QFETCH(QString, clipboard);
        frmConstants w;
        w.show();
        if (secondPage) {
            w.cmdNext->click();
        }
        Select(w.lstQuantity, quantity);
        Select(w.lstUnit, unit);
        Select(w.lstValue, value);
        // The symbol list has a selection of its own that Copy ignores.
        Select(w.lstSymbol, 0);
        test::FakePlatform& fake = fixture->fake;
        fake.clipboard = QStringLiteral("old text");
        w.cmdCopy->click();
        QCOMPARE(fake.clipboard, clipboard);
        QCOMPARE(fake.clipboardClears, 1);
    }

    void listsKeepTheirOwnSelections() {
        frmConstants w;
        w.show();
        Select(w.lstQuantity, 2);
        Select(w.lstValue, 7);
        QCOMPARE(w.lstQuantity->currentRow(), 2);
        QVERIFY(w.lstUnit->selectedItems().isEmpty());
        QVERIFY(w.lstSymbol->selectedItems().isEmpty());
    }

    void pageTwiceReturnsToTheFirstPageWithSelectionsCleared() {
        frmConstants w;
        w.show();
        Select(w.lstQuantity, 1);
        Select(w.lstValue, 2);
        w.cmdNext->click();
        QCOMPARE(w.page(), 1);
        QVERIFY(NothingSelected(w));
        const QStringList second = Entries(w.lstQuantity);
        QCOMPARE(second.size(), 13);
        QCOMPARE(second.first(), QStringLiteral("電子の質量（静止時）"));
        QVERIFY(second.at(4).isEmpty());
        QVERIFY(second.at(9).isEmpty());
        QCOMPARE(second.last(), QStringLiteral("陽子の磁気回転比"));
        QCOMPARE(w.lstUnit->item(6)->text(), QStringLiteral(" "));
        Select(w.lstUnit, 3);
        w.cmdNext->click();
        QCOMPARE(w.page(), -1);
        QVERIFY(NothingSelected(w));
        QCOMPARE(w.lstQuantity->count(), 14);
        QCOMPARE(w.lstQuantity->item(0)->text(), QStringLiteral("Avogadro定数"));
    }

    void layoutFollowsItsRules() {
        frmConstants w;
        w.show();
        QCOMPARE(w.lstQuantity->x(), 10);
        QCOMPARE(w.lstSymbol->x(), Right(w.lstQuantity) - 1);
        QCOMPARE(w.lstUnit->x(), Right(w.lstSymbol) - 2);
        QCOMPARE(w.lstValue->x(), Right(w.lstUnit) - 1);
        const QLabel* headings[] = {w.lblQuantity, w.lblSymbol, w.lblUnit, w.lblValue};
        const QListWidget* lists[] = {w.lstQuantity, w.lstSymbol, w.lstUnit, w.lstValue};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(headings[i]->y(), 3);
            QCOMPARE(headings[i]->x(), lists[i]->x() + (lists[i]->width() - headings[i]->width()) / 2);
            QCOMPARE(lists[i]->y(), 3 + headings[i]->height());
            QCOMPARE(lists[i]->height(), w.lstQuantity->height());
        }
        // All fourteen entries of the first page are in view without scrolling.
        const QRect last = w.lstQuantity->visualItemRect(w.lstQuantity->item(13));
        QVERIFY(last.bottom() < w.lstQuantity->viewport()->height());

        const QPushButton* buttons[] = {w.cmdCopy, w.cmdCancel, w.cmdHelp, w.cmdNext};
        QCOMPARE(Right(w.cmdNext), Right(w.lstValue));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(buttons[i]->size(), QSize(66, 21));  // 990 by 315 twips
            QCOMPARE(buttons[i]->y(), w.lstValue->y() + w.lstValue->height() + 12);
            if (i < 3) {
                QCOMPARE(Right(buttons[i]), buttons[i + 1]->x() - 8);
            }
        }
        QCOMPARE(w.frameGeometry().width(), Right(w.lstValue) + 16);
        // The fake frame of 30 pixels is counted in the outer height and is not part of the client.
        QCOMPARE(w.height(), 3 + w.lblValue->height() + w.lstValue->height() + 21 + 24);
    }

    void closeButtonStoresThePositionAndReopensThereOnPageOne() {
        state().pbConstantsOpen = true;
        frmConstants w;
        w.show();
        w.move(40, 50);
        w.cmdNext->click();
        Select(w.lstValue, 3);
        w.cmdCancel->click();
        QVERIFY(!w.isVisible());
        QVERIFY(!state().pbConstantsOpen);
        QCOMPARE(settings().Form_Constants_Left, 600);
        QCOMPARE(settings().Form_Constants_Top, 750);
        w.show();
        QCOMPARE(w.pos(), QPoint(40, 50));
        QCOMPARE(w.page(), -1);
        QCOMPARE(w.lstQuantity->count(), 14);
        QVERIFY(NothingSelected(w));
    }

    void onlyTheUsersCloseBoxStoresThePosition_data() {
        QTest::addColumn<bool>("byUser");
        QTest::newRow("close box") << true;
        QTest::newRow("closed by the program") << false;
    }
    void onlyTheUsersCloseBoxStoresThePosition() {
        QFETCH(bool, byUser);
        state().pbConstantsOpen = true;
        frmConstants w;
        w.show();
        w.move(40, 50);
        if (byUser) {
            UserCloses(w);
        } else {
            w.close();
        }
        QCOMPARE(settings().Form_Constants_Left, byUser ? 600 : 2500);
        QCOMPARE(settings().Form_Constants_Top, byUser ? 750 : 1650);
        QCOMPARE(state().pbConstantsOpen, !byUser);
        // Until shown again the window stays where it was, so shutdown still reads that place.
        QCOMPARE(w.pos(), QPoint(40, 50));
        w.show();
        QCOMPARE(w.pos(), byUser ? QPoint(40, 50) : QPoint(167, 110));
    }

    void hidingKeepsPageSelectionsAndPlace() {
        frmConstants w;
        w.show();
        w.move(70, 80);
        w.cmdNext->click();
        Select(w.lstValue, 2);
        w.hide();
        w.show();
        QCOMPARE(w.page(), 1);
        QCOMPARE(w.lstValue->currentRow(), 2);
        QCOMPARE(w.pos(), QPoint(70, 80));
    }

    void helpOpensTheConstantsTopic() {
        frmConstants w;
        w.show();
        w.cmdHelp->click();
        QCOMPARE(fixture->fake.helps.size(), std::size_t{1});
        QCOMPARE(fixture->fake.helps.front().command, HelpCommand::Context);
        QCOMPARE(fixture->fake.helps.front().context, 17);
        QCOMPARE(fixture->fake.helps.front().parent, &w);
    }

private:
};

QTEST_MAIN(FrmConstantsTest)
#include "test_frmConstants.moc"
