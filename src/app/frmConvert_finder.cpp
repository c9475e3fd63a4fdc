// The main window's unit finder: Edit > Find Unit... (Ctrl+F) and what choosing a unit does.
#include "app/unit_finder.h"
#include "app/unit_list.h"
#include "catalogue/menu_texts.h"
#include "shared/settings.h"

#include "app/frmConvert.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>

namespace halden {

UnitFinder* frmConvert::unitFinder() const { return finder_.data(); }

void frmConvert::mnuEditFind_Click() {
    // The reduced shape offers no finder: the main window is out of sight then.
    if (settings().pnShapeFlag == 0) {
        return;
    }
    if (finder_.isNull()) {
        finder_ = new UnitFinder(this);
        connect(finder_, &UnitFinder::unitChosen, this, &frmConvert::FoundUnit_Chosen);
    }
    finder_->Open(txtInput, width());
}

void frmConvert::FoundUnit_Chosen(int group, int unit, bool asInto) {
    if (settings().pnShapeFlag == 0 || group < 0 || group >= kGroupCount) {
        return;
    }
    if (group != settings().pnSelUnitGrp) {
        // The same switch as the group's menu item: caption, lists and check mark.
        const GroupMenuItem item = GroupMenuItemOf(group);
        SwitchGroup(item.kind, item.index);
    }
    UnitList* list = asInto ? lstConvInto : lstConvFrom;
    if (unit < 0 || unit >= list->count()) {
        return;
    }
    // Choosing the entry is the list's click, which converts when it can.
    list->Choose(unit);
    // The popup has just closed: the main window takes the keyboard back, in its input box.
    activateWindow();
    if (txtInput->isEnabled()) {
        txtInput->setFocus();
    }
}

}  // namespace halden
