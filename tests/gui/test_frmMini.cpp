// The reduced icon window: its shape, its place, dragging and what it records when it goes.

#include "app/tool_button.h"
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "app/frmMini.h"
#include "shared/ui_twips.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <memory>

using namespace halden;
using halden::test::Ui;

class FrmMiniTest : public halden::test::GuiTest {
    Q_OBJECT

    // With no configuration file the program starts reduced, the icon window showing.
    void setUp() override {
        window = std::make_unique<frmConvert>();
        QVERIFY(test::IconWindow() != nullptr);
    }

private slots:
    void iconWindowIsPlacedSizedAndTopmost() {
        frmMini* mini = test::IconWindow();
        QCOMPARE(mini->pos(), QPoint(PixelsX(settings().Form_Normal_Left), PixelsY(settings().Form_Normal_Top)));
        QCOMPARE(mini->size(), QSize(46, 48));
        QCOMPARE(mini->picIconBase->size(), QSize(36, 37));
        QCOMPARE(mini->imgIcon->geometry(), QRect(2, 3, 32, 32));
        QVERIFY(mini->windowFlags().testFlag(Qt::FramelessWindowHint));
        bool madeTopmost = false;
        for (const auto& [target, onTop] : fixture->fake.topmostCalls) {
            madeTopmost = madeTopmost || (target == mini && onTop);
        }
        QVERIFY(madeTopmost);
        test::SaveScreenshot(mini, QStringLiteral("icon_window"));
    }

