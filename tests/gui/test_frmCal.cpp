// The calculator window driven as a user drives it: typing, "=", Enter, "<", closing.

#include "gui_fixture.h"
#include "shared/process_state.h"

#include "calc/frmCal.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <cmath>
#include <memory>

using namespace halden;

namespace {

QStringList HistoryEntries(const frmCal& w) {
    QStringList entries;
    for (int i = 0; i < w.cboInput->count(); ++i) {
        entries << w.cboInput->itemText(i);
    }
    return entries;
}

void Execute(frmCal& w, const QString& text) {
    w.cboInput->setEditText(text);
    w.cmdExecCalc->click();
}

// The width a text takes in the calculator's measuring font (Arial 11.25 pt) plus the margin of
// 220 twips, worked out here from the font itself.
int ExpectedMeasure(const QString& text) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    return static_cast<int>(std::lround(QFontMetrics(font).horizontalAdvance(text) + 220.0 / 15));
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

// The outer width of the window in pixels (the offscreen platform draws no frame).
int OuterWidth(const QWidget& w) { return w.frameGeometry().width(); }

}  // namespace

class FrmCalTest : public halden::test::GuiTest {
    Q_OBJECT

private slots:

    void enterRunsExecuteOnceAndTheKeyIsSwallowed() {
        frmCal w;
        w.show();
        QSignalSpy returnPressed(w.cboInput->lineEdit(), &QLineEdit::returnPressed);
        w.cboInput->setEditText(QStringLiteral("2+3"));
        QTest::keyClick(w.cboInput->lineEdit(), Qt::Key_Return);
        QCOMPARE(HistoryEntries(w), QStringList{QStringLiteral("2+3")});
        QCOMPARE(w.txtCalResult->text(), QStringLiteral("5.00000"));
        test::SaveScreenshot(&w, QStringLiteral("calculator"));
        QTest::keyClick(w.cboInput, Qt::Key_Enter);
        QCOMPARE(w.cboInput->count(), 2);
        QCOMPARE(returnPressed.count(), 0);
        QCOMPARE(w.cboInput->currentText(), QStringLiteral("2+3"));
        // Other keys still reach the box.
        QTest::keyClick(w.cboInput->lineEdit(), Qt::Key_7);
        QCOMPARE(w.cboInput->currentText(), QStringLiteral("2+37"));
    }

    void historyKeepsTheSevenNewestFirst_data() {
        QTest::addColumn<QStringList>("executions");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("eight executions drop the first") << QStringList{"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8"}
                                                         << QStringList{"a8", "a7", "a6", "a5", "a4", "a3", "a2"};
        QTest::newRow("duplicates, empties and failures are kept")
            << QStringList{"5", "5", "", "1/0", "x+1"} << QStringList{"x+1", "1/0", "", "5", "5"};
        QTest::newRow("seven keep all") << QStringList{"1", "2", "3", "4", "5", "6", "7"}
                                        << QStringList{"7", "6", "5", "4", "3", "2", "1"};
    }
    void historyKeepsTheSevenNewestFirst() {
        QFETCH(QStringList, executions);
        QFETCH(QStringList, expected);
        frmCal w;
        for (const QString& text : executions) {
            Execute(w, text);
            QCOMPARE(w.cboInput->currentText(), text);  // the input keeps what was executed
        }
        QCOMPARE(HistoryEntries(w), expected);
    }

    void pickingAnOldEntryAndExecutingKeepsItsText() {
        // Executing an entry chosen from the list while the oldest entry is dropped must not
        // change the input to another entry.
        frmCal w;
        for (const QString& text : QStringList{"1", "2", "3", "4", "5", "6", "7"}) {
            Execute(w, text);
        }
        w.cboInput->setCurrentIndex(6);  // "1", the entry about to be dropped
        w.cmdExecCalc->click();
        QCOMPARE(w.cboInput->currentText(), QStringLiteral("1"));
        QCOMPARE(HistoryEntries(w), (QStringList{"1", "7", "6", "5", "4", "3", "2"}));
    }

