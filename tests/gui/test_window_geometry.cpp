// Where the windows' rules put things that a window manager or a style could get wrong: menu check
// marks, the frames' caption line, a calculator wider than the screen, Add Units centred by its
// outer size, stored places brought onto the screen, a window beside another.
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "shared/ui_frame.h"
#include "shared/ui_style.h"
#include "shared/ui_window_place.h"
#include "storage/frmUser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace halden;
using namespace halden::test;

namespace {

// The pixels of a menu item's row.
QImage Row(QMenu& menu, QAction* item) { return menu.grab().toImage().copy(menu.actionGeometry(item)); }

}  // namespace

class WindowGeometryTest : public halden::test::GuiTest {
    Q_OBJECT

private slots:

    void onlyACheckedMenuItemShowsAMark() {
        for (const QString& base : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
            CheckMarkStyle style(base);
            QMenu menu;
            menu.setStyle(&style);
            // The same text on each, so that only a mark can tell the rows apart; the first and the
            // last row touch the menu's border and are not compared.
            menu.addAction(QStringLiteral("Top"));
            QAction* plain = menu.addAction(QStringLiteral("Item"));
            QAction* unchecked = menu.addAction(QStringLiteral("Item"));
            QAction* checked = menu.addAction(QStringLiteral("Item"));
            unchecked->setCheckable(true);
            checked->setCheckable(true);
            checked->setChecked(true);
            menu.addAction(QStringLiteral("Bottom"));
            menu.ensurePolished();
            menu.adjustSize();
            // An unchecked item looks as a plain one does; a checked one shows its mark.
            QCOMPARE(Row(menu, unchecked), Row(menu, plain));
            QVERIFY(Row(menu, checked) != Row(menu, plain));
            // The texts still line up: the menu keeps the mark's room for every item.
            QCOMPARE(menu.actionGeometry(unchecked).left(), menu.actionGeometry(plain).left());
        }
    }

    void theFramesLineRunsThroughTheCaptionAboveTheBoxes() {
        frmConvert window;
        for (QGroupBox* frame : {Ui(window).fraConvFrom, Ui(window).fraConvInto}) {
            const auto* captioned = dynamic_cast<CaptionFrame*>(frame);
            QVERIFY(captioned != nullptr);
            const int line = captioned->LineTop();
            QCOMPARE(line, QFontMetrics(frame->font()).height() / 2);
            QVERIFY(line > 0);
        }
        // The boxes stand below the frame's line, inside the frame.
        QVERIFY(Ui(window).txtInput->y() > static_cast<CaptionFrame*>(Ui(window).fraConvFrom)->LineTop());
        QVERIFY(Ui(window).txtResult->y() > static_cast<CaptionFrame*>(Ui(window).fraConvInto)->LineTop());
    }

    void aLongExpressionStopsTheCalculatorAtTheScreensWidth() {
        state().Tppx = 15;
        state().Tppy = 15;
        frmCal cal;
        cal.SetLeastWidthTwips(392 * 15);
        cal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cal));
        const QRect free = cal.screen()->availableGeometry();
        cal.cboInput->setEditText(QString(3000, QLatin1Char('7')));
        QVERIFY(cal.frameGeometry().width() <= free.width());
        QVERIFY(cal.frameGeometry().width() > free.width() - 16);
        QVERIFY(cal.frameGeometry().right() <= free.right());
        // Every button stays inside the window.
        QVERIFY(cal.cmdReplace->geometry().right() < cal.width());
        QVERIFY(cal.cmdExecCalc->geometry().right() < cal.cmdReplace->x());
        // A short text gives the usual width back, and the place the window had.
        const QPoint home = cal.pos();
        cal.move(free.right() - 400, home.y());
        cal.cboInput->setEditText(QString(3000, QLatin1Char('7')));
        cal.cboInput->setEditText(QStringLiteral("1+2"));
        QCOMPARE(cal.frameGeometry().width(), 392);
        QCOMPARE(cal.x(), free.right() - 400);
    }

    void storedPlacesComeJustOntoTheScreen_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("place");
        // Two screens side by side, free areas below a 30 px panel on the first.
        QTest::newRow("wholly on the first") << QRect(100, 100, 400, 300) << QPoint(100, 100);
        QTest::newRow("half off the right, usable") << QRect(1100, 100, 400, 300) << QPoint(1100, 100);
        QTest::newRow("80 px left on the right") << QRect(3200, 100, 400, 300) << QPoint(2880, 100);
        QTest::newRow("title bar above the panel") << QRect(100, 10, 400, 300) << QPoint(100, 30);
        QTest::newRow("below the bottom") << QRect(100, 1000, 400, 300) << QPoint(100, 724);
        QTest::newRow("far right of both") << QRect(5000, 200, 400, 300) << QPoint(2880, 200);
        QTest::newRow("across the two, on the second") << QRect(1270, 200, 400, 300) << QPoint(1270, 200);
        QTest::newRow("larger than the screen") << QRect(-900, -900, 2000, 2000) << QPoint(0, 30);
    }
    void storedPlacesComeJustOntoTheScreen() {
        QFETCH(QRect, frame);
        QFETCH(QPoint, place);
        QCOMPARE(ReachablePlace(frame, {QRect(0, 30, 1280, 994), QRect(1280, 0, 2000, 1200)}), place);
    }

    void aWindowBesideAnotherStaysOnTheFreeArea_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("room on the right") << QRect(100, 100, 400, 300) << QPoint(508, 100);
        QTest::newRow("room on the left only") << QRect(700, 100, 400, 300) << QPoint(192, 100);
        QTest::newRow("room on neither side") << QRect(400, 900, 500, 100) << QPoint(780, 724);
    }
    void aWindowBesideAnotherStaysOnTheFreeArea() {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, place);
        QCOMPARE(BesidePlace(anchor, QSize(500, 300), QRect(0, 0, 1280, 1024)), place);
    }

    void addUnitsIsCentredByItsOuterSize() {
        state().Tppx = 15;
        state().Tppy = 15;
        fixture->fake.nonClientWidth = 8;
        fixture->fake.nonClientHeight = 30;
        frmUser dialog(fixture->store);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int outerWidth = dialog.width() + 8;
        const int outerHeight = dialog.height() + 30;
        QCOMPARE(dialog.x(), static_cast<int>(std::lround((screen.width() * 15 - outerWidth * 15) / 2 / 15.0)));
        QCOMPARE(dialog.y(), static_cast<int>(std::lround((screen.height() * 15 - outerHeight * 15) / 2 / 15.0)));
    }
};

QTEST_MAIN(WindowGeometryTest)
#include "test_window_geometry.moc"
