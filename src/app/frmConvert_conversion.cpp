// The flow from a group to a result: the group chosen (menus, start-up, Add Units' changes) fills
// the two lists; choosing units and typing the value convert through the core's convert command.
#include "app/unit_list.h"
#include "catalogue/convert_command.h"
#include "catalogue/menu_texts.h"
#include "catalogue/unit_catalogue.h"
#include "shared/process_state.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>

#include <string>

namespace halden {
namespace {

// The row of an entry named name in a refilled list: its old row while that still holds the name
// (two units may share one), else the first entry of that name; -1 when the name is gone.
int RowNamed(const QListWidget* list, const QString& name, int oldRow) {
    if (oldRow >= 0 && oldRow < list->count() && list->item(oldRow)->text() == name) {
        return oldRow;
    }
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == name) {
            return row;
        }
    }
    return -1;
}

}  // namespace

void frmConvert::SetCaption() {
    const auto g = static_cast<std::size_t>(settings().pnSelUnitGrp);
    setWindowTitle(QStringLiteral(" Halden Unit Converter - ") + ToQString(catalogue().GroupName[g]));
}

// Shows the selected group as start-up does, without a switch's return from the reduced shape:
// its menu item checked, the caption and both lists, nothing chosen. A group that no longer
// exists gives way to the first group: a number no menu offers (only an edited file holds one),
// or a user group deleted in Add Units while it was shown.
void frmConvert::OpenSelectedGroup(bool deleted) {
    Settings& set = settings();
    if (deleted || set.pnSelUnitGrp < 0 || set.pnSelUnitGrp >= kGroupCount) {
        set.pnSelUnitGrp = 0;
    }
    const GroupMenuItem item = GroupMenuItemOf(set.pnSelUnitGrp);
    SwitchMenus(item.kind, item.index);
    SetCaption();
    FillLists();
}

void frmConvert::FillLists() {
    const int g = settings().pnSelUnitGrp;
    const auto& cat = catalogue();
    const int count = cat.UnitCount[static_cast<std::size_t>(g)];
    settings().pnSelUnitItem = static_cast<std::int16_t>(count);
    QStringList names;
    for (int i = 0; i < count && i < kUnitSlots; ++i) {
        names.append(ToQString(cat.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]));
    }
    lstConvFrom->Fill(names);
    // Warp can only be converted from.
    if (g == kGroupVelocity && !names.isEmpty()) {
        names.removeLast();
    }
    lstConvInto->Fill(names);
    UpdateAllUnits();
}

// The units of the group shown have changed: the lists show the new names, and a unit chosen
// stays chosen where the refilled list still holds an entry of its name. The result is worked out
// again, so that it never stands beside units it was not converted between.
void frmConvert::RefillKeepingChoices() {
    const int oldFrom = lstConvFrom->currentRow();
    const int oldInto = lstConvInto->currentRow();
    // The Into list shows the From unit's entry blank; the From list holds the name behind it.
    const auto nameAt = [this](int row) {
        return row >= 0 && row < lstConvFrom->count() ? lstConvFrom->item(row)->text() : QString();
    };
    const QString fromName = nameAt(oldFrom);
    const QString intoName = nameAt(oldInto);
    FillLists();
    const int from = oldFrom >= 0 ? RowNamed(lstConvFrom, fromName, oldFrom) : -1;
    const int into = oldInto >= 0 ? RowNamed(lstConvFrom, intoName, oldInto) : -1;
    if (from >= 0) {
        // Chosen as a click chooses it: the Into entry beside it turns blank.
        lstConvFrom->Choose(from);
    }
    if (into >= 0) {
        // Chosen back by the program, not by the user: the focus stays where it is.
        const QSignalBlocker quiet(lstConvInto);
        lstConvInto->setCurrentRow(into);
    }
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    } else {
        txtResult->setText(QString());
    }
}

void frmConvert::SwitchGroup(GroupMenuKind kind, int index) {
    const int group = GroupOfMenuItem(kind, index);
    if (group < 0) {
        return;
    }
    Settings& set = settings();
    txtInput->setEnabled(true);
    reduced_.UnloadIconWindow();
    SwitchMenus(kind, index);
    set.pnSelUnitGrp = static_cast<std::int16_t>(group);
    if (set.pnShapeFlag == 0) {
        RestoreMainWindow();
        companions_.BringBackAddUnits();
        if (!allUnits_.isNull()) {
            allUnits_->ShowWithMain();
        }
    }
    set.pnShapeFlag = 1;
    SetCaption();
    FillLists();
    txtResult->setText(QString());
    RestoreRememberedUnits();
}

