// The main window: the two unit lists with the input and result boxes, the menus, the copy
// history, the four tool buttons, and the program's start-up and shutdown.
//
// The window also owns the reduced icon window and the calculator window; the companion windows
// (constants, equivalence, Add Units) are set from outside through their pointers.
#pragma once

#include "catalogue/menu_texts.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace halden {

class ToolButtonFace;
class UnitList;
class frmCal;
class frmMini;
class UnitFinder;

class frmConvert : public QMainWindow {
    Q_OBJECT

public:
    explicit frmConvert(QWidget* parent = nullptr);
    ~frmConvert() override;
    Q_DISABLE_COPY_MOVE(frmConvert)

    // Controls.
    QGroupBox* fraConvFrom = nullptr;
    QLineEdit* txtInput = nullptr;
    UnitList* lstConvFrom = nullptr;
    QGroupBox* fraConvInto = nullptr;
    QLineEdit* txtResult = nullptr;
    UnitList* lstConvInto = nullptr;
    QLabel* imgHand = nullptr;
    QLabel* lblHidden = nullptr;
    QPushButton* cmdConvert = nullptr;
    ToolButtonFace* picPaste = nullptr;
    ToolButtonFace* picShrink = nullptr;
    ToolButtonFace* picCal = nullptr;
    ToolButtonFace* picCopy = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileMinimize = nullptr;
    QAction* mnuFileBar = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuEditCopy = nullptr;
    QAction* mnuEditCopyVResult = nullptr;
    QAction* mnuEditCopyCResult = nullptr;
    QMenu* mnuEditPaste = nullptr;
    QAction* mnuEditPasteVInput = nullptr;
    QAction* mnuEditPasteCInput = nullptr;
    QMenu* mnuHistory = nullptr;
    QAction* mnuEditFind = nullptr;
    std::array<QAction*, kHistoryItems> mnuHistoryArray{};
    QMenu* mnuConvert = nullptr;
    std::array<QAction*, kConvCaptions.size()> mnuConvArray{};
    QMenu* mnuConvComp = nullptr;
    std::array<QAction*, kConvCompCaptions.size()> mnuConvCompArray{};
    QMenu* mnuConvOther = nullptr;
    std::array<QAction*, kConvOtherCaptions.size()> mnuConvOtherArray{};
    QMenu* mnuUser = nullptr;
    std::array<QAction*, kUserGroups> mnuUserArray{};
    QAction* mnuConvDecimal = nullptr;
    QAction* mnuConvConst = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuOptionsFig = nullptr;
    std::array<QAction*, kOptionsFigCaptions.size()> mnuOptionsFigArray{};
    QMenu* mnuOptionsForm = nullptr;
    std::array<QAction*, kOptionsFormCaptions.size()> mnuOptionsFormArray{};
    QMenu* mnuOptionsFocus = nullptr;
    std::array<QAction*, kOptionsFocusCaptions.size()> mnuOptionsFocusArray{};
    QAction* mnuShowTop = nullptr;
    QAction* mnuUserDef = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuAbout = nullptr;
    QMenu* mnuWarp = nullptr;
    std::array<QAction*, kWarpLevels> mnuWarpArray{};

    // Companion windows, set by whoever creates them; the main window hides and re-shows them.
    QPointer<QWidget> constantsWindow;
    QPointer<QWidget> equivWindow;
    QPointer<QWidget> userWindow;

    // Layout values shared with the tool buttons.
    int nButtonWidth = 0;
    int nCaptionTop = 0;

    /// The icon window while the reduced shape is shown, else nullptr.
    frmMini* miniWindow() const;
    /// The unit finder while it has been opened once, else nullptr.
    UnitFinder* unitFinder() const;
    /// The calculator window, loaded (not shown) on first use.
    frmCal* calculatorWindow();
    /// The raw texts of the history items, newest first (what a history item puts on the clipboard).
    const std::array<QString, kHistoryItems>& historyTexts() const { return historyText_; }
    int historyCount() const { return nHistory_; }

    /// Hides the window (the reduced shape, or a save-failure message); it keeps its place.
    void ParkMainWindow();
    /// Moves the window to its saved position and shows it.
    void RestoreMainWindow();
    /// A second start of the program: the full window comes to the front with the keyboard,
    /// restored from the task bar or from the reduced shape (as choosing the group shown from the
    /// icon's menu does); a dialog open over it stays in front of it. While the program ends, only
    /// the message it waits on comes forward.
    void BringToFront();
    /// Closes the icon window if it is open (it records its position as it goes).
    void UnloadMiniWindow();
    /// Raises or releases the window's topmost state.
    void SetAlwaysOnTop(bool onTop);
    /// Records the open windows' positions and writes the configuration file.
    void SaveSettings();

public slots:
    /// The convert command: the input converted into the result box, or "Input error".
    void cmdConvert_Click();
    /// Shows the user groups in the Additional Units menu as their names say.
    void ApplyUserMenu();

    // Tool buttons.
    void lblPaste_Click();
    void lblShrink_Click();
    void lblCal_Click();
    void lblCopy_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // the hidden label's clicks

private:
    // Construction steps, in this order.
    void createControls();
    void createMenus();
    void connectHandlers();
    void connectMenus();
    void connectToolButtonKeys();
    void Form_Load();
    void arrangeControls();

    // The flow of selection and conversion.
    void OpenSelectedGroup(bool deleted);
    void FillLists();
    void RefillKeepingChoices();
    void SwitchGroup(GroupMenuKind kind, int index);
    void SwitchMenus(GroupMenuKind kind, int index);
    void SetCaption();
    void CheckOptionItems();
    void lstConvFrom_Click();
    void lstConvInto_Click();
    void lstConvInto_Enter();
    void lstConv_KeyUp();
    void txtInput_Change();
    bool BothEntriesChosen() const;
    void HistoryAdd();
    void ShowMiniWindow();
    void mini_ConvertMenu();
    void mini_FileMenu();
    void Form_Resize();
    void ToggleSystemColours(bool shiftHeld);

    // Menu handlers receiving the item's index.
    void mnuOptionsFigArray_Click(int index);
    void mnuOptionsFormArray_Click(int index);
    void mnuOptionsFocusArray_Click(int index);
    void mnuShowTop_Click();
    void mnuHistoryArray_Click(int index);
    void mnuWarpArray_Click(int index);
    void mnuFileExit_Click();
    void mnuFileMinimize_Click();
    void mnuEditCopyVResult_Click();
    void mnuEditCopyCResult_Click();
    void mnuEditPasteVInput_Click();
    void mnuEditPasteCInput_Click();

    // The unit finder.
    void mnuEditFind_Click();
    void FoundUnit_Chosen(int group, int unit, bool asInto);

    // The companion windows.
    void mnuConvConst_Click();
    void mnuUserDef_Click();
    void userWindow_Saved();
    void mnuContents_Click();
    void mnuAbout_Click();
    void lblHidden_Click();
    void connectWindowKeys();
    bool lblHiddenEvent(QObject* watched, QEvent* event);

    QWidget* client_ = nullptr;
    QPointer<frmMini> mini_;
    QPointer<frmCal> cal_;
    QPointer<UnitFinder> finder_;
    int nPrevFrom_ = 0;
    int nHistory_ = 0;
    std::array<QString, kHistoryItems> historyText_{};
    bool shutDown_ = false;
};

}  // namespace halden
