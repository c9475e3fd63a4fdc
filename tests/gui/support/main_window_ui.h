// The main window's controls and menu items as a test reaches them: found by the names the window
// gives them (objectName), never through its members.
#pragma once

#include "app/main_menus.h"

#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace halden {
class frmMini;
class ToolButton;
class UnitList;
}  // namespace halden

namespace halden::test {

/// The controls by name; the menus and items (MainMenuItems) by the names the menus give them.
struct MainWindowUi : MainMenuItems {
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
};

/// Every control and menu item of the main window, found by name; a name not found fails the
/// test that uses it (a null pointer), as a missing control would.
MainWindowUi Ui(const QWidget& window);

/// The copy history's entries as its menu shows them, newest first.
QStringList HistoryShown(const MainWindowUi& ui);

/// The icon window the reduced shape shows, else nullptr.
frmMini* IconWindow();

}  // namespace halden::test
