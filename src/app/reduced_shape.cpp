#include "app/reduced_shape.h"

#include "app/main_menus.h"

#include "app/frmMini.h"
#include "shared/platform.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace halden {

ReducedShape::ReducedShape(MainMenus& menus, const Session& session, QObject* parent)
    : QObject(parent), menus_(menus), session_(session) {}

ReducedShape::~ReducedShape() { delete mini_.data(); }

frmMini* ReducedShape::IconWindow() const { return mini_.data(); }

void ReducedShape::ShowIconWindow() {
    if (mini_.isNull()) {
        mini_ = new frmMini(session_);
        connect(mini_, &frmMini::closeRequested, this, &ReducedShape::closeRequested);
        connect(mini_, &frmMini::convertMenuRequested, this, &ReducedShape::ConvertMenu);
        connect(mini_, &frmMini::fileMenuRequested, this, &ReducedShape::FileMenu);
        connect(mini_, &frmMini::restoreRequested, this, &ReducedShape::restoreRequested);
    }
    mini_->show();
}

void ReducedShape::UnloadIconWindow() {
    if (frmMini* mini = mini_.data()) {
        mini_.clear();
        mini->Unload();
    }
}

void ReducedShape::ConvertMenu(bool byKey) {
    emit convertMenuOpening();
    // The icon's menu offers what it always did; All Units belongs to the full shape.
    menus_.mnuConvAllUnits->setVisible(false);
    PopupFromIcon(menus_.mnuConvert, byKey);
    menus_.mnuConvAllUnits->setVisible(true);
}

// The icon window's File menu offers Minimize and its own Exit caption; the main window's menu bar
// goes back to its usual items once the popup closes.
void ReducedShape::FileMenu(bool byKey) {
    menus_.ShowIconFileMenu(true);
    PopupFromIcon(menus_.mnuFile, byKey);
    menus_.ShowIconFileMenu(false);
}

// A click pops the menu up at the mouse. A key pops it up below the icon with its first item
// chosen, as a menu opened from the keyboard is: the arrow keys and Enter go on from there, and a
// screen reader reads the item at once.
void ReducedShape::PopupFromIcon(QMenu* menu, bool byKey) {
    frmMini* mini = mini_.data();
    if (!byKey || mini == nullptr) {
        platform().PopupMenu(mini, menu);
        return;
    }
    QTimer::singleShot(0, menu, [menu] {
        if (!menu->isVisible() || menu->activeAction() != nullptr) {
            return;
        }
        for (QAction* item : menu->actions()) {
            if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
                menu->setActiveAction(item);
                return;
            }
        }
    });
    platform().PopupMenuAt(mini, menu, mini->mapToGlobal(QPoint(0, mini->height())));
}

}  // namespace halden
