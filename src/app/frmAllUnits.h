// The All Units window: the value of the main window's input box in every unit of the group
// shown, one row a unit with the result text the result box would show for it. The From unit's
// row is marked. Enter or a double-click on a row copies "result unit" (the main window adds the
// history entry), Ctrl+C copies the whole table as tab-separated lines, Escape closes.
//
// The main window feeds it: it calls Refresh at every change of what the results depend on, and
// hides and re-shows it with its own shapes.
#pragma once

#include "catalogue/all_units.h"
#include "shared/process_state.h"
#include "storage/side_file.h"

#include <QTableWidget>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace halden {

/// The table of units and results: Enter chooses the current row, Ctrl+C asks for a copy of all.
class UnitResultTable final : public QTableWidget {
    Q_OBJECT

public:
    explicit UnitResultTable(QWidget* parent);
    Q_DISABLE_COPY_MOVE(UnitResultTable)

signals:
    void rowChosen(int row);
    void copyAllRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class frmAllUnits final : public QWidget {
    Q_OBJECT

public:
    explicit frmAllUnits(QWidget* parent, const Session& session = ProcessSession());
    ~frmAllUnits() override;
    Q_DISABLE_COPY_MOVE(frmAllUnits)

    QLabel* lblValue = nullptr;
    UnitResultTable* grdUnits = nullptr;

    /// Shows the results for input: a row for every unit the group converts into. fromName is the
    /// From unit's name as its list shows it ("" when none is chosen).
    void Refresh(const AllUnitsInput& input, int warpIdx, const QString& fromName);

    /// Opened by the user: shown at its stored place (or beside the main window) and raised.
    void Open(const std::optional<WindowPlace>& stored, const QWidget* mainWindow);
    /// Hidden with the main window (minimised or reduced); it stays open for ShowWithMain.
    void HideWithMain();
    /// The main window is back: shown again when the user had it open.
    void ShowWithMain();
    /// Where it is now when shown, else where it was last shown; nothing before its first showing,
    /// nor where the platform cannot tell where windows are.
    std::optional<WindowPlace> Place() const;

    /// The text Ctrl+C copies: a line for each row, its unit and result apart by a tab.
    QString TableText() const;

signals:
    /// A row was chosen to copy: the main window puts "result unit" on the clipboard and adds the
    /// history entry its Copy button would for that unit.
    void rowCopied(int unit, const QString& result);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Session session_;
    void createControls();
    void connectHandlers();
    void FillNames(int group);
    void MarkFromRow(int row);
    void grdUnits_RowChosen(int row);
    void grdUnits_CopyAll();
    void NotePlace();

    int group_ = -1;
    int markedRow_ = -1;
    std::vector<std::string> names_;    // the unit names of the rows
    std::vector<std::string> results_;  // the result texts, reused between refreshes
    std::optional<WindowPlace> place_;
    bool open_ = false;
};

}  // namespace halden
