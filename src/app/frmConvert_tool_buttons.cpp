// The four tool buttons (Paste, Calculator, Copy here; Reduce with the reduced shape) and their
// keys, and the copy history that Copy adds to.
#include "app/tool_button.h"
#include "app/unit_list.h"
#include "catalogue/menu_texts.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>

#include <string>

namespace halden {

void frmConvert::connectToolButtons() {
    // The tool buttons take no keyboard focus (the Tab order stays as designed); each has a key of
    // its own instead. The help's main window page lists them, and each button's tooltip (which is
    // its description to a screen reader too) names what it does and its key.
    struct Tool {
        ToolButton* button;
        QKeyCombination key;
        void (frmConvert::*handler)();
        const char* does;
    };
    const std::array<Tool, 4> tools{
        {{picPaste, Qt::CTRL | Qt::SHIFT | Qt::Key_V, &frmConvert::lblPaste_Click,
          "Paste the clipboard's text as the value to convert"},
         {picShrink, Qt::CTRL | Qt::SHIFT | Qt::Key_R, &frmConvert::lblShrink_Click,
          "Reduce the converter to its icon window"},
         {picCal, Qt::CTRL | Qt::SHIFT | Qt::Key_L, &frmConvert::lblCal_Click, "Open the calculator"},
         {picCopy, Qt::CTRL | Qt::SHIFT | Qt::Key_C, &frmConvert::lblCopy_Click, "Copy the result"}}};
    for (const Tool& tool : tools) {
        const QString tip = QStringLiteral("%1 (%2)").arg(QString::fromLatin1(tool.does),
                                                          QKeySequence(tool.key).toString(QKeySequence::NativeText));
        tool.button->setToolTip(tip);
        tool.button->setAccessibleDescription(tip);
        connect(tool.button, &ToolButton::clicked, this, tool.handler);
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(tool.key));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, tool.handler);
    }
    // Shift held as Reduce is released switches the system colours for the next start.
    connect(picShrink, &ToolButton::released, this, &frmConvert::ToggleSystemColours);
}

void frmConvert::lblPaste_Click() { panel_->Input()->setText(PastedText()); }

void frmConvert::lblCal_Click() {
    frmCal* cal = calculatorWindow();
    cal->BringToFront();
    cal->TakeValue(panel_->Result()->text());
}

void frmConvert::lblCopy_Click() {
    CopyToClipboard(panel_->Result()->text());
    HistoryAdd();
}

void frmConvert::HistoryAdd() {
    const QListWidgetItem* from = panel_->FromList()->currentItem();
    const QListWidgetItem* into = panel_->IntoList()->currentItem();
    const std::string entry = HistoryCaption(
        session_.settings.pnSelUnitGrp, panel_->FromList()->currentRow(), panel_->IntoList()->currentRow(),
        ToStdString(panel_->Input()->text()), from != nullptr ? ToStdString(from->text()) : std::string(),
        ToStdString(panel_->Result()->text()), into != nullptr ? ToStdString(into->text()) : std::string());
    history_.Add(ToQString(entry));
}

}  // namespace halden
