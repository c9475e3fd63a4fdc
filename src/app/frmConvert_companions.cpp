// The main window's doors to its companion windows: constants, equivalence, Add Units, about and
// help. Each is created on first use; the open flags tell minimise/restore which to bring back.

#include "app/accessible_button.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "reference/frmInfo.h"
#include "shared/platform.h"
#include "shared/ui_window_place.h"
#include "storage/frmUser.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace halden {

void frmConvert::mnuConvConst_Click() {
    session_.state.pbConstantsOpen = true;
    if (constants_.isNull()) {
        constants_ = new frmConstants(this, session_);
    }
    CompanionWindows::BringForward(constants_);
}

void frmConvert::mnuUserDef_Click() {
    session_.state.pbUserOpen = true;
    if (user_.isNull()) {
        auto* dialog = new frmUser(userUnitsStore_, this, session_);
        connect(dialog, &frmUser::writeFailureShowing, this, &frmConvert::ParkMainWindow);
        connect(dialog, &frmUser::writeFailureShown, this, &frmConvert::RestoreMainWindow);
        KeepAboveOwner(dialog, this);
        user_ = dialog;
    }
    CompanionWindows::BringForward(user_);
}

void frmConvert::mnuContents_Click() { platform().ShowHelp(this, HelpCommand::Contents, 0); }

void frmConvert::mnuAbout_Click() {
    ShowAboutWindow(this, session_);
    // Closing the about window may have turned an unlisted number format into Normal; the
    // Options menu then shows the format now in force.
    CheckOptionItems();
}

void frmConvert::lblHidden_Click() {
    session_.state.pbEquivOpen = true;
    if (equiv_.isNull()) {
        equiv_ = new frmEquiv(this, session_);
    }
    CompanionWindows::BringForward(equiv_);
}

void frmConvert::connectWindowKeys() {
    // Ctrl+E opens the equivalence table as a click on its hidden spot does; a screen reader
    // presents the spot as a button. F10 opens the menu bar at its first menu.
    auto* equivalence = new QAction(this);
    equivalence->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    equivalence->setShortcutContext(Qt::WindowShortcut);
    addAction(equivalence);
    connect(equivalence, &QAction::triggered, this, &frmConvert::lblHidden_Click);
    MakeAccessibleButton(panel_->HiddenLabel(), [this] { lblHidden_Click(); });
    panel_->HiddenLabel()->setAccessibleName(QStringLiteral("Equivalence table"));
    panel_->HiddenLabel()->setAccessibleDescription(QStringLiteral("Opens the equivalence table (Ctrl+E)"));
    // The text boxes would take Ctrl+E as "end of line" under some desktops' key bindings.
    panel_->Input()->installEventFilter(this);
    panel_->Result()->installEventFilter(this);

    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        QMenuBar* bar = menuBar();
        const QList<QAction*> menus = bar->actions();
        if (!menus.isEmpty()) {
            bar->setActiveAction(menus.front());
        }
    });
}

bool frmConvert::lblHiddenEvent(QObject* watched, QEvent* event) {
    if ((watched == panel_->Input() || watched == panel_->Result()) && event->type() == QEvent::ShortcutOverride) {
        // Left unclaimed, Ctrl+E reaches the window's own key for the equivalence table.
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (watched != panel_->HiddenLabel() || event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    lblHidden_Click();
    return true;
}

}  // namespace halden
