// The flow from a group to the lists: the group chosen (menus, start-up, Add Units' changes) fills
// the two lists of the conversion panel, which converts as units are chosen and the value typed.
#include "app/unit_list.h"
#include "catalogue/menu_texts.h"
#include "catalogue/unit_catalogue.h"
#include "numbers/characters.h"
#include "shared/process_state.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "shared/ui_text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

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
    const auto g = static_cast<std::size_t>(session_.settings.pnSelUnitGrp);
    setWindowTitle(QStringLiteral(" Halden Unit Converter - ") + ToQString(session_.catalogue.GroupName[g]));
}

// Shows the selected group as start-up does, without a switch's return from the reduced shape:
// its menu item checked, the caption and both lists, nothing chosen. A group that no longer
// exists gives way to the first group: a number no menu offers (only an edited file holds one),
// or a user group deleted in Add Units while it was shown.
void frmConvert::OpenSelectedGroup(bool deleted) {
    Settings& set = session_.settings;
    if (deleted || set.pnSelUnitGrp < 0 || set.pnSelUnitGrp >= kGroupCount) {
        set.pnSelUnitGrp = 0;
    }
    const GroupMenuItem item = GroupMenuItemOf(set.pnSelUnitGrp);
    SwitchMenus(item.kind, item.index);
    SetCaption();
    FillLists();
}

void frmConvert::FillLists() {
    const int g = session_.settings.pnSelUnitGrp;
    const auto& cat = session_.catalogue;
    const int count = cat.UnitCount[static_cast<std::size_t>(g)];
    session_.settings.pnSelUnitItem = static_cast<std::int16_t>(count);
    QStringList names;
    for (int i = 0; i < count && i < kUnitSlots; ++i) {
        names.append(ToQString(cat.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]));
    }
    panel_->ShowUnits(names, g == kGroupVelocity);
    UpdateAllUnits();
}

void frmConvert::connectUserUnits() {
    userUnitsStore_.AddListener([this] { UserUnitsSaved(); });
}

// Add Units saved: it changes only the user groups. A user group shown in the lists is shown again as it is
// now, or, deleted, gives way to the first group; the finder then offers what the lists hold.
void frmConvert::UserUnitsSaved() {
    ApplyUserMenu();
    const int g = session_.settings.pnSelUnitGrp;
    if (!IsUserGroup(g)) {
        return;
    }
    if (IsSpacesOnly(session_.catalogue.GroupName[static_cast<std::size_t>(g)])) {
        OpenSelectedGroup(true);
        panel_->Result()->setText(QString());
        RestoreRememberedUnits();
        return;
    }
    SetCaption();
    RefillKeepingChoices();
}

// The units of the group shown have changed: the lists show the new names, and a unit chosen
// stays chosen where the refilled list still holds an entry of its name. The result is worked out
// again, so that it never stands beside units it was not converted between.
void frmConvert::RefillKeepingChoices() {
    const int oldFrom = panel_->FromList()->currentRow();
    const int oldInto = panel_->IntoList()->currentRow();
    // The Into list shows the From unit's entry blank; the From list holds the name behind it.
    const auto nameAt = [this](int row) {
        return row >= 0 && row < panel_->FromList()->count() ? panel_->FromList()->item(row)->text() : QString();
    };
    const QString fromName = nameAt(oldFrom);
    const QString intoName = nameAt(oldInto);
    FillLists();
    const int from = oldFrom >= 0 ? RowNamed(panel_->FromList(), fromName, oldFrom) : -1;
    const int into = oldInto >= 0 ? RowNamed(panel_->FromList(), intoName, oldInto) : -1;
    if (from >= 0) {
        // Chosen as a click chooses it: the Into entry beside it turns blank.
        panel_->FromList()->Choose(from);
    }
    if (into >= 0) {
        // Chosen back by the program, not by the user: the focus stays where it is.
        const QSignalBlocker quiet(panel_->IntoList());
        panel_->IntoList()->setCurrentRow(into);
    }
    if (!panel_->Input()->text().isEmpty() && panel_->BothEntriesChosen()) {
        panel_->Convert();
    } else {
        panel_->Result()->setText(QString());
    }
}

void frmConvert::SwitchGroup(GroupMenuKind kind, int index) {
    const int group = GroupOfMenuItem(kind, index);
    if (group < 0) {
        return;
    }
    Settings& set = session_.settings;
    panel_->Input()->setEnabled(true);
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
    panel_->Result()->setText(QString());
    RestoreRememberedUnits();
}

void frmConvert::mnuWarpArray_Click(int index) {
    session_.state.WarpIdx = static_cast<std::int16_t>(index);
    panel_->SetWarpLevelName(ToQString(session_.catalogue.WarpName[static_cast<std::size_t>(index)]).trimmed());
}

}  // namespace halden
