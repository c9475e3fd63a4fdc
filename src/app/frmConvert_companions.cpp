// The main window's doors to its companion windows: constants, equivalence, Add Units, about and
// help. Each is created on first use; the open flags tell minimise/restore which to bring back.

#include "catalogue/unit_catalogue.h"
#include "numbers/characters.h"
#include "shared/settings.h"

#include "app/frmConvert.h"
#include "reference/frmConstants.h"
#include "reference/frmEquiv.h"
#include "reference/frmInfo.h"
#include "shared/platform.h"
#include "storage/frmUser.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace halden {

void frmConvert::mnuConvConst_Click() {
    state().pbConstantsOpen = true;
    if (constantsWindow.isNull()) {
        constantsWindow = new frmConstants(this);
    }
    constantsWindow->show();
    constantsWindow->raise();
}

void frmConvert::mnuUserDef_Click() {
    state().pbUserOpen = true;
    if (userWindow.isNull()) {
        auto* dialog = new frmUser(this);
        connect(dialog, &frmUser::saved, this, &frmConvert::userWindow_Saved);
        connect(dialog, &frmUser::writeFailureShowing, this, &frmConvert::ParkMainWindow);
        connect(dialog, &frmUser::writeFailureShown, this, &frmConvert::RestoreMainWindow);
        userWindow = dialog;
    }
    userWindow->show();
    userWindow->raise();
}

// Add Units changes only the user groups. A user group shown in the lists is shown again as it is
// now, or, deleted, gives way to the first group; the finder then offers what the lists hold.
void frmConvert::userWindow_Saved() {
    ApplyUserMenu();
    const int g = settings().pnSelUnitGrp;
    if (g < kFirstUserGroup || g >= kFirstUserGroup + kUserGroups) {
        return;
    }
    if (IsBlank(catalogue().GroupName[static_cast<std::size_t>(g)])) {
        OpenSelectedGroup(true);
        txtResult->setText(QString());
        return;
    }
    SetCaption();
    RefillKeepingChoices();
}

void frmConvert::mnuContents_Click() { platform().ShowHelp(this, HelpCommand::Contents, 0); }

void frmConvert::mnuAbout_Click() {
    ShowAboutWindow(this);
    // Closing the about window may have turned an unlisted number format into Normal; the
    // Options menu then shows the format now in force.
    CheckOptionItems();
}

void frmConvert::lblHidden_Click() {
    state().pbEquivOpen = true;
    if (equivWindow.isNull()) {
        equivWindow = new frmEquiv(this);
    }
    equivWindow->show();
    equivWindow->raise();
}

bool frmConvert::lblHiddenEvent(QObject* watched, const QEvent* event) {
    if (watched != lblHidden || event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    lblHidden_Click();
    return true;
}

}  // namespace halden
