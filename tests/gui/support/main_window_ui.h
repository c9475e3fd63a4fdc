// The main window's controls and menu items as a test reaches them: found by the names the window
// gives them (objectName), never through its members.
#pragma once

#include "catalogue/menu_texts.h"

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace halden {
class ToolButton;
class UnitList;
}  // namespace halden

namespace halden::test {

struct MainWindowUi {
    QGroupBox* fraConvFrom = nullptr;
    QLineEdit* txtInput = nullptr;
    UnitList* lstConvFrom = nullptr;
    QGroupBox* fraConvInto = nullptr;
    QLineEdit* txtResult = nullptr;
    UnitList* lstConvInto = nullptr;
    QLabel* imgHand = nullptr;
    QLabel* lblHidden = nullptr;
    QPushButton* cmdConvert = nullptr;
    ToolButton* picPaste = nullptr;
    ToolButton* picShrink = nullptr;
    ToolButton* picCal = nullptr;
    ToolButton* picCopy = nullptr;

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

/// Every control and menu item of the main window, found by name; a name not found fails the
/// test that uses it (a null pointer), as a missing control would.
MainWindowUi Ui(const QWidget& window);

}  // namespace halden::test
