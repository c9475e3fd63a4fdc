// The main window's All Units window (Convert > All Units..., Ctrl+Shift+A), the swap of the two
// units (Edit > Swap Units, Ctrl+Shift+S) and the units remembered for each group between runs.
#include "app/unit_list.h"
#include "catalogue/all_units.h"
#include "catalogue/menu_texts.h"
#include "shared/process_state.h"
#include "storage/side_file.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace halden {

void frmConvert::connectAllUnits() {
    connect(menus_.mnuConvAllUnits, &QAction::triggered, this, &frmConvert::mnuConvAllUnits_Click);
    connect(menus_.mnuEditSwap, &QAction::triggered, this, &frmConvert::mnuEditSwap_Click);
    // Connected after the window's own handlers, so that the table follows what they did.
    connect(panel_->Input(), &QLineEdit::textChanged, this, &frmConvert::UpdateAllUnits);
    connect(panel_->FromList(), &UnitList::unitChosen, this, &frmConvert::UpdateAllUnits);
    for (UnitList* list : {panel_->FromList(), panel_->IntoList()}) {
        connect(list, &UnitList::unitChosen, this, &frmConvert::RememberUnits);
    }
    // Digits, notation and the warp level change what every row shows.
    QList<QAction*> items(menus_.mnuOptionsFigArray.begin(), menus_.mnuOptionsFigArray.end());
    items.append(QList<QAction*>(menus_.mnuOptionsFormArray.begin(), menus_.mnuOptionsFormArray.end()));
    items.append(QList<QAction*>(menus_.mnuWarpArray.begin(), menus_.mnuWarpArray.end()));
    for (QAction* item : items) {
        connect(item, &QAction::triggered, this, &frmConvert::UpdateAllUnits);
    }
}

void frmConvert::mnuConvAllUnits_Click() {
    // The reduced shape shows no companion of the main window's lists.
    if (session_.settings.pnShapeFlag == 0) {
        return;
    }
    if (allUnits_.isNull()) {
        allUnits_ = new frmAllUnits(this, session_);
        connect(allUnits_, &frmAllUnits::rowCopied, this, &frmConvert::AllUnits_RowCopied);
    }
    allUnits_->Open(side_.allUnitsPlace, this);
    UpdateAllUnits();
}

void frmConvert::UpdateAllUnits() {
    frmAllUnits* window = allUnits_.data();
    if (window == nullptr || !window->isVisible()) {
        return;
    }
    const std::string text = ToStdString(panel_->Input()->text());
    AllUnitsInput input;
    input.group = session_.settings.pnSelUnitGrp;
    input.from = panel_->FromList()->currentRow();
    input.text = text;
    input.pnFigure = session_.settings.pnFigure;
    input.pnFormFlag = session_.settings.pnFormFlag;
    const QListWidgetItem* from = panel_->FromList()->currentItem();
    window->Refresh(input, session_.state.WarpIdx, from != nullptr ? from->text() : QString());
}

// A row copied from All Units is recorded as the Copy button records a result in that unit.
void frmConvert::AllUnits_RowCopied(int unit, const QString& result) {
    const QListWidgetItem* from = panel_->FromList()->currentItem();
    const QListWidgetItem* into = panel_->FromList()->item(unit);
    const QString intoName = into != nullptr ? into->text() : QString();
    CopyToClipboard(result + QLatin1Char(' ') + intoName);
    history_.Add(ToQString(HistoryCaption(
        session_.settings.pnSelUnitGrp, panel_->FromList()->currentRow(), unit, ToStdString(panel_->Input()->text()),
        from != nullptr ? ToStdString(from->text()) : std::string(), ToStdString(result), ToStdString(intoName))));
}

// The From unit becomes the Into unit and the other way round, chosen as clicks choose them; the
// value stays and is converted again. Both units must be chosen, and the From unit must be one the
// Into list offers (not Warp).
void frmConvert::mnuEditSwap_Click() {
    const int from = panel_->FromList()->currentRow();
    const int into = panel_->IntoList()->currentRow();
    if (!panel_->BothEntriesChosen() || from >= panel_->IntoList()->count() || !panel_->Input()->isEnabled()) {
        return;
    }
    panel_->FromList()->Choose(into);
    {
        // Chosen by the program: the focus stays where the user is.
        const QSignalBlocker quiet(panel_->IntoList());
        panel_->IntoList()->setCurrentRow(from);
    }
    RememberUnits();
    if (!panel_->Input()->text().isEmpty() && panel_->BothEntriesChosen()) {
        panel_->Convert();
    } else {
        panel_->Result()->setText(QString());
    }
}

void frmConvert::RememberUnits() {
    const int g = session_.settings.pnSelUnitGrp;
    if (g < 0 || g >= kGroupCount) {
        return;
    }
    // The Into list shows the From unit's entry blank; the From list holds every name.
    const auto remembered = [this](int row, bool chosen) {
        const QListWidgetItem* item = chosen ? panel_->FromList()->item(row) : nullptr;
        return item != nullptr ? RememberedUnit{row, ToStdString(item->text())} : RememberedUnit{};
    };
    const QListWidgetItem* into = panel_->IntoList()->currentItem();
    RememberedUnits& units = side_.units[static_cast<std::size_t>(g)];
    units.from = remembered(panel_->FromList()->currentRow(), true);
    units.into = remembered(panel_->IntoList()->currentRow(), into != nullptr && !into->text().isEmpty());
}

// The units last chosen in the group shown are chosen again: From as a click chooses it (Warp
// aside, whose level is chosen anew each time), Into quietly, and the value converted.
void frmConvert::RestoreRememberedUnits() {
    const int g = session_.settings.pnSelUnitGrp;
    if (g < 0 || g >= kGroupCount) {
        return;
    }
    const RememberedUnits units = side_.units[static_cast<std::size_t>(g)];
    const int from = RememberedRow(session_.catalogue, g, units.from);
    const int into = RememberedRow(session_.catalogue, g, units.into);
    const bool fromUsable =
        from >= 0 && from < panel_->FromList()->count() && !(g == kGroupVelocity && from == kWarpUnit);
    const bool intoUsable = into >= 0 && into < panel_->IntoList()->count() && into != (fromUsable ? from : -1);
    if (!fromUsable && !intoUsable) {
        return;
    }
    if (fromUsable) {
        panel_->FromList()->Choose(from);
    }
    if (intoUsable) {
        const QSignalBlocker quiet(panel_->IntoList());
        panel_->IntoList()->setCurrentRow(into);
    }
    RememberUnits();
    if (!panel_->Input()->text().isEmpty() && panel_->BothEntriesChosen()) {
        panel_->Convert();
    }
}

// The side file is written when it would change; it is the program's own convenience, so a
// failed write is left unreported and the old file stays as it was.
void frmConvert::SaveSideFile() {
    if (frmAllUnits* window = allUnits_.data()) {
        if (const std::optional<WindowPlace> place = window->Place()) {
            side_.allUnitsPlace = place;
        }
    }
    if (side_ != sideSaved_ && WriteSideFile(side_)) {
        sideSaved_ = side_;
    }
}

}  // namespace halden
