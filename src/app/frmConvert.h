// The main window: the composition of its parts (the conversion panel with the two unit lists
// and the input and result boxes, the menus, the reduced shape with the icon window), the copy
// history, the four tool buttons, and the program's start-up and shutdown. It owns the calculator
// window and the companion windows (constants, equivalence, Add Units), each made on first use.
//
// Its code is cut by what it does:
//   frmConvert.cpp              construction, start-up (files read, window laid out), shutdown
//   frmConvert_controls.cpp     the tool buttons and the panel: made, named, arranged, connected
//   frmConvert_conversion.cpp   group → the panel's lists (the panel goes on to the result)
//   frmConvert_menus.cpp        what the menus' items do (the menus themselves: main_menus)
//   frmConvert_tool_buttons.cpp Paste, Calculator, Copy (and the copy history), the buttons' keys
//   frmConvert_reduced.cpp      Reduce, minimise and restore, a second start
//   frmConvert_companions.cpp   opening the companion windows, About and Help; Ctrl+E and F10
//   frmConvert_finder.cpp       Edit > Find Unit... and what choosing a found unit or an answer does
//   frmConvert_allunits.cpp     All Units, Swap Units and the units remembered for each group
// The controls and menus are its own; the window tests find them by their names, as a user does.
#pragma once

#include "app/companion_windows.h"
#include "app/conversion_panel.h"
#include "app/copy_history.h"
#include "app/main_menus.h"
#include "app/reduced_shape.h"
#include "catalogue/menu_texts.h"
#include "shared/process_state.h"
#include "storage/side_file.h"
#include "storage/user_units_store.h"

#include "shared/ui_window_place.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

namespace halden {

class MessageSink;
class ToolButton;
class frmAllUnits;
class frmCal;
class frmMini;
class UnitFinder;

class frmConvert : public QMainWindow {
    Q_OBJECT

public:
    explicit frmConvert(QWidget* parent = nullptr);
    ~frmConvert() override;
    Q_DISABLE_COPY_MOVE(frmConvert)

    /// The calculator window, loaded (not shown) on first use.
    frmCal* calculatorWindow();

    /// Hides the window (the reduced shape, or a save-failure message); it keeps its place.
    void ParkMainWindow();
    /// Moves the window to its saved position and shows it.
    void RestoreMainWindow();
    /// A second start of the program: the full window comes to the front with the keyboard,
    /// restored from the task bar or from the reduced shape (as choosing the group shown from the
    /// icon's menu does); a dialog open over it stays in front of it. While the program ends, only
    /// the message it waits on comes forward.
    void BringToFront();
    /// A question asked from outside the window (the desktop's search, a second start): the full
    /// window comes to the front (see BringToFront) and shows a value between two units of the
    /// lists there, converted as Ctrl+Enter in the finder shows it; any other question, or any
    /// question when inFinder, opens the unit finder holding it, with its answer or why it has none.
    /// While a message or dialog waits on the user, only that comes forward.
    void ShowQuestion(const QString& question, bool inFinder);
    /// Shows the user groups in the Additional Units menu as their names say.
    void ApplyUserMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // the hidden label's clicks

private:
    // Construction: the controls and menus are made and connected, then start-up reads the files
    // and lays the window out (arrangeControls).
    void createControls();
    void createMenus();
    void connectHandlers();
    void connectMenus();
    void connectToolButtons();
    void Form_Load();
    void arrangeControls();

    /// Records the open windows' positions and writes the configuration file; a failure goes to sink.
    void SaveSettings(MessageSink& sink);
    /// Raises or releases the window's topmost state.
    void SetAlwaysOnTop(bool onTop);

    // The flow of selection and conversion.
    void OpenSelectedGroup(bool deleted);
    void FillLists();
    void RefillKeepingChoices();
    /// The lists and the user menu follow the user units the store saved.
    void connectUserUnits();
    void UserUnitsSaved();
    void SwitchGroup(GroupMenuKind kind, int index);
    void SwitchMenus(GroupMenuKind kind, int index);
    void SetCaption();
    void CheckOptionItems();

    // The tool buttons; Copy adds a history entry.
    void lblPaste_Click();
    void lblCal_Click();
    void lblCopy_Click();
    void HistoryAdd();

    // The reduced shape.
    void lblShrink_Click();
    void Form_Resize();
    void ToggleSystemColours(bool shiftHeld);

    // Menu handlers receiving the item's index.
    void mnuShowTop_Click();
    void mnuWarpArray_Click(int index);
    void mnuFileExit_Click();
    void mnuFileMinimize_Click();
    void mnuEditCopyVResult_Click();
    void mnuEditCopyCResult_Click();
    void mnuEditPasteVInput_Click();
    void mnuEditPasteCInput_Click();

    // The unit finder.
    void mnuEditFind_Click();
    void OpenFinder(const QString& text);
    void FoundUnit_Chosen(int group, int unit, bool asInto);
    void FoundAnswer_Copied(const QString& text, const QString& entry);
    void FoundAnswer_Opened(int group, int from, int into, const QString& value);
    bool ShowFoundGroup(int group);
    void ReturnFromFinder();

    // The All Units window, the swap of the two units and the units remembered per group.
    void connectAllUnits();
    void mnuConvAllUnits_Click();
    void UpdateAllUnits();
    void AllUnits_RowCopied(int unit, const QString& result);
    void mnuEditSwap_Click();
    void RememberUnits();
    void RestoreRememberedUnits();
    void SaveSideFile();

    // The companion windows.
    void mnuConvConst_Click();
    void mnuUserDef_Click();
    void mnuContents_Click();
    void mnuAbout_Click();
    void lblHidden_Click();
    void connectWindowKeys();
    bool lblHiddenEvent(QObject* watched, QEvent* event);

    // The settings, state, catalogue and user units this window and its parts work with.
    Session session_;
    // The user's units and their file; Add Units hands its edits here, and the menus listen.
    UserUnitsStore userUnitsStore_;
    // Its own place: stored at the close as it stands, and at Reduce brought within the settings'
    // range, so that the window it comes back as is within reach.
    StoredPlace place_{session_.settings.Form_Convert_Left, session_.settings.Form_Convert_Top};
    // The controls, each named (objectName) as here; the conversion panel holds the rest.
    ConversionPanel* panel_ = nullptr;
    ToolButton* picPaste = nullptr;
    ToolButton* picShrink = nullptr;
    ToolButton* picCal = nullptr;
    ToolButton* picCopy = nullptr;
    MainMenus menus_;
    ReducedShape reduced_{menus_, session_};
    QWidget* client_ = nullptr;
    // Companion windows, null until first opened.
    QPointer<QWidget> constants_;
    QPointer<QWidget> equiv_;
    QPointer<QWidget> user_;
    QPointer<frmCal> cal_;
    QPointer<UnitFinder> finder_;
    QPointer<frmAllUnits> allUnits_;
    SideFile side_;          // the units last chosen in each group and the All Units window's place
    SideFile sideSaved_;     // what the side file holds: a save writes only when side_ differs
    int mainFormWidth_ = 0;  // outer width in twips at the last layout; the calculator's least
    CopyHistory history_{menus_.mnuHistory, menus_.mnuHistoryArray};
    CompanionWindows companions_{constants_, equiv_, user_, session_.state};
    bool shutDown_ = false;
};

}  // namespace halden
