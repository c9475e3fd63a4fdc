// The program's help: HTML pages compiled into the program, shown in a small browser window.
//
// InstallProgramHelp() makes this window the platform's help viewer. A request for the program's
// help file ("HALDUCNV.HLP", in any letter case) opens the contents page, or for a context number
// the page of that topic: 17 the constants window, 18 the Add Units dialog, 19 the calculator. The unit groups page
// is written from the catalogue each time it is shown.
#pragma once

#include "shared/process_state.h"

#include "shared/platform.h"

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace halden {

class frmHelp : public QWidget {
    Q_OBJECT

public:
    /// session: the catalogue the unit groups page is written from.
    explicit frmHelp(QWidget* parent = nullptr, const Session& session = ProcessSession());
    ~frmHelp() override;
    Q_DISABLE_COPY_MOVE(frmHelp)

    QTextBrowser* txtHelp = nullptr;
    QPushButton* cmdContents = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;

    /// Shows one page of the help, by its file name ("contents.html").
    void ShowPage(const QString& page);
    /// Shows the window in front with the keyboard, out of the minimised state if it was in it.
    void BringToFront();

    void cmdContents_Click();

    /// Keeps the window, frame included, within its screen's free area: smaller than designed
    /// where the area is smaller, moved no further than it must.
    void FitAvailableScreen();

private:
    void connectSpokenLinks();
    // The window's size as designed, in pixels; never more than the screen's free area.
    static constexpr int kDesignWidth = 560;
    static constexpr int kDesignHeight = 520;

    void createControls(const UnitCatalogue& catalogue);
    void arrangeControls();
    void connectHandlers();
};

/// The page a help request opens, or the empty text when helpFile is not the program's help file.
/// An empty helpFile counts as the program's own.
QString HelpPageFor(const QString& helpFile, HelpCommand command, int context);

/// Installs the help window as the platform's help viewer; called once at start-up. The session's
/// catalogue writes the unit groups page; its settings say whether help floats with the windows.
void InstallProgramHelp(const Session& session = ProcessSession());

/// The help window while it is open, else nullptr.
frmHelp* OpenHelpWindow();

}  // namespace halden
