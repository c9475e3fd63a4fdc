// The main window's menus, built from the caption tables: File, Edit, Convert, Options and Help on
// the menu bar, and the Warp menu that only pops up over the From list. A choice from one of the
// menu arrays is told by a signal with the item's index; the window connects the single items
// itself. Every menu and item is named (its objectName) as the window's code names it, so that
// tests find them as a user does, by what they are.
#pragma once

#include "catalogue/menu_texts.h"
#include "catalogue/unit_catalogue.h"
#include "shared/settings.h"

#include <QLatin1Char>
#include <QObject>
#include <QString>

#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace halden {

/// The menus and their items, each named (objectName) by its member's name; an item of a menu
/// array by the array's name and its index ("mnuConvArray_3").
struct MainMenuItems {
    QMenu* mnuFile = nullptr;
    QAction* mnuFileMinimize = nullptr;
    QAction* mnuFileBar = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuEditCopy = nullptr;
    QAction* mnuEditCopyVResult = nullptr;
    QAction* mnuEditCopyCResult = nullptr;
    QMenu* mnuEditPaste = nullptr;
    QAction* mnuEditPasteVInput = nullptr;
    QAction* mnuEditPasteCInput = nullptr;
    QMenu* mnuHistory = nullptr;
    QAction* mnuEditFind = nullptr;
    QAction* mnuEditSwap = nullptr;
    std::array<QAction*, kHistoryItems> mnuHistoryArray{};
    QMenu* mnuConvert = nullptr;
    std::array<QAction*, kConvCaptions.size()> mnuConvArray{};
    QMenu* mnuConvComp = nullptr;
    std::array<QAction*, kConvCompCaptions.size()> mnuConvCompArray{};
    QMenu* mnuConvOther = nullptr;
    std::array<QAction*, kConvOtherCaptions.size()> mnuConvOtherArray{};
    QMenu* mnuUser = nullptr;
    std::array<QAction*, kUserGroups> mnuUserArray{};
    QAction* mnuConvDecimal = nullptr;
    QAction* mnuConvAllUnits = nullptr;
    QAction* mnuConvConst = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuOptionsFig = nullptr;
    std::array<QAction*, kOptionsFigCaptions.size()> mnuOptionsFigArray{};
    QMenu* mnuOptionsForm = nullptr;
    std::array<QAction*, kOptionsFormCaptions.size()> mnuOptionsFormArray{};
    QMenu* mnuOptionsFocus = nullptr;
    std::array<QAction*, kOptionsFocusCaptions.size()> mnuOptionsFocusArray{};
    QAction* mnuShowTop = nullptr;
    QAction* mnuUserDef = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuAbout = nullptr;
    QMenu* mnuWarp = nullptr;
    std::array<QAction*, kWarpLevels> mnuWarpArray{};
};

template <std::size_t N, typename Visit>
void VisitArray(std::array<QAction*, N>& items, const QString& name, Visit& visit) {
    for (std::size_t i = 0; i < N; ++i) {
        visit(items[i], name + QLatin1Char('_') + QString::number(i));
    }
}

