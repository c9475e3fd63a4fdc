// The main window's menus: built from caption tables, one handler per menu array.
#include "app/unit_list.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>

#include <string>

namespace halden {
namespace {

// A menu array: one checkable action per caption.
template <std::size_t N, std::size_t M>
void AddArray(QMenu* menu, std::array<QAction*, N>& items, const std::array<std::string_view, M>& captions) {
    static_assert(N == M);
    for (std::size_t i = 0; i < N; ++i) {
        items[i] = menu->addAction(ToQString(captions[i]));
        items[i]->setCheckable(true);
    }
}

// Every item of a menu array sends its index to one handler.
template <std::size_t N, typename Handler>
void ConnectArray(const std::array<QAction*, N>& items, QObject* context, Handler handler) {
    for (std::size_t i = 0; i < N; ++i) {
        QObject::connect(items[i], &QAction::triggered, context, [handler, i] { handler(static_cast<int>(i)); });
    }
}

template <std::size_t N>
void UncheckAll(const std::array<QAction*, N>& items) {
    for (QAction* item : items) {
        item->setChecked(false);
    }
}

}  // namespace

void frmConvert::createMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFileMinimize = mnuFile->addAction(QStringLiteral("Minimize"));
    mnuFileMinimize->setVisible(false);
    mnuFileBar = mnuFile->addSeparator();
    mnuFileBar->setVisible(false);
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));

    mnuEdit = bar->addMenu(QStringLiteral("&Edit"));
    mnuEditCopy = mnuEdit->addMenu(QStringLiteral("&Copy"));
    mnuEditCopyVResult = mnuEditCopy->addAction(QStringLiteral("Con&version Result"));
    mnuEditCopyCResult = mnuEditCopy->addAction(QStringLiteral("&Calculation Result"));
    mnuEditPaste = mnuEdit->addMenu(QStringLiteral("&Paste"));
    mnuEditPasteVInput = mnuEditPaste->addAction(QStringLiteral("As Con&version Input"));
    mnuEditPasteCInput = mnuEditPaste->addAction(QStringLiteral("As &Calculation Input"));
    mnuEdit->addSeparator();
    mnuHistory = mnuEdit->addMenu(QStringLiteral("&History"));
    mnuHistory->setEnabled(false);
    for (std::size_t i = 0; i < mnuHistoryArray.size(); ++i) {
        mnuHistoryArray[i] = mnuHistory->addAction(QString::number(i + 1));
        mnuHistoryArray[i]->setVisible(i == 0);
    }
    mnuEdit->addSeparator();
    mnuEditFind = mnuEdit->addAction(QStringLiteral("&Find Unit..."));
    mnuEditFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuEditSwap = mnuEdit->addAction(QStringLiteral("S&wap Units"));
    mnuEditSwap->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    mnuConvert = bar->addMenu(QStringLiteral("&Convert"));
    AddArray(mnuConvert, mnuConvArray, kConvCaptions);
    mnuConvComp = mnuConvert->addMenu(QStringLiteral("Com&puter"));
    AddArray(mnuConvComp, mnuConvCompArray, kConvCompCaptions);
    mnuConvert->addSeparator();
    mnuConvOther = mnuConvert->addMenu(QStringLiteral("&Other Units"));
    AddArray(mnuConvOther, mnuConvOtherArray, kConvOtherCaptions);
    mnuUser = mnuConvert->addMenu(QStringLiteral("Additional &Units"));
    for (std::size_t i = 0; i < mnuUserArray.size(); ++i) {
        mnuUserArray[i] = mnuUser->addAction(ToQString(UserGroupCaption(static_cast<int>(i))));
        mnuUserArray[i]->setCheckable(true);
    }
    mnuConvert->addSeparator();
    mnuConvDecimal = mnuConvert->addAction(ToQString(kConvDecimalCaption));
    mnuConvDecimal->setCheckable(true);
    mnuConvert->addSeparator();
    // "U" is Additional Units' key in this menu; a second item on it would only be highlighted.
    mnuConvAllUnits = mnuConvert->addAction(QStringLiteral("All Un&its..."));
    mnuConvAllUnits->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    mnuConvConst = mnuConvert->addAction(QStringLiteral("&Constants..."));

    mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptionsFig = mnuOptions->addMenu(QStringLiteral("&Significant Digits"));
    AddArray(mnuOptionsFig, mnuOptionsFigArray, kOptionsFigCaptions);
    mnuOptionsForm = mnuOptions->addMenu(QStringLiteral("&Number Format"));
    AddArray(mnuOptionsForm, mnuOptionsFormArray, kOptionsFormCaptions);
    mnuOptionsFocus = mnuOptions->addMenu(QStringLiteral("&Focus Shift"));
    AddArray(mnuOptionsFocus, mnuOptionsFocusArray, kOptionsFocusCaptions);
    mnuOptions->addSeparator();
    mnuShowTop = mnuOptions->addAction(QStringLiteral("Always on &Top"));
    mnuShowTop->setCheckable(true);
    mnuShowTop->setChecked(true);
    mnuOptions->addSeparator();
    mnuUserDef = mnuOptions->addAction(QStringLiteral("&Add Units..."));

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuContents = mnuHelp->addAction(QStringLiteral("&Contents"));
    mnuHelp->addSeparator();
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About..."));

    // The Warp menu is never on the menu bar; it only pops up over the From list.
    mnuWarp = new QMenu(QStringLiteral("Warp"), this);
    for (std::size_t i = 0; i < mnuWarpArray.size(); ++i) {
        mnuWarpArray[i] = mnuWarp->addAction(QStringLiteral("Warp"));
    }
}

