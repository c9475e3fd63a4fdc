// The main window's menu choices: what each item of the menus does.
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "shared/platform.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>

namespace halden {
void frmConvert::createMenus() { menus_.Build(menuBar(), this); }

void frmConvert::connectMenus() {
    connect(&menus_, &MainMenus::historyChosen, this, [this](int i) { history_.CopyEntry(i); });
    connect(&menus_, &MainMenus::groupChosen, this, &frmConvert::SwitchGroup);
    connect(&menus_, &MainMenus::figureChosen, this, [this](int i) {
        session_.settings.pnFigure = static_cast<std::int16_t>(kFigureValues[static_cast<std::size_t>(i)]);
        CheckOptionItems();
    });
    connect(&menus_, &MainMenus::formChosen, this, [this](int i) {
        session_.settings.pnFormFlag = static_cast<std::int16_t>(i);
        CheckOptionItems();
    });
    connect(&menus_, &MainMenus::focusChosen, this, [this](int i) {
        session_.settings.pnFocusFlag = static_cast<std::int16_t>(i);
        CheckOptionItems();
    });
    connect(&menus_, &MainMenus::warpChosen, this, &frmConvert::mnuWarpArray_Click);
    connect(menus_.mnuEditFind, &QAction::triggered, this, &frmConvert::mnuEditFind_Click);
    connect(menus_.mnuConvConst, &QAction::triggered, this, &frmConvert::mnuConvConst_Click);
    connect(menus_.mnuUserDef, &QAction::triggered, this, &frmConvert::mnuUserDef_Click);
    connect(menus_.mnuContents, &QAction::triggered, this, &frmConvert::mnuContents_Click);
    connect(menus_.mnuAbout, &QAction::triggered, this, &frmConvert::mnuAbout_Click);
    connect(menus_.mnuFileExit, &QAction::triggered, this, &frmConvert::mnuFileExit_Click);
    connect(menus_.mnuFileMinimize, &QAction::triggered, this, &frmConvert::mnuFileMinimize_Click);
    connect(menus_.mnuEditCopyVResult, &QAction::triggered, this, &frmConvert::mnuEditCopyVResult_Click);
    connect(menus_.mnuEditCopyCResult, &QAction::triggered, this, &frmConvert::mnuEditCopyCResult_Click);
    connect(menus_.mnuEditPasteVInput, &QAction::triggered, this, &frmConvert::mnuEditPasteVInput_Click);
    connect(menus_.mnuEditPasteCInput, &QAction::triggered, this, &frmConvert::mnuEditPasteCInput_Click);
    connect(menus_.mnuShowTop, &QAction::triggered, this, &frmConvert::mnuShowTop_Click);
}

void frmConvert::SwitchMenus(GroupMenuKind kind, int index) { menus_.ShowGroupChosen(kind, index); }

void frmConvert::ApplyUserMenu() { menus_.ShowUserGroups(session_.userUnits); }

void frmConvert::CheckOptionItems() { menus_.ShowOptions(session_.settings); }

void frmConvert::mnuShowTop_Click() {
    // The action has already inverted its check mark.
    const bool onTop = menus_.mnuShowTop->isChecked();
    SetAlwaysOnTop(onTop);
    session_.settings.pnShowTop = onTop ? 1 : 0;
}

void frmConvert::mnuFileExit_Click() { close(); }

// The parked main window is not mapped; minimising maps it minimised, so that the task bar shows
// it and restoring it brings the program back.
void frmConvert::mnuFileMinimize_Click() { showMinimized(); }

void frmConvert::mnuEditCopyVResult_Click() { CopyToClipboard(panel_->Result()->text()); }

void frmConvert::mnuEditCopyCResult_Click() {
    const QString result = calculatorWindow()->ResultText();
    CopyToClipboard(result);
}

void frmConvert::mnuEditPasteVInput_Click() { panel_->Input()->setText(PastedText()); }

void frmConvert::mnuEditPasteCInput_Click() { calculatorWindow()->SetInputText(PastedText()); }

}  // namespace halden
