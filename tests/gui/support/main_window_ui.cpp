#include "main_window_ui.h"

#include "app/tool_button.h"
#include "app/unit_list.h"

#include "app/frmMini.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <type_traits>

namespace halden::test {
namespace {

template <typename T>
T* Named(const QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
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
    ForEachNamedItem(ui, [&window](auto*& item, const QString& name) {
        item = window.findChild<std::remove_reference_t<decltype(*item)>*>(name);
    });
    return ui;
}

QStringList HistoryShown(const MainWindowUi& ui) {
    QStringList shown;
    for (const QAction* item : ui.mnuHistoryArray) {
        if (item->isVisible()) {
            shown.append(item->text().replace(QStringLiteral("&&"), QStringLiteral("&")));
        }
    }
    return shown;
}

frmMini* IconWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* mini = qobject_cast<frmMini*>(window); mini != nullptr && mini->isVisible()) {
            return mini;
        }
    }
    return nullptr;
}

}  // namespace halden::test