    void theFrameDragsTheWindowAndTheIconDoesNot() {
        frmMini* mini = test::IconWindow();
        QTest::mousePress(mini->picIconBase, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(mini->picIconBase, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(fixture->fake.drags.size(), std::size_t{1});
        QTest::mousePress(mini, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(mini, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(fixture->fake.drags.size(), std::size_t{2});
        QTest::mousePress(mini->picIconBase, Qt::RightButton, {}, QPoint(1, 1));
        QTest::mouseRelease(mini->picIconBase, Qt::RightButton, {}, QPoint(1, 1));
        QCOMPARE(fixture->fake.drags.size(), std::size_t{2});
        QTest::mousePress(mini->imgIcon, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(fixture->fake.drags.size(), std::size_t{2});
        QCOMPARE(fixture->fake.popups.size(), std::size_t{1});
        QVERIFY(!fixture->fake.popups.front().place.has_value());  // a click's menu opens at the mouse
    }

    void withoutASystemMoveTheWindowFollowsTheMouse() {
        fixture->fake.dragSupported = false;
        frmMini* mini = test::IconWindow();
        const QPoint start = mini->pos();
        QTest::mousePress(mini, Qt::LeftButton, {}, QPoint(2, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), mini->mapToGlobal(QPointF(12, 22)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mini, &move);
        QCOMPARE(mini->pos(), start + QPoint(10, 20));
    }

    void aGroupSwitchUnloadsItAndRecordsWhereItWas() {
        frmMini* mini = test::IconWindow();
        mini->move(77, 55);
        ui().mnuConvArray[2]->trigger();
        QVERIFY(test::IconWindow() == nullptr);
        QCOMPARE(settings().Form_Normal_Left, std::int16_t(TwipsX(77)));
        QCOMPARE(settings().Form_Normal_Top, std::int16_t(TwipsY(55)));
        // Not ending: the topmost state is left alone on this unload.
        QCOMPARE(fixture->fake.topmostCalls.back().second, true);
        // Reducing again shows it where it was left.
        QTest::mouseClick(ui().picShrink, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(test::IconWindow() != nullptr);
        QCOMPARE(test::IconWindow()->pos(), QPoint(77, 55));
    }

    void exitFromTheIconMenuEndsTheProgramThroughTheMainWindow() {
        frmMini* mini = test::IconWindow();
        fixture->fake.popupChoice = QStringLiteral("Exit");
        QTest::mousePress(mini->imgIcon, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(state().pbEnding);
        QVERIFY(test::IconWindow() == nullptr);
        QCOMPARE(ui().mnuFileExit->text(), QStringLiteral("E&xit"));
        QFile file(fixture->configDir() + QStringLiteral("HALDUCNV.CFG"));
        QVERIFY(file.exists());
    }

    // A move the user did not make (the window system reporting a stale place as the window is
    // mapped) is taken back; after a drag the window stays where the user put it.
    void iconWindowKeepsItsPlaceUntilDragged_data() {
        QTest::addColumn<bool>("dragged");
        QTest::newRow("moved by the window system") << false;
        QTest::newRow("dragged by the user") << true;
    }
    void iconWindowKeepsItsPlaceUntilDragged() {
        QFETCH(bool, dragged);
        QPointer<frmMini> mini = test::IconWindow();
        const QPoint placed = mini->pos();
        if (dragged) {
            QTest::mousePress(mini->picIconBase, Qt::LeftButton, {}, QPoint(1, 1));
            QTest::mouseRelease(mini->picIconBase, Qt::LeftButton, {}, QPoint(1, 1));
        }
        mini->move(placed + QPoint(30, 20));
        // The place is asked for again from the event loop: run what is queued, then look.
        QCoreApplication::processEvents();
        QCOMPARE(mini->pos(), dragged ? placed + QPoint(30, 20) : placed);
    }

    // Shown, it takes the keyboard; its keys do what its clicks do.
    void keysOpenItsMenusAndBringTheFullWindowBack_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << QStringLiteral("Convert");
        QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << QStringLiteral("Convert");
        QTest::newRow("Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << QStringLiteral("Convert");
        QTest::newRow("Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers() << QStringLiteral("File");
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                   << QStringLiteral("File");
        QTest::newRow("Ctrl+Shift+R") << int(Qt::Key_R) << (Qt::ControlModifier | Qt::ShiftModifier)
                                      << QStringLiteral("full window");
        QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ControlModifier) << QString();
    }
    void keysOpenItsMenusAndBringTheFullWindowBack() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(QString, outcome);
        frmMini* mini = test::IconWindow();
        QCOMPARE(mini->windowTitle(), QStringLiteral("Halden Unit Converter"));
        QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == mini; }));
        QTest::keyClick(mini, static_cast<Qt::Key>(key), mods);
        QStringList menus;
        for (const auto& popup : fixture->fake.popups) {
            menus << popup.menu->title().remove(QLatin1Char('&'));
            // Opened by a key, a menu pops up below the icon, not at the mouse.
            QCOMPARE(popup.place, std::optional(mini->mapToGlobal(QPoint(0, mini->height()))));
        }
        if (outcome == QStringLiteral("full window")) {
            QVERIFY(test::IconWindow() == nullptr);
            QVERIFY(window->isVisible());
            QCOMPARE(settings().pnShapeFlag, std::int16_t(1));
        } else {
            QCOMPARE(menus, outcome.isEmpty() ? QStringList() : QStringList{outcome});
            QVERIFY(test::IconWindow() != nullptr);
        }
    }

    // A screen reader finds a named button whose press opens the Convert menu.
    void assistiveToolsSeeAPressableButton() {
        frmMini* mini = test::IconWindow();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(mini);
        QVERIFY(face != nullptr && face->actionInterface() != nullptr);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name),
                 QStringLiteral("Halden Unit Converter \u2014 click or press Enter to choose a unit group"));
        QVERIFY(!mini->toolTip().isEmpty());
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(fixture->fake.popups.size(), std::size_t{1});
        QCOMPARE(fixture->fake.popups.front().menu, ui().mnuConvert);
    }

    void minimizeFromTheIconMenuHidesTheIconWindowAndRestoringShowsIt() {
        QPointer<frmMini> mini = test::IconWindow();
        // Dragged somewhere by its frame.
        QTest::mousePress(mini->picIconBase, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(mini->picIconBase, Qt::LeftButton, {}, QPoint(1, 1));
        const QPoint place = mini->pos() + QPoint(7, 5);
        mini->move(place);
        QTRY_COMPARE(mini->pos(), place);
        fixture->fake.popupChoice = QStringLiteral("Minimize");
        QTest::mousePress(mini->imgIcon, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(window->isMinimized());
        QVERIFY(mini.isNull() || !mini->isVisible());
        window->setWindowState(Qt::WindowNoState);
        // The reduced shape comes back: the icon window where it was, the main window hidden.
        QVERIFY(test::IconWindow() != nullptr && test::IconWindow()->isVisible());
        QCOMPARE(test::IconWindow()->pos(), place);
        QVERIFY(QTest::qWaitFor([&] { return !window->isVisible(); }));
    }
};

QTEST_MAIN(FrmMiniTest)
#include "test_frmMini.moc"