void frmConvert::connectMenus() {
    ConnectArray(mnuHistoryArray, this, [this](int i) { history_.CopyEntry(i); });
    connect(mnuEditFind, &QAction::triggered, this, &frmConvert::mnuEditFind_Click);
    ConnectArray(mnuConvArray, this, [this](int i) { SwitchGroup(GroupMenuKind::Convert, i); });
    ConnectArray(mnuConvCompArray, this, [this](int i) { SwitchGroup(GroupMenuKind::Computer, i); });
    ConnectArray(mnuConvOtherArray, this, [this](int i) { SwitchGroup(GroupMenuKind::Other, i); });
    ConnectArray(mnuUserArray, this, [this](int i) { SwitchGroup(GroupMenuKind::User, i); });
    connect(mnuConvDecimal, &QAction::triggered, this, [this] { SwitchGroup(GroupMenuKind::Decimal, 0); });
    ConnectArray(mnuOptionsFigArray, this, [this](int i) { mnuOptionsFigArray_Click(i); });
    ConnectArray(mnuOptionsFormArray, this, [this](int i) { mnuOptionsFormArray_Click(i); });
    ConnectArray(mnuOptionsFocusArray, this, [this](int i) { mnuOptionsFocusArray_Click(i); });
    ConnectArray(mnuWarpArray, this, [this](int i) { mnuWarpArray_Click(i); });
    connect(mnuConvConst, &QAction::triggered, this, &frmConvert::mnuConvConst_Click);
    connect(mnuUserDef, &QAction::triggered, this, &frmConvert::mnuUserDef_Click);
    connect(mnuContents, &QAction::triggered, this, &frmConvert::mnuContents_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmConvert::mnuAbout_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmConvert::mnuFileExit_Click);
    connect(mnuFileMinimize, &QAction::triggered, this, &frmConvert::mnuFileMinimize_Click);
    connect(mnuEditCopyVResult, &QAction::triggered, this, &frmConvert::mnuEditCopyVResult_Click);
    connect(mnuEditCopyCResult, &QAction::triggered, this, &frmConvert::mnuEditCopyCResult_Click);
    connect(mnuEditPasteVInput, &QAction::triggered, this, &frmConvert::mnuEditPasteVInput_Click);
    connect(mnuEditPasteCInput, &QAction::triggered, this, &frmConvert::mnuEditPasteCInput_Click);
    connect(mnuShowTop, &QAction::triggered, this, &frmConvert::mnuShowTop_Click);
}

