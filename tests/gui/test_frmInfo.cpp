// The about window: the scrolling rights line, the blinking icon, the ways it closes and what
// closing does to the number format, and the main window's topmost state around it.

#include "gui_fixture.h"
#include "reference/about_texts.h"
#include "shared/process_state.h"

#include "reference/frmInfo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace halden;

namespace {

bool ShowsPicture(const QLabel* shown, const QLabel* picture) {
    return shown->pixmap().toImage() == picture->pixmap().toImage();
}

}  // namespace

class InfoTest : public halden::test::GuiTest {
    Q_OBJECT

private slots:

    void showsTheProgramsTextsAndRunsBothTimers() {
        frmInfo about;
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral(" About Halden Unit Converter"));
        QCOMPARE(about.lblAppname->text(), QStringLiteral("Halden Unit Converter (32bit)"));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version " HALDEN_VERSION));
        QCOMPARE(about.lblName->text(), QStringLiteral("Halden Design"));
        QVERIFY(about.isModal());
        QCOMPARE(about.Timer1->interval(), 127);
        QCOMPARE(about.Timer2->interval(), 109);
        QVERIFY(about.Timer1->isActive());
        QVERIFY(about.Timer2->isActive());
        QCOMPARE(about.imgMain->size(), QSize(32, 32));
        QVERIFY(!about.imgFull->isVisible());
        QVERIFY(!about.imgHalf->isVisible());
        QVERIFY(about.imgFull->pixmap().toImage() != about.imgHalf->pixmap().toImage());
        about.Timer1_Timer();
        test::SaveScreenshot(&about, QStringLiteral("frmInfo"));
    }

    void noticeFrameIsSizedByItsLongestLineAndEndsTheWindow() {
        frmInfo about;
        // 480 twips wider than notice line 3, at 15 twips per pixel.
        QCOMPARE(about.Frame1->width(), about.lblNotice[3]->width() + 32);
        for (const QLabel* notice : about.lblNotice) {
            QVERIFY(about.Frame1->rect().contains(notice->geometry()));
        }
        const QLabel* last = about.lblNotice[4];
        QCOMPARE(about.Frame1->height(), last->y() + last->height() + 8);          // 120 twips
        QCOMPARE(about.height(), about.Frame1->y() + about.Frame1->height() + 6);  // 90 twips
        const int frameCentre = about.Frame1->x() + about.Frame1->width() / 2;
        for (const QWidget* item :
             std::initializer_list<const QWidget*>{about.imgMain, about.lblAppname, about.lblVersion, about.lblName,
                                                   about.lblOwnership, about.txtAllrights, about.cmdOK}) {
            QVERIFY(qAbs(item->x() + item->width() / 2 - frameCentre) <= 1);
        }
    }

    void kthScrollTickShowsTheTextFromItsKthCharacter() {
        frmInfo about;
        about.Timer1->stop();
        const QString text = QString::fromStdString(BuildScrollText());
        QCOMPARE(text.size(), 106);
        for (int k = 1; k <= 2 * 107 + 3; ++k) {
            about.Timer1_Timer();
            const QString expected = text.mid((k - 1) % 107);
            QVERIFY2(about.txtAllrights->text() == expected, qPrintable(QStringLiteral("tick %1").arg(k)));
            if (k == 107) {
                QVERIFY(about.txtAllrights->text().isEmpty());
            }
            if (k == 108) {
                QCOMPARE(about.txtAllrights->text(), text);
            }
        }
    }

    void iconShowsTheTiltedBalanceAtTicksSeventeenToNineteen() {
        frmInfo about;
        about.Timer2->stop();
        QVERIFY(ShowsPicture(about.imgMain, about.imgFull));
        for (int tick = 0; tick < 45; ++tick) {
            about.Timer2_Timer();
            const bool tilted = tick % 20 >= 17;
            QVERIFY2(ShowsPicture(about.imgMain, tilted ? about.imgHalf : about.imgFull),
                     qPrintable(QStringLiteral("tick %1").arg(tick)));
        }
    }

    void closingClearsOnlyTheFormatValueThree() {
        enum class Way { Click, Enter, Return, CloseBox, Letter, Space, Escape };
        struct Row {
            const char* name;
            std::int16_t flagBefore;
            Way way;
            bool closes;
            std::int16_t flagAfter;
        };
        const Row rows[] = {
            {"OK click clears 3", 3, Way::Click, true, 0},
            {"Enter on OK clears 3", 3, Way::Enter, true, 0},
            {"Return on OK clears 3", 3, Way::Return, true, 0},
            {"close box clears 3", 3, Way::CloseBox, true, 0},
            {"OK click keeps Scientific", 1, Way::Click, true, 1},
            {"close box keeps Scientific", 1, Way::CloseBox, true, 1},
            {"Enter keeps another odd value", 2, Way::Enter, true, 2},
            {"a letter does not close", 3, Way::Letter, false, 3},
            {"a blank does not press OK", 3, Way::Space, false, 3},
            {"Escape does not close", 3, Way::Escape, false, 3},
        };
        for (const Row& row : rows) {
            settings().pnFormFlag = row.flagBefore;
            frmInfo about;
            about.show();
            about.cmdOK->setFocus();
            switch (row.way) {
                case Way::Click:
                    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
                    break;
                case Way::Enter:
                    QTest::keyClick(about.cmdOK, Qt::Key_Enter);
                    break;
                case Way::Return:
                    QTest::keyClick(about.cmdOK, Qt::Key_Return);
                    break;
                case Way::CloseBox:
                    about.close();
                    break;
                case Way::Letter:
                    QTest::keyClick(about.cmdOK, Qt::Key_A);
                    break;
                case Way::Space:
                    QTest::keyClick(about.cmdOK, Qt::Key_Space);
                    break;
                case Way::Escape:
                    QTest::keyClick(about.cmdOK, Qt::Key_Escape);
                    break;
            }
            QVERIFY2(about.isVisible() != row.closes, row.name);
            QVERIFY2(settings().pnFormFlag == row.flagAfter, row.name);
        }
    }

    void enterIsSwallowedAndOtherKeysAreLeftAlone() {
        frmInfo about;
        about.show();
        int other = 'x';
        about.cmdOK_KeyPress(other);
        QCOMPARE(other, int('x'));
        QVERIFY(about.isVisible());
        int enter = 13;
        about.cmdOK_KeyPress(enter);
        QCOMPARE(enter, 0);
        QVERIFY(!about.isVisible());
    }

    void aboutReleasesTopmostWhileOpenAndRestoresItOnlyWhenTheOptionIsOn() {
        struct Row {
            const char* name;
            std::int16_t showTop;
            int callsAfter;
        };
        const Row rows[] = {{"on top", 1, 2}, {"not on top", 0, 1}};
        for (const Row& row : rows) {
            fixture->fake.topmostCalls.clear();
            settings().pnShowTop = row.showTop;
            settings().pnFormFlag = 3;
            QWidget mainWindow;
            mainWindow.show();
            std::size_t callsWhileOpen = 99;
            bool sawAbout = false;
            QTimer::singleShot(0, this, [&] {
                auto* about = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
                sawAbout = about != nullptr;
                callsWhileOpen = fixture->fake.topmostCalls.size();
                if (about != nullptr) {
                    about->cmdOK->click();
                }
            });
            ShowAboutWindow(&mainWindow, ProcessSession());
            QVERIFY2(sawAbout, row.name);
            QCOMPARE(callsWhileOpen, std::size_t{1});
            const auto& calls = fixture->fake.topmostCalls;
            QCOMPARE(static_cast<int>(calls.size()), row.callsAfter);
            QCOMPARE(calls[0], std::make_pair(&mainWindow, false));
            if (row.callsAfter == 2) {
                QCOMPARE(calls[1], std::make_pair(&mainWindow, true));
            }
            QCOMPARE(settings().pnFormFlag, std::int16_t{0});
        }
    }
};

QTEST_MAIN(InfoTest)
#include "test_frmInfo.moc"