/// Calls visit(pointer, name) for every menu and item of items, the pointer by reference.
template <typename Visit>
void ForEachNamedItem(MainMenuItems& items, Visit visit) {
    visit(items.mnuFile, QStringLiteral("mnuFile"));
    visit(items.mnuFileMinimize, QStringLiteral("mnuFileMinimize"));
    visit(items.mnuFileBar, QStringLiteral("mnuFileBar"));
    visit(items.mnuFileExit, QStringLiteral("mnuFileExit"));
    visit(items.mnuEdit, QStringLiteral("mnuEdit"));
    visit(items.mnuEditCopy, QStringLiteral("mnuEditCopy"));
    visit(items.mnuEditCopyVResult, QStringLiteral("mnuEditCopyVResult"));
    visit(items.mnuEditCopyCResult, QStringLiteral("mnuEditCopyCResult"));
    visit(items.mnuEditPaste, QStringLiteral("mnuEditPaste"));
    visit(items.mnuEditPasteVInput, QStringLiteral("mnuEditPasteVInput"));
    visit(items.mnuEditPasteCInput, QStringLiteral("mnuEditPasteCInput"));
    visit(items.mnuHistory, QStringLiteral("mnuHistory"));
    visit(items.mnuEditFind, QStringLiteral("mnuEditFind"));
    visit(items.mnuEditSwap, QStringLiteral("mnuEditSwap"));
    visit(items.mnuConvert, QStringLiteral("mnuConvert"));
    visit(items.mnuConvComp, QStringLiteral("mnuConvComp"));
    visit(items.mnuConvOther, QStringLiteral("mnuConvOther"));
    visit(items.mnuUser, QStringLiteral("mnuUser"));
    visit(items.mnuConvDecimal, QStringLiteral("mnuConvDecimal"));
    visit(items.mnuConvAllUnits, QStringLiteral("mnuConvAllUnits"));
    visit(items.mnuConvConst, QStringLiteral("mnuConvConst"));
    visit(items.mnuOptions, QStringLiteral("mnuOptions"));
    visit(items.mnuOptionsFig, QStringLiteral("mnuOptionsFig"));
    visit(items.mnuOptionsForm, QStringLiteral("mnuOptionsForm"));
    visit(items.mnuOptionsFocus, QStringLiteral("mnuOptionsFocus"));
    visit(items.mnuShowTop, QStringLiteral("mnuShowTop"));
    visit(items.mnuUserDef, QStringLiteral("mnuUserDef"));
    visit(items.mnuHelp, QStringLiteral("mnuHelp"));
    visit(items.mnuContents, QStringLiteral("mnuContents"));
    visit(items.mnuAbout, QStringLiteral("mnuAbout"));
    visit(items.mnuWarp, QStringLiteral("mnuWarp"));
    VisitArray(items.mnuHistoryArray, QStringLiteral("mnuHistoryArray"), visit);
    VisitArray(items.mnuConvArray, QStringLiteral("mnuConvArray"), visit);
    VisitArray(items.mnuConvCompArray, QStringLiteral("mnuConvCompArray"), visit);
    VisitArray(items.mnuConvOtherArray, QStringLiteral("mnuConvOtherArray"), visit);
    VisitArray(items.mnuUserArray, QStringLiteral("mnuUserArray"), visit);
    VisitArray(items.mnuOptionsFigArray, QStringLiteral("mnuOptionsFigArray"), visit);
    VisitArray(items.mnuOptionsFormArray, QStringLiteral("mnuOptionsFormArray"), visit);
    VisitArray(items.mnuOptionsFocusArray, QStringLiteral("mnuOptionsFocusArray"), visit);
    VisitArray(items.mnuWarpArray, QStringLiteral("mnuWarpArray"), visit);
}

class MainMenus final : public QObject, public MainMenuItems {
    Q_OBJECT

public:
    using QObject::QObject;

    /// Builds the menus into bar; the Warp menu belongs to owner.
    void Build(QMenuBar* bar, QWidget* owner);

    /// Checks the item of the group shown (and only that one).
    void ShowGroupChosen(GroupMenuKind kind, int index);
    /// Checks the items of the options in force.
    void ShowOptions(const Settings& settings);
    /// Shows the user groups in the Additional Units menu as their names say.
    void ShowUserGroups(const UserUnits& units);
    /// The Warp menu's captions, as the catalogue has them.
    void ShowWarpCaptions(const UnitCatalogue& catalogue);
    /// The File menu as the icon window pops it up: with Minimize above Exit (shown) or as the
    /// menu bar has it.
    void ShowIconFileMenu(bool iconShape);

signals:
    /// A group chosen from the Convert menu or one of its submenus.
    void groupChosen(GroupMenuKind kind, int index);
    /// An item of Options > Significant Digits, Number Format or Focus Shift.
    void figureChosen(int index);
    void formChosen(int index);
    void focusChosen(int index);
    /// A level of the Warp menu.
    void warpChosen(int index);
    /// An entry of Edit > History (0 = newest).
    void historyChosen(int index);

private:
    void NameItems();
};

}  // namespace halden