void frmConvert::SwitchMenus(GroupMenuKind kind, int index) {
    UncheckAll(mnuConvArray);
    UncheckAll(mnuConvOtherArray);
    UncheckAll(mnuUserArray);
    mnuConvDecimal->setChecked(false);
    UncheckAll(mnuConvCompArray);
    const auto at = static_cast<std::size_t>(index);
    switch (kind) {
        case GroupMenuKind::Convert:
            if (at < mnuConvArray.size()) {
                mnuConvArray[at]->setChecked(true);
            }
            break;
        case GroupMenuKind::Other:
            if (at < mnuConvOtherArray.size()) {
                mnuConvOtherArray[at]->setChecked(true);
            }
            break;
        case GroupMenuKind::User:
            if (at < mnuUserArray.size()) {
                mnuUserArray[at]->setChecked(true);
            }
            break;
        case GroupMenuKind::Decimal:
            mnuConvDecimal->setChecked(true);
            break;
        case GroupMenuKind::Computer:
            if (at < mnuConvCompArray.size()) {
                mnuConvCompArray[at]->setChecked(true);
            }
            break;
        case GroupMenuKind::None:
            break;
    }
}

void frmConvert::ApplyUserMenu() {
    const UserMenuState menu = UserMenu(userUnits().UserGroupName);
    for (std::size_t i = 0; i < mnuUserArray.size(); ++i) {
        // The first item of an unnamed first group keeps the caption and visibility it has.
        if (i == 0 && userUnits().UserGroupName[0].find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        mnuUserArray[i]->setVisible(menu.visible[i]);
        if (menu.visible[i]) {
            mnuUserArray[i]->setText(MenuLiteral(ToQString(menu.captions[i])));
        }
    }
    mnuUser->setEnabled(menu.submenuEnabled);
}

void frmConvert::CheckOptionItems() {
    const Settings& set = settings();
    UncheckAll(mnuOptionsFigArray);
    UncheckAll(mnuOptionsFormArray);
    UncheckAll(mnuOptionsFocusArray);
    if (const int item = FigureItemOf(set.pnFigure); item >= 0) {
        mnuOptionsFigArray[static_cast<std::size_t>(item)]->setChecked(true);
    }
    if (set.pnFormFlag == 0 || set.pnFormFlag == 1) {
        mnuOptionsFormArray[static_cast<std::size_t>(set.pnFormFlag)]->setChecked(true);
    }
    if (set.pnFocusFlag == 0 || set.pnFocusFlag == 1) {
        mnuOptionsFocusArray[static_cast<std::size_t>(set.pnFocusFlag)]->setChecked(true);
    }
}

void frmConvert::mnuOptionsFigArray_Click(int index) {
    UncheckAll(mnuOptionsFigArray);
    settings().pnFigure = static_cast<std::int16_t>(kFigureValues[static_cast<std::size_t>(index)]);
    mnuOptionsFigArray[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmConvert::mnuOptionsFormArray_Click(int index) {
    UncheckAll(mnuOptionsFormArray);
    settings().pnFormFlag = static_cast<std::int16_t>(index);
    mnuOptionsFormArray[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmConvert::mnuOptionsFocusArray_Click(int index) {
    UncheckAll(mnuOptionsFocusArray);
    settings().pnFocusFlag = static_cast<std::int16_t>(index);
    mnuOptionsFocusArray[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmConvert::mnuShowTop_Click() {
    // The action has already inverted its check mark.
    const bool onTop = mnuShowTop->isChecked();
    SetAlwaysOnTop(onTop);
    settings().pnShowTop = onTop ? 1 : 0;
}

void frmConvert::mnuFileExit_Click() { close(); }

// The parked main window is not mapped; minimising maps it minimised, so that the task bar shows
// it and restoring it brings the program back.
void frmConvert::mnuFileMinimize_Click() { showMinimized(); }

void frmConvert::mnuEditCopyVResult_Click() { CopyToClipboard(txtResult->text()); }

void frmConvert::mnuEditCopyCResult_Click() {
    const QString result = calculatorWindow()->ResultText();
    CopyToClipboard(result);
}

void frmConvert::mnuEditPasteVInput_Click() { txtInput->setText(PastedText()); }

void frmConvert::mnuEditPasteCInput_Click() { calculatorWindow()->SetInputText(PastedText()); }

}  // namespace halden
