// The program's help: which page each help request opens, the unit list written from the
// catalogue, and that every link between the pages leads to a page.

#include "catalogue/unit_catalogue.h"
#include "gui_fixture.h"
#include "shared/process_state.h"

#include "reference/frmHelp.h"
#include "shared/ui_resources.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>

#include <memory>

using namespace halden;

class HelpTest : public halden::test::GuiTest {
    Q_OBJECT

    static frmHelp* Request(const QString& file, HelpCommand command, int context) {
        InstalledHelpViewer()(nullptr, file, command, context);
        return OpenHelpWindow();
    }

    void setUp() override { InstallProgramHelp(); }
    void tearDown() override { delete OpenHelpWindow(); }

private slots:
    void eachRequestOpensItsPage() {
        struct Row {
            const char* name;
            QString file;
            HelpCommand command;
            int context;
            QString page;
        };
        const Row rows[] = {
            {"contents", QStringLiteral("/opt/halden/HALDUCNV.HLP"), HelpCommand::Contents, 0, "contents.html"},
            {"constants topic", QStringLiteral("/opt/halden/Halducnv.hlp"), HelpCommand::Context, 17, "constants.html"},
            {"add units topic", QStringLiteral("/opt/halden/HALDUCNV.HLP"), HelpCommand::Context, 18, "addunits.html"},
            {"equivalence topic", QStringLiteral("HALDUCNV.HLP"), HelpCommand::Context, kHelpContextEquivalence,
             "equivalence.html"},
            {"about topic", QStringLiteral("HALDUCNV.HLP"), HelpCommand::Context, kHelpContextAbout, "about.html"},
            {"unknown topic falls back to contents", QStringLiteral("HALDUCNV.HLP"), HelpCommand::Context, 5,
             "contents.html"},
            {"contents ignores the context number", QStringLiteral("HALDUCNV.HLP"), HelpCommand::Contents, 18,
             "contents.html"},
            {"backslash directory", QStringLiteral("C:\\Halden\\halducnv.hlp"), HelpCommand::Context, 17,
             "constants.html"},
            {"no file set yet", QString(), HelpCommand::Context, 18, "addunits.html"},
        };
        for (const Row& row : rows) {
            QCOMPARE(HelpPageFor(row.file, row.command, row.context), row.page);
            frmHelp* window = Request(row.file, row.command, row.context);
            QVERIFY2(window != nullptr && window->isVisible(), row.name);
            QCOMPARE(window->txtHelp->source().fileName(), row.page);
            QVERIFY2(!window->txtHelp->toPlainText().trimmed().isEmpty(), row.name);
        }
        QVERIFY(fixture->fake.messages.empty());
        // Escape closes it, as its close box does.
        const QPointer<frmHelp> help = OpenHelpWindow();
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->txtHelp, Qt::Key_Escape);
        QVERIFY(help.isNull() || !help->isVisible());
    }

    void anotherHelpFileIsReportedAndOpensNothing() {
        QVERIFY(HelpPageFor(QStringLiteral("/tmp/OTHER.HLP"), HelpCommand::Contents, 0).isEmpty());
        QVERIFY(HelpPageFor(QStringLiteral("/tmp/HALDUCNV.HLP.bak"), HelpCommand::Contents, 0).isEmpty());
        QCOMPARE(Request(QStringLiteral("/tmp/OTHER.HLP"), HelpCommand::Context, 17), nullptr);
        QCOMPARE(fixture->fake.messages.size(), std::size_t{1});
        QCOMPARE(fixture->fake.messages[0].text, std::string("Cannot open the help file 'OTHER.HLP'."));
    }

    void platformHelpCallsReachTheHelpWindow() {
        SetPlatform(nullptr);
        platform().SetHelpFile(fixture->configDir() + QStringLiteral("HALDUCNV.HLP"));
        platform().ShowHelp(nullptr, HelpCommand::Context, 18);
        QVERIFY(OpenHelpWindow() != nullptr);
        QCOMPARE(OpenHelpWindow()->txtHelp->source().fileName(), QStringLiteral("addunits.html"));
        platform().ShowHelp(nullptr, HelpCommand::Contents, 0);
        QCOMPARE(OpenHelpWindow()->txtHelp->source().fileName(), QStringLiteral("contents.html"));
        test::SaveScreenshot(OpenHelpWindow(), QStringLiteral("frmHelp"));
    }

    void unitPageListsEveryUnitOfTheCatalogueAsItIsNow() {
        UnitCatalogue& units = catalogue();
        units.GroupName[0] = "Length";
        units.UnitCount[0] = 3;
        units.UnitName[0][0] = "meter (m)";
        units.UnitName[0][1] = "尺 [shaku]";
        units.UnitName[0][2] = "mile";
        units.GroupName[kFirstUserGroup + 2] = "Brewing";
        units.UnitCount[kFirstUserGroup + 2] = 1;
        units.UnitName[kFirstUserGroup + 2][0] = "barrel";

        frmHelp* window = Request(QStringLiteral("HALDUCNV.HLP"), HelpCommand::Contents, 0);
        window->ShowPage(QStringLiteral("units.html"));
        QString text = window->txtHelp->toPlainText();
        for (const char* unit : {"meter (m)", "尺 [shaku]", "mile", "Brewing", "barrel"}) {
            QVERIFY2(text.contains(QString::fromUtf8(unit)), unit);
        }
        QVERIFY(!text.contains(QStringLiteral("<!--")));

        // A unit saved after the page was first shown appears when it is shown again.
        units.UnitCount[kFirstUserGroup + 2] = 2;
        units.UnitName[kFirstUserGroup + 2][1] = "firkin";
        window->ShowPage(QStringLiteral("units.html"));
        QVERIFY(window->txtHelp->toPlainText().contains(QStringLiteral("firkin")));
        window->cmdContents_Click();
        QCOMPARE(window->txtHelp->source().fileName(), QStringLiteral("contents.html"));
        QVERIFY(window->cmdBack->isEnabled());
    }

    void everyLinkBetweenThePagesLeadsToAPage() {
        const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
        QVERIFY(pages.contains(QStringLiteral("contents.html")));
        const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)"));
        int links = 0;
        for (const QString& page : pages) {
            QFile file(QStringLiteral(":/help/") + page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
                ++links;
                QVERIFY2(pages.contains(match.captured(1)),
                         qPrintable(page + QStringLiteral(" -> ") + match.captured(1)));
            }
            if (page != QStringLiteral("contents.html")) {
                QVERIFY2(html.contains(QStringLiteral("href=\"contents.html\"")), qPrintable(page));
            }
            // Each page tells how its window closes.
            QVERIFY2(html.contains(QStringLiteral("close")), qPrintable(page));
        }
        QVERIFY(links > pages.size());
    }

    void arrowKeysMoveACaretThatAScreenReaderReads() {
        frmHelp* window = Request(QStringLiteral("HALDUCNV.HLP"), HelpCommand::Context, kHelpContextCalculator);
        QTextBrowser* text = window->txtHelp;
        text->moveCursor(QTextCursor::Start);
        QTest::keyClick(text, Qt::Key_Down);
        QTest::keyClick(text, Qt::Key_Right);
        const int caret = text->textCursor().position();
        QVERIFY(caret > 1);
        QCOMPARE(QAccessible::queryAccessibleInterface(text)->textInterface()->cursorPosition(), caret);
        QVERIFY(text->isReadOnly());
    }

    void aScreenReaderHearsThePageOpenedAndTheLinkTabSelects() {
        frmHelp* window = Request(QStringLiteral("HALDUCNV.HLP"), HelpCommand::Contents, 0);
        auto* notice = window->findChild<QWidget*>(QStringLiteral("helpNotice"));
        QVERIFY(notice != nullptr);
        const auto heard = [notice] { return QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name); };
        QCOMPARE(heard(), QStringLiteral("Page: Halden Unit Converter Help"));
        QTest::keyClick(window->txtHelp, Qt::Key_Tab);
        const QString link = window->txtHelp->textCursor().selectedText();
        QVERIFY(!link.isEmpty());
        QCOMPARE(heard(), QStringLiteral("Link: ") + link);
    }
};

QTEST_MAIN(HelpTest)
#include "shared/process_state.h"
#include "test_frmHelp.moc"