bool frmConvert::BothEntriesChosen() const {
    const QListWidgetItem* from = lstConvFrom->currentItem();
    const QListWidgetItem* into = lstConvInto->currentItem();
    return from != nullptr && into != nullptr && !from->text().isEmpty() && !into->text().isEmpty();
}

void frmConvert::cmdConvert_Click() {
    const std::string text = ToStdString(txtInput->text());
    const std::string previous = ToStdString(txtResult->text());
    const QListWidgetItem* intoItem = lstConvInto->currentItem();
    ConvertInput input;
    input.group = settings().pnSelUnitGrp;
    input.from = lstConvFrom->currentRow();
    // The blank entry stands for the From unit itself and is no target.
    input.into = intoItem != nullptr && !intoItem->text().isEmpty() ? lstConvInto->currentRow() : -1;
    input.text = text;
    input.pnFigure = settings().pnFigure;
    input.pnFormFlag = settings().pnFormFlag;
    input.previousResult = previous;
    PlatformMessageSink sink(this);
    txtResult->setText(ToQString(ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink)));
}

void frmConvert::lstConvFrom_Click() {
    const int index = lstConvFrom->currentRow();
    if (index < 0) {
        return;
    }
    const int g = settings().pnSelUnitGrp;
    if (QListWidgetItem* blank = lstConvInto->item(index)) {
        blank->setText(QString());
    }
    const bool prevIsWarp = g == kGroupVelocity && nPrevFrom_ == kWarpUnit;
    if (nPrevFrom_ >= 0 && nPrevFrom_ < settings().pnSelUnitItem && nPrevFrom_ != index && !prevIsWarp) {
        if (QListWidgetItem* restored = lstConvInto->item(nPrevFrom_)) {
            restored->setText(lstConvFrom->item(nPrevFrom_)->text());
        }
    }
    nPrevFrom_ = index;
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    }
    // The chosen target may just have turned blank: a result beside no target would read as a
    // false equation (and Copy would record it).
    if (const QListWidgetItem* into = lstConvInto->currentItem(); into != nullptr && into->text().isEmpty()) {
        txtResult->setText(QString());
    }
    if (g == kGroupVelocity && index == kWarpUnit) {
        if (lstConvFrom->ChoosingByKey()) {
            // Chosen with a key: the menu opens beside the chosen entry, wherever the mouse is.
            const QRect entry = lstConvFrom->visualItemRect(lstConvFrom->currentItem());
            platform().PopupMenuAt(this, menus_.mnuWarp, lstConvFrom->viewport()->mapToGlobal(entry.topRight()));
        } else {
            platform().PopupMenu(this, menus_.mnuWarp);
        }
        txtInput->setEnabled(false);
    } else {
        txtInput->setEnabled(true);
    }
}

void frmConvert::lstConvInto_Click() {
    // A click hands the focus on to the input box where Focus Shift is Auto; a key leaves it in
    // the list, so that the arrow keys can go on through it (Enter hands it on instead).
    if (!lstConvInto->ChoosingByKey()) {
        lstConvInto_Enter();
    }
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    }
    const QListWidgetItem* into = lstConvInto->currentItem();
    if (into != nullptr && into->text().isEmpty()) {
        txtResult->setText(QString());
    }
}

void frmConvert::lstConvInto_Enter() {
    if (settings().pnFocusFlag == 0 && txtInput->isEnabled()) {
        txtInput->setFocus();
    }
}

void frmConvert::lstConv_KeyUp() {
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    }
}

void frmConvert::txtInput_Change() {
    ProcessState& st = state();
    if (!txtInput->text().isEmpty() && st.pbInputReady) {
        cmdConvert_Click();
    }
    st.pbInputReady = true;
}

void frmConvert::mnuWarpArray_Click(int index) {
    state().WarpIdx = static_cast<std::int16_t>(index);
    const QString level = ToQString(catalogue().WarpName[static_cast<std::size_t>(index)]).trimmed();
    if (txtInput->text() == level) {
        // The same text raises no change, but the level (and so the value) did change.
        txtInput_Change();
    } else {
        txtInput->setText(level);
    }
}

}  // namespace halden
