// The Add Units dialog: the user names his twenty user groups and types, for each, up to ten units
// with a factor and an optional offset.
//
// The dialog edits a working copy of the user-units tables, loaded when it opens. Save puts the
// copy into the tables with the blank rows between a group's units closed up, rebuilds the user
// groups of the catalogue, tells the main window (saved()) so it can update its Additional Units
// menu, writes the user units file (naming the texts too long for it, which it leaves out) and
// closes; when another program changed the file since this one read it, Save first asks whether to
// replace it. Cancel and the close box close without changing anything, after asking whether to
// save edits made. Reducing the main window only hides the dialog; the main window closing (by the
// user, a signal or the end of the session) keeps unsaved edits in a recovery file that the next
// opening offers to restore. The dialog deletes itself when it closes, so the next opening starts
// afresh.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <QWidget>

#include <array>
#include <string>

class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace halden {

class frmUser : public QWidget {
    Q_OBJECT

public:
    /// Builds the dialog and loads its working copy from userUnits(). It is shown by the caller.
    explicit frmUser(QWidget* parent = nullptr);
    ~frmUser() override;
    Q_DISABLE_COPY_MOVE(frmUser)

    static constexpr int kRows = kUserUnitsUsed;

    QGroupBox* fraUserGroups = nullptr;
    QGroupBox* fraUserUnits = nullptr;
    QGroupBox* fraUserCoefs = nullptr;
    QComboBox* cboUserGroups = nullptr;
    std::array<QLineEdit*, kRows> txtUserUnit{};
    std::array<QLineEdit*, kRows> txtUserCoef{};
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    /// The user group shown in the ten rows, 0..19.
    int CurrentGroup() const { return nCurGroup; }

    void cboUserGroups_Click(int index);
    void cboUserGroups_Change();
    void cboUserGroups_DropDown();
    void txtUserUnit_Change(int index);
    void txtUserCoef_Change(int index);
    void cmdSave_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    /// Whether the user edited anything since the dialog opened or last saved.
    bool HasUnsavedEdits() const { return edited_; }
    /// Hides the dialog with its edits while the main window takes its reduced shape.
    void HideForReduce();
    /// Whether the dialog was hidden by the reduced shape and not shown since.
    bool HiddenForReduce() const { return hiddenForReduce_; }

    /// Records how the user units file looks now, as the program reads it (at start-up) or after
    /// it wrote it; Save asks before replacing a file that no longer looks so.
    static void NoteUserFileRead();
    /// Where the edits of a session that ended with the dialog unsaved are kept.
    static std::string RecoveryFilePath();

signals:
    /// Emitted once by Save, after the user groups of the catalogue are rebuilt and before the file
    /// is written: the main window updates its Additional Units menu from the new group names.
    void saved();
    /// Emitted around the message of a failed file write: the main window steps out of sight
    /// while the message is shown and comes back at its place afterwards.
    void writeFailureShowing();
    void writeFailureShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class WriteFailureSink;

    void createControls();
    void arrangeControls();
    void connectHandlers();
    void Form_Load();
    /// unloadMode 0: the user closed the window from its close box or window menu.
    void Form_QueryUnload(int unloadMode);

    /// Puts the working copy into use and writes the file. False, with nothing changed, when the
    /// user chose to keep a version another program wrote.
    bool SaveUnits();
    /// Asks whether to save the edits before closing; true when the dialog may close (saved or
    /// discarded), false to keep it open.
    bool AskToSaveBeforeClosing();
    void KeepEditsForNextSession();
    void OfferRecoveredEdits();
    /// Shows the working copy's group names and the first group's rows.
    void ShowWorkingCopy();

    /// Shows the current group's units in the ten rows.
    void ShowGroupRows(const UserUnits& from);
    // Set a control's text from code; its change handler runs once, as it would for typing, even
    // when the text does not change.
    void SetUnitText(int index, const QString& text);
    void SetCoefText(int index, const QString& text);
    void SetComboText(const QString& text);
    /// Paints a row's boxes: yellow for a coefficient rejected or a text the file cannot store.
    void PaintRow(int index);

    UserUnits working{};  // only the four text tables are used
    int nCurGroup = 0;
    std::array<bool, kRows> coefRejected_{};
    bool edited_ = false;
    bool hiddenForReduce_ = false;
};

}  // namespace halden
