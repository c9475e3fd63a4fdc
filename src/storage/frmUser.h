// The Add Units dialog: the user names his twenty user groups and types, for each, up to ten units
// with a factor and an optional offset.
//
// The dialog edits a working copy of the user units, loaded from the store when it opens. Save
// hands the copy to the store, which puts it in use (the main window listens there) and writes the
// user units file; the dialog names the texts too long for it, which the file leaves out, and
// closes; when another program changed the file since this one read it, Save first asks whether to
// replace it, and replacing keeps the other version beside it. A box whose text is refused (a
// coefficient that is not a number, a text too long for the file) turns yellow and tells assistive
// tools why; Save names each row whose typed coefficient it did not take. A Save whose file cannot be written
// says why and leaves the dialog open with its edits still unsaved. Cancel and the close box close
// without changing anything, after asking whether to save edits made. Reducing the main window only
// hides the dialog; the main window closing (by the user, a signal or the end of the session) keeps
// unsaved edits in a recovery file that the next opening offers to restore, and says which units
// are lost when even that file cannot be written. The dialog deletes itself when it closes, so the
// next opening starts afresh.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"
#include "shared/process_state.h"
#include "storage/user_units_store.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

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
    /// Builds the dialog and loads its working copy from store. It is shown by the caller.
    explicit frmUser(UserUnitsStore& store, QWidget* parent = nullptr, const Session& session = ProcessSession());
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

    /// For the program's end: keeps the unsaved edits in the recovery file, for the next opening to
    /// offer, and clears the edited mark. When the file cannot be written, sink gets one message
    /// (UnkeptEditsMessage) that names the groups and units whose edits are lost and why, and the
    /// result is false. True when the edits are kept or there are none. Closing the dialog while
    /// the program ends calls it with a message box; a caller that wants the message elsewhere
    /// (standard error) calls it first with its own sink.
    bool KeepEditsForNextSession(MessageSink& sink);

signals:
    /// Emitted around the message of a failed file write: the main window steps out of sight
    /// while the message is shown and comes back at its place afterwards.
    void writeFailureShowing();
    void writeFailureShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Session session_;
    class WriteFailureSink;

    void createControls();
    void arrangeControls();
    void connectHandlers();
    void Form_Load();
    /// unloadMode 0: the user closed the window from its close box or window menu.
    void Form_QueryUnload(int unloadMode);

    /// Puts the working copy into use and writes the file. False when the user chose to keep a
    /// version another program wrote (nothing changed), or when the file could not be written (the
    /// new groups are in use for the run, the edits stay unsaved).
    bool SaveUnits();
    /// Asks whether to save the edits before closing; true when the dialog may close (saved or
    /// discarded), false to keep it open.
    bool AskToSaveBeforeClosing();
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
    /// Paints a row's boxes: yellow for a coefficient rejected or a text the file cannot store; and
    /// tells assistive tools the same.
    void PaintRow(int index);
    /// Tells assistive tools whether box's text is taken: its state, its description (`about`, what
    /// the box is for, then why the text is refused) and a notice that says a new refusal.
    void TellRefusal(QLineEdit* box, const QString& about, const QString& why);
    /// The coefficient texts typed but not taken, one line each by group and row, with what their
    /// rows keep instead; empty when every typed text was taken.
    std::string RefusedCoefTexts() const;

    UserUnitsStore& store_;
    UserUnits working{};  // only the four text tables are used
    int nCurGroup = 0;
    // Why each shown row's coefficient text is refused: not a number, or too long for the file;
    // empty when it is taken.
    std::array<QString, kRows> coefRefusal_{};
    // The coefficient texts typed and refused, by group and row, while their rows keep the last
    // accepted ones (empty where the row took what it shows): Save names them. A group left shows
    // its kept texts when it comes back, and they replace what was typed.
    std::array<std::array<QString, kRows>, kUserGroups> refusedCoefs_{};
    QWidget* refusalNotice_ = nullptr;
    bool edited_ = false;
    bool hiddenForReduce_ = false;
};

}  // namespace halden
