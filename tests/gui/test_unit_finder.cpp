// The unit finder driven from the keyboard and the mouse, and the command line's answers checked
// against what the result box shows for the same conversion.

#include "app/unit_finder.h"
#include "app/unit_list.h"
#include "catalogue/menu_texts.h"
#include "catalogue/unit_catalogue.h"
#include "cli/command_line.h"
#include "gui_actions.h"
#include "gui_fixture.h"
#include "main_window_ui.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace halden;
using namespace halden::test;

namespace {

void Put(std::string& cell, const std::string& text) { cell = text; }

QString CurrentText(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item != nullptr ? item->text() : QString();
}

}  // namespace

class UnitFinderTest : public halden::test::GuiTest {
    Q_OBJECT

    // A started window in the full shape showing Length.
    frmConvert* Started() {
        window = std::make_unique<frmConvert>();
        ui().mnuConvArray[0]->trigger();
        window->activateWindow();
        return window.get();
    }

    // Ctrl+F, the text typed key by key, then the finishing key.
    UnitFinder* Find(const QString& text, Qt::Key finish = Qt::Key_unknown, Qt::KeyboardModifiers modifiers = {}) {
        ui().mnuEditFind->trigger();
        UnitFinder* finder = window->findChild<UnitFinder*>();
        if (finder == nullptr) {
            return nullptr;
        }
        for (const QChar c : text) {
            // Qt Test types ASCII keys only; other characters arrive as an input method puts them.
            if (c.unicode() < 0x80) {
                QTest::keyClick(finder->txtFind, c.toLatin1());
            } else {
                finder->txtFind->insert(QString(c));
            }
        }
        if (finish != Qt::Key_unknown) {
            QTest::keyClick(finder->txtFind, finish, modifiers);
        }
        return finder;
    }

private slots:

    void editMenuOffersFindUnitWithCtrlF() {
        Started();
        QCOMPARE(ui().mnuEditFind->text(), QStringLiteral("&Find Unit..."));
        QCOMPARE(ui().mnuEditFind->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
        QVERIFY(ui().mnuEdit->actions().contains(ui().mnuEditFind));
    }

    void typingListsMatchesWithTheirGroupsBestFirst() {
        Started();
        UnitFinder* finder = Find(QStringLiteral("tsubo"));
        QVERIFY(finder != nullptr);
        QVERIFY(finder->isVisible());
        QCOMPARE(finder->lstFound->count(), 3);
        QCOMPARE(finder->lstFound->item(0)->text(), QStringLiteral("坪 [tsubo] = 歩 [bu] — Area"));
        QCOMPARE(finder->lstFound->item(1)->text(), QStringLiteral("尺坪 [shaku-tsubo] — Area"));
        QCOMPARE(finder->lstFound->item(2)->text(), QStringLiteral("立坪 [ryu-tsubo] — Volume"));
        QCOMPARE(finder->lstFound->currentRow(), 0);
        SaveScreenshot(finder, QStringLiteral("unit_finder"));
        // Each key narrows or widens the list at once.
        QTest::keyClick(finder->txtFind, Qt::Key_Backspace);
        QCOMPARE(finder->lstFound->count(), 3);
        finder->txtFind->setText(QStringLiteral("qqqqqqqq"));
        QCOMPARE(finder->lstFound->count(), 0);
        QVERIFY(finder->lblHint->isVisible());
        QCOMPARE(finder->lblHint->text(), QStringLiteral("No unit is named \u201Cqqqqqqqq\u201D."));
        // A screen reader hears the hint as it appears.
        auto* notice = finder->findChild<QWidget*>(QStringLiteral("answerNotice"));
        QVERIFY(notice->isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name), finder->lblHint->text());
        // A name pasted with its line break, as copied from a terminal, finds as the typed one.
        finder->txtFind->clear();
        fixture->fake.clipboard = QStringLiteral("tsubo\r\n");
        QTest::keyClick(finder->txtFind, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(finder->txtFind->text(), QStringLiteral("tsubo"));
        QCOMPARE(finder->lstFound->count(), 3);
    }

    void nearNamesAreOfferedAndWarpIsTakenAsFromOnly() {
        Started();
        UnitFinder* finder = Find(QStringLiteral("fahrenhiet"));
        QVERIFY(finder->lblHint->isVisible());
        QCOMPARE(finder->lstFound->item(0)->text(), QStringLiteral("deg Fahrenheit (ﾟF) — Temperature"));
        QTest::keyClick(finder->txtFind, Qt::Key_Return);
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("deg Fahrenheit (ﾟF)"));
        finder = Find(QStringLiteral("warp"), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(finder->isVisible());
        QCOMPARE(finder->lblHint->text(), QStringLiteral("Warp can only be converted from: press Enter."));
        QTest::keyClick(finder->txtFind, Qt::Key_Return);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{9});
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("Warp"));
    }

    void enterChoosesFromAndCtrlEnterChoosesIntoAcrossGroups() {
        Started();
        Find(QStringLiteral("tsubo"), Qt::Key_Return);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{2});
        QCOMPARE(window->windowTitle(), QStringLiteral(" Halden Unit Converter - Area"));
        QVERIFY(ui().mnuConvArray[2]->isChecked());
        QVERIFY(!ui().mnuConvArray[0]->isChecked());
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("坪 [tsubo] = 歩 [bu]"));
        QVERIFY(!window->findChild<UnitFinder*>()->isVisible());

        Find(QStringLiteral("m^2"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{2});
        QCOMPARE(CurrentText(ui().lstConvInto), QStringLiteral("square meter (m^2)"));
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("坪 [tsubo] = 歩 [bu]"));
        QCOMPARE(window->focusWidget(), ui().txtInput);
        QTRY_COMPARE(QApplication::focusWidget(), ui().txtInput);
        QTest::keyClicks(ui().txtInput, QStringLiteral("1"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("3.30579"));
    }

    void choosingWithInputConvertsAtOnce() {
        Started();
        ui().txtInput->setText(QStringLiteral("3"));
        Find(QStringLiteral("mile"), Qt::Key_Return);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("mile"));
        Find(QStringLiteral("m"), Qt::Key_Enter, Qt::ControlModifier);
        QCOMPARE(CurrentText(ui().lstConvInto), QStringLiteral("meter (m)"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("4828.03"));
        // The same entry chosen again converts again, as a click on it does.
        ui().txtInput->setText(QStringLiteral("1"));
        ui().txtResult->setText(QString());
        Find(QStringLiteral("meter"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(ui().txtResult->text(), QStringLiteral("1609.34"));
    }

    void upDownMoveAndAClickActsAsEnter() {
        Started();
        UnitFinder* finder = Find(QStringLiteral("M"));
        QCOMPARE(finder->lstFound->item(0)->text(), QStringLiteral("mega (M) — Metric Prefixes"));
        QTest::keyClick(finder->txtFind, Qt::Key_Down);
        QCOMPARE(finder->lstFound->currentRow(), 1);
        QTest::keyClick(finder->txtFind, Qt::Key_Up);
        QTest::keyClick(finder->txtFind, Qt::Key_Up);
        QCOMPARE(finder->lstFound->currentRow(), 0);
        QTest::keyClick(finder->txtFind, Qt::Key_Down);
        QTest::keyClick(finder->txtFind, Qt::Key_Return);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("meter (m)"));

        finder = Find(QStringLiteral("kt"));
        QListWidget* list = finder->lstFound;
        QCOMPARE(list->item(0)->text(), QStringLiteral("knot (kt, kn) — Velocity"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{9});
        QVERIFY(ui().mnuConvArray[9]->isChecked());
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("knot (kt, kn)"));
        QVERIFY(!finder->isVisible());
    }

    // A text that begins with a value is a question: answered as it is typed, copied with Enter (a
    // single unit's number alone, two units' answer whole), opened in the lists with Ctrl+Enter
    // where both units are the lists' own.
    void aQuestionIsAnsweredCopiedAndOpenedInTheLists() {
        Started();
        ui().mnuConvArray[2]->trigger();
        UnitFinder* finder = Find(QStringLiteral("3 fot cm"));
        QVERIFY(finder->lblAnswer->text().startsWith(QStringLiteral("No unit is named")));
        finder->txtFind->setText(QStringLiteral("3 ft in cm"));
        QCOMPARE(finder->lstFound->count(), 0);
        QVERIFY(finder->lblAnswer->isVisible());
        QCOMPARE(finder->lblAnswer->text(), QStringLiteral("3 foot, feet (ft) = 91.4400 centimeter (cm)"));
        QCOMPARE(finder->txtFind->accessibleDescription(), finder->lblAnswer->text());
        QTest::keyClick(finder->txtFind, Qt::Key_Return);
        QVERIFY(!finder->isVisible());
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("91.4400"));
        QCOMPARE(test::HistoryShown(ui())[0], QStringLiteral("3 foot, feet (ft) = 91.4400 centimeter (cm)"));
        Find(QStringLiteral("1.8 m in ft+in"), Qt::Key_Return);
        QCOMPARE(fixture->fake.clipboard, QStringLiteral("5 ft 10.8661 in"));

        finder = Find(QStringLiteral("10 mi km"), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(finder->isVisible());
        QVERIFY(finder->lblHint->text().startsWith(QStringLiteral("Only a value between two units of the lists")));
        finder->txtFind->setText(QStringLiteral("3 ft in cm"));
        QTest::keyClick(finder->txtFind, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!finder->isVisible());
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("foot, feet (ft)"));
        QCOMPARE(CurrentText(ui().lstConvInto), QStringLiteral("centimeter (cm)"));
        QCOMPARE(ui().txtInput->text(), QStringLiteral("3"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("91.4400"));
    }

    // A question asked from outside, in the reduced shape: the full window shows a value between two
    // units of the lists there; any other question opens the finder holding it, with its answer.
    void aQuestionFromOutsideShowsInTheListsOrInTheFinder() {
        Started();
        ui().mnuConvArray[2]->trigger();
        Click(ui().picShrink);
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});
        window->ShowQuestion(QStringLiteral("3 ft in cm"), false);
        QCOMPARE(settings().pnShapeFlag, std::int16_t{1});
        QVERIFY(test::IconWindow() == nullptr);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(CurrentText(ui().lstConvFrom), QStringLiteral("foot, feet (ft)"));
        QCOMPARE(CurrentText(ui().lstConvInto), QStringLiteral("centimeter (cm)"));
        QCOMPARE(ui().txtInput->text(), QStringLiteral("3"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("91.4400"));
        QVERIFY(window->findChild<UnitFinder*>() == nullptr);

        for (const bool inFinder : {false, true}) {
            const QString question = inFinder ? QStringLiteral("3 ft in cm") : QStringLiteral("10 mi km");
            window->ShowQuestion(question, inFinder);
            UnitFinder* finder = window->findChild<UnitFinder*>();
            QVERIFY(finder != nullptr && finder->isVisible());
            QCOMPARE(finder->txtFind->text(), question);
            QCOMPARE(finder->lblAnswer->text(), inFinder ? QStringLiteral("3 foot, feet (ft) = 91.4400 centimeter (cm)")
                                                         : QStringLiteral("10 mile = 16.0934 kilometer (km)"));
            finder->close();
        }
    }

    void escapeClosesAndChangesNothing() {
        Started();
        UnitFinder* finder = Find(QStringLiteral("tsubo"), Qt::Key_Escape);
        QVERIFY(!finder->isVisible());
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(ui().lstConvFrom->currentRow(), -1);
        // Enter with nothing found chooses nothing.
        Find(QStringLiteral("zzzz"), Qt::Key_Return);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{0});
        QCOMPARE(ui().lstConvFrom->currentRow(), -1);
    }

    void reopeningStartsWithAnEmptySearch() {
        Started();
        Find(QStringLiteral("mile"), Qt::Key_Escape);
        UnitFinder* finder = Find(QString());
        QCOMPARE(finder->txtFind->text(), QString());
        QCOMPARE(finder->lstFound->count(), 0);
    }

    void findingLeavesTheWindowsFaceAsItWas() {
        Started();
        window->show();
        const QSize size = window->size();
        const QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        Find(QStringLiteral("tsubo"), Qt::Key_Return);
        QCOMPARE(window->size(), size);
        // The finder is a popup window of its own, never a control on the main window's face.
        QVERIFY(window->findChild<UnitFinder*>()->isWindow());
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(children.contains(child) || child->isWindow());
        }
    }

    void reducedShapeOffersNoFinder() {
        window = std::make_unique<frmConvert>();
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});
        ui().mnuEditFind->trigger();
        QVERIFY(window->findChild<UnitFinder*>() == nullptr);
        QCOMPARE(settings().pnShapeFlag, std::int16_t{0});
    }

    void userUnitsAreFoundAndTheirGroupChosen() {
        UserUnits units;
        Put(units.UserGroupName[1], "Room");
        Put(units.UserUnitName[1][0], "jou (畳)");
        Put(units.UserFactorText[1][0], "1.62");
        Put(units.UserUnitName[1][1], "m2");
        Put(units.UserFactorText[1][1], "1");
        QVERIFY(WriteProgramFiles(fixture->configDir(), std::string(), units));
        Started();
        Find(QStringLiteral("畳"), Qt::Key_Return);
        QCOMPARE(settings().pnSelUnitGrp, std::int16_t{29});
        QVERIFY(ui().mnuUserArray[1]->isChecked());
        QCOMPARE(window->windowTitle(), QStringLiteral(" Halden Unit Converter - Room"));
        Find(QStringLiteral("m2"), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(ui().txtInput, QStringLiteral("2"));
        QCOMPARE(ui().txtResult->text(), QStringLiteral("3.24000"));
    }

    // The command line prints what the result box shows: the same conversions through the window
    // (group menu, unit clicks, options, typing) and through the command line.
    void commandLineAnswersAsTheResultBox_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("fromEntry");
        QTest::addColumn<QString>("intoEntry");
        QTest::addColumn<QString>("fromName");
        QTest::addColumn<QString>("intoName");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("figureItem");  // Significant Digits item: 0 "4", 1 "6", 2 "8", 3 Integer
        QTest::addColumn<bool>("scientific");
        QTest::addColumn<QString>("shown");
        QTest::newRow("length") << 0 << "mile"
                                << "meter (m)"
                                << "mile"
                                << "m"
                                << "3" << 1 << false << "4828.03";
        QTest::newRow("length, 8 digits") << 0 << "mile"
                                          << "meter (m)"
                                          << "mile"
                                          << "meter"
                                          << "3" << 2 << false << "4828.0320";
        QTest::newRow("temperature") << 6 << "deg Celsius (ﾟC)"
                                     << "deg Fahrenheit (ﾟF)"
                                     << "deg Celsius"
                                     << "deg Fahrenheit"
                                     << "100" << 1 << false << "212.000";
        QTest::newRow("temperature, scientific 4") << 6 << "deg Celsius (ﾟC)"
                                                   << "deg Fahrenheit (ﾟF)"
                                                   << "°C"
                                                   << "°F"
                                                   << "100" << 0 << true << "2.120E+02";
        QTest::newRow("area, Japanese unit") << 2 << "坪 [tsubo] = 歩 [bu]"
                                             << "square meter (m^2)"
                                             << "tsubo"
                                             << "m^2"
                                             << "1" << 1 << false << "3.30579";
        QTest::newRow("velocity, integer") << 9 << "knot (kt, kn)"
                                           << "km/h"
                                           << "kn"
                                           << "km/h"
                                           << "1" << 3 << false << "2";
        QTest::newRow("prefixes by letter case") << 27 << "mega (M)"
                                                 << "毛 [mou], milli (m)"
                                                 << "M"
                                                 << "m"
                                                 << "1" << 1 << true << "1.00000E+09";
        QTest::newRow("tiny prefix ratio") << 27 << "yocto (y)"
                                           << "シ, yotta (Y)"
                                           << "yocto"
                                           << "Y"
                                           << "1" << 1 << false << "1.00000E-48";
        QTest::newRow("number bases") << 49 << "Decimal"
                                      << "Hexadecimal"
                                      << "Decimal"
                                      << "Hexadecimal"
                                      << "255" << 1 << false << "FF";
        QTest::newRow("bad digits for the base") << 49 << "Binary"
                                                 << "Decimal"
                                                 << "Binary"
                                                 << "Decimal"
                                                 << "12" << 1 << false << "Input error";
        QTest::newRow("not a number") << 0 << "mile"
                                      << "meter (m)"
                                      << "mile"
                                      << "m"
                                      << "abc" << 1 << false << "Input error";
    }
    void commandLineAnswersAsTheResultBox() {
        QFETCH(int, group);
        QFETCH(QString, fromEntry);
        QFETCH(QString, intoEntry);
        QFETCH(QString, fromName);
        QFETCH(QString, intoName);
        QFETCH(QString, value);
        QFETCH(int, figureItem);
        QFETCH(bool, scientific);
        QFETCH(QString, shown);

        window = std::make_unique<frmConvert>();
        const GroupMenuItem item = GroupMenuItemOf(group);
        if (item.kind == GroupMenuKind::Convert) {
            ui().mnuConvArray[static_cast<std::size_t>(item.index)]->trigger();
        } else if (item.kind == GroupMenuKind::Computer) {
            ui().mnuConvCompArray[static_cast<std::size_t>(item.index)]->trigger();
        } else {
            QCOMPARE(item.kind, GroupMenuKind::Decimal);
            ui().mnuConvDecimal->trigger();
        }
        ui().mnuOptionsFigArray[static_cast<std::size_t>(figureItem)]->trigger();
        ui().mnuOptionsFormArray[scientific ? 1 : 0]->trigger();
        const int fromRow = RowOf(ui().lstConvFrom, fromEntry);
        const int intoRow = RowOf(ui().lstConvInto, intoEntry);
        QVERIFY(fromRow >= 0 && intoRow >= 0);
        ui().lstConvFrom->setCurrentRow(fromRow);
        ui().lstConvInto->setCurrentRow(intoRow);
        TypeOver(ui().txtInput, value);
        QCOMPARE(ui().txtResult->text(), shown);

        const std::string fromText = fromName.toStdString();
        const std::string intoText = intoName.toStdString();
        const std::string valueText = value.toStdString();
        static constexpr std::array<std::string_view, 4> kFigures{"4", "6", "8", "integer"};
        std::vector<std::string_view> args{"--convert", valueText, fromText, intoText};
        // Digits mean nothing to the number bases, which the shell says in a warning.
        if (group != kGroupRadix) {
            args.insert(args.end(), {"--figures", kFigures[static_cast<std::size_t>(figureItem)]});
        }
        if (scientific) {
            args.emplace_back("--scientific");
        }
        const CommandLineResult result = RunCommandLine(args, UserFileContents{});
        if (shown == QStringLiteral("Input error")) {
            QCOMPARE(result.out, std::string());
            QCOMPARE(result.err, std::string("halducnv: Input error\n"));
            QCOMPARE(result.status, 1);
        } else {
            QCOMPARE(QString::fromStdString(result.out), shown + QLatin1Char('\n'));
            QCOMPARE(result.err, std::string());
            QCOMPARE(result.status, 0);
        }
    }
};

QTEST_MAIN(UnitFinderTest)
#include "test_unit_finder.moc"