    void emptyAndLoneNumberShowZeroAndStillAddHistory_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << QString();
        QTest::newRow("lone number") << QStringLiteral("5");
    }
    void emptyAndLoneNumberShowZeroAndStillAddHistory() {
        QFETCH(QString, input);
        frmCal w;
        Execute(w, input);
        QCOMPARE(w.txtCalResult->text(), QStringLiteral("0.00000E+00"));
        QCOMPARE(HistoryEntries(w), QStringList{input});
    }

    void inputErrorKeepsTheResultWidthAndShortResultsNeverShrinkBelow110() {
        settings().pnFigure = 8;
        frmCal w;
        w.show();
        const int loaded = w.txtCalResult->width();
        QCOMPARE(loaded, 110);

        Execute(w, QStringLiteral("-1/7E20"));
        const QString longText = w.txtCalResult->text();
        QCOMPARE(longText, QStringLiteral("-1.4285714E-21"));
        const int wide = w.txtCalResult->width();
        QVERIFY2(wide > 110, qPrintable(QString::number(wide)));
        QVERIFY(std::abs(wide - ExpectedMeasure(longText)) <= 2);
        QCOMPARE(w.cmdReplace->x(), w.txtCalResult->x() + wide);

        Execute(w, QStringLiteral("1/0"));
        QCOMPARE(w.txtCalResult->text(), QStringLiteral("Input error"));
        QCOMPARE(w.txtCalResult->width(), wide);
        QCOMPARE(w.cboInput->count(), 2);

        Execute(w, QStringLiteral("2+3"));
        QCOMPARE(w.txtCalResult->width(), 110);
    }

    void replaceCopiesTheResultBackEvenInputError_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("copied");
        QTest::newRow("result") << QStringLiteral("2+3") << QStringLiteral("5.00000");
        QTest::newRow("division by zero") << QStringLiteral("1/0") << QStringLiteral("Input error");
    }
    void replaceCopiesTheResultBackEvenInputError() {
        QFETCH(QString, expression);
        QFETCH(QString, copied);
        frmCal w;
        Execute(w, expression);
        w.cmdReplace->click();
        QCOMPARE(w.cboInput->currentText(), copied);
        QVERIFY(std::abs(w.cboInput->width() - (ExpectedMeasure(copied) + 20)) <= 2);
        QCOMPARE(w.cboInput->count(), 1);  // "<" itself adds nothing to the history
    }

    void windowIsNeverNarrowerThanTheMainWindow() {
        frmCal w;
        w.SetLeastWidthTwips(6000);  // 400 pixels
        w.show();
        QCOMPARE(OuterWidth(w), 400);
        w.cboInput->setEditText(QStringLiteral("1"));
        QCOMPARE(OuterWidth(w), 400);
        // The input box takes up the difference; the other controls keep their widths.
        QCOMPARE(w.cboInput->width(), 400 - (8 + 25 + 110 + 18 + 12));
        QCOMPARE(w.cmdExecCalc->x(), w.cboInput->x() + w.cboInput->width());
        QCOMPARE(w.txtCalResult->x(), w.cmdExecCalc->x() + 25);

        const QString longText(60, QLatin1Char('9'));
        w.cboInput->setEditText(longText);
        const int measured = ExpectedMeasure(longText) + 20;
        QVERIFY(std::abs(w.cboInput->width() - measured) <= 2);
        QCOMPARE(OuterWidth(w), w.cboInput->width() + 8 + 25 + 110 + 18 + 12);
        QVERIFY(OuterWidth(w) > 400);

        w.cboInput->setEditText(QString());
        QCOMPARE(OuterWidth(w), 400);
    }

    void inputThatLooksLikeMarkupIsMeasuredAsTyped() {
        frmCal w;
        const QString typed = QStringLiteral("<h1>") + QString(40, QLatin1Char('9')) + QStringLiteral("</h1>");
        w.cboInput->setEditText(typed);
        QVERIFY(std::abs(w.cboInput->width() - (ExpectedMeasure(typed) + 20)) <= 2);
    }

    void freshWindowHasTheLoadedWidthsAndHeightAndStandsAtItsStoredPlace() {
        settings().Form_Cal_Left = 1500;
        settings().Form_Cal_Top = 750;
        frmCal w;
        w.show();
        QCOMPARE(w.pos(), QPoint(100, 50));
        QCOMPARE(w.cboInput->width(), 100);
        QCOMPARE(w.txtCalResult->width(), 110);
        QCOMPARE(OuterWidth(w), 100 + 8 + 25 + 110 + 18 + 12);
        QCOMPARE(w.cboInput->geometry().topLeft(), QPoint(8, 5));
        QCOMPARE(w.height(), 5 + w.cboInput->height() + 4);
        QCOMPARE(w.txtCalResult->height(), w.cboInput->height());
        QCOMPARE(w.cmdExecCalc->geometry(), QRect(108, 6, 25, w.cboInput->height() - 3));
        QCOMPARE(w.cmdReplace->geometry().size(), QSize(18, w.cboInput->height() - 3));
        QCOMPARE(w.windowTitle(), QStringLiteral("Halden Unit Converter - Calculator"));
        QVERIFY(!w.windowIcon().isNull());
    }

    void positionIsStoredOnlyWhenTheUserClosesANormalWindow_data() {
        QTest::addColumn<bool>("byUser");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("stored");
        QTest::newRow("user closes normal window") << true << false << true;
        QTest::newRow("program closes it") << false << false << false;
        QTest::newRow("user closes minimized window") << true << true << false;
    }
    void positionIsStoredOnlyWhenTheUserClosesANormalWindow() {
        QFETCH(bool, byUser);
        QFETCH(bool, minimized);
        QFETCH(bool, stored);
        frmCal w;
        w.show();
        w.move(50, 60);
        if (minimized) {
            w.setWindowState(Qt::WindowMinimized);
        }
        if (byUser) {
            UserCloses(w);
        } else {
            w.close();
        }
        QCOMPARE(settings().Form_Cal_Left, stored ? 750 : 360);
        QCOMPARE(settings().Form_Cal_Top, stored ? 900 : 360);
        // Shown again, it stands at the stored place.
        w.setWindowState(Qt::WindowNoState);
        w.show();
        QCOMPARE(w.pos(), stored ? QPoint(50, 60) : QPoint(24, 24));
    }

    void closingForgetsHistoryAndWidthsAndReopensAtTheStoredPlace() {
        frmCal w;
        w.show();
        for (const QString& text : QStringList{"a1", "a2", "a3", "a4", "a5", "a6", "a7"}) {
            Execute(w, text);
        }
        Execute(w, QStringLiteral("-1/7E20"));
        w.move(30, 40);
        UserCloses(w);
        QCOMPARE(w.cboInput->count(), 0);
        QCOMPARE(w.cboInput->currentText(), QString());
        QCOMPARE(w.txtCalResult->text(), QString());
        QCOMPARE(w.txtCalResult->width(), 110);
        QCOMPARE(w.cboInput->width(), 100);
        w.show();
        QCOMPARE(w.pos(), QPoint(30, 40));
        // The count starts again: seven new executions keep all seven.
        for (const QString& text : QStringList{"b1", "b2", "b3", "b4", "b5", "b6", "b7"}) {
            Execute(w, text);
        }
        QCOMPARE(HistoryEntries(w), (QStringList{"b7", "b6", "b5", "b4", "b3", "b2", "b1"}));
    }

    void escapeClosesAsTheCloseBoxDoesAndTheButtonsTellTheirKeys() {
        frmCal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.move(50, 60);
        Execute(w, QStringLiteral("2+3"));
        QTest::keyClick(w.cboInput->lineEdit(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(w.cboInput->currentText(), QStringLiteral("5.00000"));
        QVERIFY(w.cmdExecCalc->toolTip().endsWith(QStringLiteral("(Enter)")));
        QCOMPARE(w.cmdReplace->accessibleDescription(), w.cmdReplace->toolTip());
        // The edit field is heard under the combo box's name, not as a second "Expression".
        QVERIFY(QAccessible::queryAccessibleInterface(w.cboInput->lineEdit())->text(QAccessible::Name).isEmpty());

        QTest::keyClick(w.cboInput->lineEdit(), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.cboInput->count(), 0);
        QCOMPARE(settings().Form_Cal_Left, 750);
        QCOMPARE(settings().Form_Cal_Top, 900);
    }

private:
};

QTEST_MAIN(FrmCalTest)
#include "test_frmCal.moc"
