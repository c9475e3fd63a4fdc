// The main window's menus: built from caption tables, their items named, their arrays' choices
// told by index.
#include "app/main_menus.h"

#include "shared/ui_text.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

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

void MainMenus::Build(QMenuBar* bar, QWidget* owner) {
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
    mnuWarp = new QMenu(QStringLiteral("Warp"), owner);
    for (std::size_t i = 0; i < mnuWarpArray.size(); ++i) {
        mnuWarpArray[i] = mnuWarp->addAction(QStringLiteral("Warp"));
    }

    NameItems();
    ConnectArray(mnuHistoryArray, this, [this](int i) { emit historyChosen(i); });
    ConnectArray(mnuConvArray, this, [this](int i) { emit groupChosen(GroupMenuKind::Convert, i); });
    ConnectArray(mnuConvCompArray, this, [this](int i) { emit groupChosen(GroupMenuKind::Computer, i); });
    ConnectArray(mnuConvOtherArray, this, [this](int i) { emit groupChosen(GroupMenuKind::Other, i); });
    ConnectArray(mnuUserArray, this, [this](int i) { emit groupChosen(GroupMenuKind::User, i); });
    connect(mnuConvDecimal, &QAction::triggered, this, [this] { emit groupChosen(GroupMenuKind::Decimal, 0); });
    ConnectArray(mnuOptionsFigArray, this, [this](int i) { emit figureChosen(i); });
    ConnectArray(mnuOptionsFormArray, this, [this](int i) { emit formChosen(i); });
    ConnectArray(mnuOptionsFocusArray, this, [this](int i) { emit focusChosen(i); });
    ConnectArray(mnuWarpArray, this, [this](int i) { emit warpChosen(i); });
}

void MainMenus::NameItems() {
    ForEachNamedItem(*this, [](auto* item, const QString& name) { item->setObjectName(name); });
}

void MainMenus::ShowGroupChosen(GroupMenuKind kind, int index) {
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

void MainMenus::ShowUserGroups(const UserUnits& units) {
    const UserMenuState menu = UserMenu(units.UserGroupName);
    for (std::size_t i = 0; i < mnuUserArray.size(); ++i) {
        // The first item of an unnamed first group keeps the caption and visibility it has.
        if (i == 0 && units.UserGroupName[0].find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        mnuUserArray[i]->setVisible(menu.visible[i]);
        if (menu.visible[i]) {
            mnuUserArray[i]->setText(MenuLiteral(ToQString(menu.captions[i])));
        }
    }
    mnuUser->setEnabled(menu.submenuEnabled);
}

void MainMenus::ShowOptions(const Settings& set) {
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

void MainMenus::ShowWarpCaptions(const UnitCatalogue& catalogue) {
    for (std::size_t i = 0; i < mnuWarpArray.size(); ++i) {
        mnuWarpArray[i]->setText(ToQString(catalogue.WarpMenuCaption[i]));
    }
}

void MainMenus::ShowIconFileMenu(bool iconShape) {
    mnuFileMinimize->setVisible(iconShape);
    mnuFileBar->setVisible(iconShape);
    mnuFileExit->setText(iconShape ? QStringLiteral("Exit") : QStringLiteral("E&xit"));
}

}  // namespace halden
