#include "main_window_ui.h"

#include "app/tool_button.h"
#include "app/unit_list.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace halden::test {
namespace {

template <typename T>
T* Named(const QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

template <std::size_t N>
void NamedArray(const QWidget& window, const char* name, std::array<QAction*, N>& items) {
    for (std::size_t i = 0; i < N; ++i) {
        items[i] = window.findChild<QAction*>(QLatin1String(name) + QLatin1Char('_') + QString::number(i));
    }
}

}  // namespace

MainWindowUi Ui(const QWidget& window) {
    MainWindowUi ui;
    ui.fraConvFrom = Named<QGroupBox>(window, "fraConvFrom");
    ui.txtInput = Named<QLineEdit>(window, "txtInput");
    ui.lstConvFrom = Named<UnitList>(window, "lstConvFrom");
    ui.fraConvInto = Named<QGroupBox>(window, "fraConvInto");
    ui.txtResult = Named<QLineEdit>(window, "txtResult");
    ui.lstConvInto = Named<UnitList>(window, "lstConvInto");
    ui.imgHand = Named<QLabel>(window, "imgHand");
    ui.lblHidden = Named<QLabel>(window, "lblHidden");
    ui.cmdConvert = Named<QPushButton>(window, "cmdConvert");
    ui.picPaste = Named<ToolButton>(window, "picPaste");
    ui.picShrink = Named<ToolButton>(window, "picShrink");
    ui.picCal = Named<ToolButton>(window, "picCal");
    ui.picCopy = Named<ToolButton>(window, "picCopy");
    ui.mnuFile = Named<QMenu>(window, "mnuFile");
    ui.mnuFileMinimize = Named<QAction>(window, "mnuFileMinimize");
    ui.mnuFileBar = Named<QAction>(window, "mnuFileBar");
    ui.mnuFileExit = Named<QAction>(window, "mnuFileExit");
    ui.mnuEdit = Named<QMenu>(window, "mnuEdit");
    ui.mnuEditCopy = Named<QMenu>(window, "mnuEditCopy");
    ui.mnuEditCopyVResult = Named<QAction>(window, "mnuEditCopyVResult");
    ui.mnuEditCopyCResult = Named<QAction>(window, "mnuEditCopyCResult");
    ui.mnuEditPaste = Named<QMenu>(window, "mnuEditPaste");
    ui.mnuEditPasteVInput = Named<QAction>(window, "mnuEditPasteVInput");
    ui.mnuEditPasteCInput = Named<QAction>(window, "mnuEditPasteCInput");
    ui.mnuHistory = Named<QMenu>(window, "mnuHistory");
    ui.mnuEditFind = Named<QAction>(window, "mnuEditFind");
    ui.mnuEditSwap = Named<QAction>(window, "mnuEditSwap");
    NamedArray(window, "mnuHistoryArray", ui.mnuHistoryArray);
    ui.mnuConvert = Named<QMenu>(window, "mnuConvert");
    NamedArray(window, "mnuConvArray", ui.mnuConvArray);
    ui.mnuConvComp = Named<QMenu>(window, "mnuConvComp");
    NamedArray(window, "mnuConvCompArray", ui.mnuConvCompArray);
    ui.mnuConvOther = Named<QMenu>(window, "mnuConvOther");
    NamedArray(window, "mnuConvOtherArray", ui.mnuConvOtherArray);
    ui.mnuUser = Named<QMenu>(window, "mnuUser");
    NamedArray(window, "mnuUserArray", ui.mnuUserArray);
    ui.mnuConvDecimal = Named<QAction>(window, "mnuConvDecimal");
    ui.mnuConvAllUnits = Named<QAction>(window, "mnuConvAllUnits");
    ui.mnuConvConst = Named<QAction>(window, "mnuConvConst");
    ui.mnuOptions = Named<QMenu>(window, "mnuOptions");
    ui.mnuOptionsFig = Named<QMenu>(window, "mnuOptionsFig");
    NamedArray(window, "mnuOptionsFigArray", ui.mnuOptionsFigArray);
    ui.mnuOptionsForm = Named<QMenu>(window, "mnuOptionsForm");
    NamedArray(window, "mnuOptionsFormArray", ui.mnuOptionsFormArray);
    ui.mnuOptionsFocus = Named<QMenu>(window, "mnuOptionsFocus");
    NamedArray(window, "mnuOptionsFocusArray", ui.mnuOptionsFocusArray);
    ui.mnuShowTop = Named<QAction>(window, "mnuShowTop");
    ui.mnuUserDef = Named<QAction>(window, "mnuUserDef");
    ui.mnuHelp = Named<QMenu>(window, "mnuHelp");
    ui.mnuContents = Named<QAction>(window, "mnuContents");
    ui.mnuAbout = Named<QAction>(window, "mnuAbout");
    ui.mnuWarp = Named<QMenu>(window, "mnuWarp");
    NamedArray(window, "mnuWarpArray", ui.mnuWarpArray);
    return ui;
}

}  // namespace halden::test
