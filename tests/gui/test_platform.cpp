// The Qt side of the platform seam: what the real implementation does on the offscreen platform.

#include "gui_fixture.h"

#include "shared/platform.h"

#include <QTest>
#include <QWidget>

using namespace halden;

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void messageLinesJoinedByCarriageReturnShowOnSeparateLines() {
        QCOMPARE(DisplayText("Loading the default configuration settings.\rClick on the OK button to proceed."),
                 QStringLiteral("Loading the default configuration settings.\nClick on the OK button to proceed."));
    }

    void alwaysOnTopKeepsTheWindowsPlaceAndCanBeReleased() {
        SetPlatform(nullptr);
        QWidget window;
        window.setGeometry(120, 140, 200, 100);
        window.show();
        const QPoint place = window.pos();
        platform().SetAlwaysOnTop(&window, true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), place);
        platform().SetAlwaysOnTop(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), place);
    }

    void twipsPerPixelIsAWholePositiveNumber() {
        SetPlatform(nullptr);
        QVERIFY(platform().TwipsPerPixelX() >= 1);
        QVERIFY(platform().TwipsPerPixelY() >= 1);
    }

    void fakePopupAnswersWithTheChosenVisibleItemAndRunsIt() {
        test::GuiFixture fixture;
        QMenu menu;
        QAction* hidden = menu.addAction(QStringLiteral("Exit"));
        hidden->setVisible(false);
        menu.addSeparator();
        QAction* shown = menu.addAction(QStringLiteral("Exit"));
        int triggered = 0;
        connect(shown, &QAction::triggered, this, [&triggered] { ++triggered; });
        fixture.fake.popupChoice = QStringLiteral("Exit");
        QCOMPARE(platform().PopupMenu(nullptr, &menu), shown);
        QCOMPARE(triggered, 1);
        QCOMPARE(fixture.fake.popups.back().captions,
                 (QStringList{QStringLiteral("Exit"), QString(), QStringLiteral("Exit")}));
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
