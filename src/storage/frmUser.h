// The Add Units dialog: the user names his twenty user groups and types, for each, up to ten units
// with a factor and an optional offset.
//
// The dialog edits a working copy of the user-units tables, loaded when it opens. Save puts the
// copy into the tables, rebuilds the user groups of the catalogue, tells the main window (saved())
// so it can update its Additional Units menu, writes the user units file and closes. Cancel and the
// close box close without changing anything. The dialog deletes itself when it closes, so the next
// opening starts from a fresh copy.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <QWidget>

#include <array>

class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

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

private:
    class WriteFailureSink;

    void createControls();
    void arrangeControls();
    void connectHandlers();
    void Form_Load();
    /// unloadMode 0: the user closed the window from its close box or window menu.
    void Form_QueryUnload(int unloadMode);

    /// Shows the current group's units in the ten rows.
    void ShowGroupRows(const UserUnits& from);
    // Set a control's text from code; its change handler runs once, as it would for typing, even
    // when the text does not change.
    void SetUnitText(int index, const QString& text);
    void SetCoefText(int index, const QString& text);
    void SetComboText(const QString& text);
    void PaintRow(int index, bool rejected);

    UserUnits working{};  // only the four text tables are used
    int nCurGroup = 0;
};

}  // namespace halden
