#include "app/frmConvert.h"

#include "app/unit_list.h"
#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/settings.h"
#include "storage/config_file.h"
#include "storage/my_path.h"
#include "storage/user_file.h"

#include "app/frmMini.h"
#include "calc/frmCal.h"
#include "shared/platform.h"
#include "shared/ui_fonts.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"
#include "storage/frmUser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <limits>
#include <string>

namespace halden {
namespace {

// A companion minimised together with the main window still counts as minimised when it is shown
// again; shown so, the window manager would minimise the main window with it once more.
void ShowCompanion(QWidget* companion) {
    companion->setWindowState(companion->windowState() & ~Qt::WindowMinimized);
    companion->show();
}

// The row of an entry named name in a refilled list: its old row while that still holds the name
// (two units may share one), else the first entry of that name; -1 when the name is gone.
int RowNamed(const QListWidget* list, const QString& name, int oldRow) {
    if (oldRow >= 0 && oldRow < list->count() && list->item(oldRow)->text() == name) {
        return oldRow;
    }
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == name) {
            return row;
        }
    }
    return -1;
}

bool IsNormalState(const QWidget* window) {
    return !(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// A failed save parks the main window while its message is on the screen and brings it back
// afterwards.
class SaveFailureSink final : public MessageSink {
public:
    explicit SaveFailureSink(frmConvert* window) : window_(window) {}
    void Show(const Message& message) override {
        window_->ParkMainWindow();
        platform().ShowMessage(window_, message);
        window_->RestoreMainWindow();
    }

private:
    frmConvert* window_;
};

}  // namespace

frmConvert::frmConvert(QWidget* parent) : QMainWindow(parent) {
    UseFixedSizeFrame(this);
    createControls();
    createMenus();
    connectHandlers();
    InstallHelpKey(this, HelpCommand::Contents);
    // Start-up reads the files and lays the window out; it shows the window (or the icon window)
    // only at its end, so its messages come before any window.
    Form_Load();
}

frmConvert::~frmConvert() {
    delete mini_.data();
    delete cal_.data();
}

frmMini* frmConvert::miniWindow() const { return mini_.data(); }

frmCal* frmConvert::calculatorWindow() {
    if (cal_.isNull()) {
        cal_ = new frmCal();
    }
    return cal_.data();
}

void frmConvert::Form_Load() {
    ProcessState& st = state();
    Settings& set = settings();
    st.pbInputReady = false;
    st.pbEnding = false;

    st.Tppx = static_cast<std::int16_t>(platform().TwipsPerPixelX());
    st.Tppy = static_cast<std::int16_t>(platform().TwipsPerPixelY());

    platform().SetHelpFile(ToQString(MyPath() + "HALDUCNV.HLP"));

    PlatformMessageSink sink(nullptr);
    CfgRead(settings(), sink);
    FocusUnpack(set);
    // Noted before reading: a file changed during the read makes Save ask rather than overwrite.
    frmUser::NoteUserFileRead();
    DatRead(userUnits(), sink);

    PlaceWindowTwips(this, set.Form_Convert_Left, set.Form_Convert_Top);
    arrangeControls();

    const bool onTop = set.pnShowTop == 1;
    SetAlwaysOnTop(onTop);
    mnuShowTop->setChecked(onTop);

    BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), st.Tppx);
    for (int i = 0; i < kWarpLevels; ++i) {
        mnuWarpArray[static_cast<std::size_t>(i)]->setText(
            ToQString(catalogue().WarpMenuCaption[static_cast<std::size_t>(i)]));
    }

    // Clearing the boxes is the input box's first change: it makes every later edit convert.
    txtInput->setText(QString());
    txtResult->setText(QString());
    txtInput_Change();

    ApplyUserMenu();
    CheckOptionItems();
    OpenSelectedGroup(false);

    if (set.pnShapeFlag == 0) {
        ParkMainWindow();
        ShowMiniWindow();
    } else {
        RestoreMainWindow();
    }
}

void frmConvert::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    shutDown_ = true;
    Settings& set = settings();
    if (IsNormalState(this) && set.pnShapeFlag == 0) {
        // The parked window keeps the place it had when it was reduced; that place is saved.
        PlaceWindowTwips(this, set.Form_Convert_Left, set.Form_Convert_Top);
    }
    SaveSettings();
    SetAlwaysOnTop(false);
    state().pbEnding = true;
    UnloadMiniWindow();
    if (!cal_.isNull()) {
        cal_->close();
    }
    for (QWidget* companion : {constantsWindow.data(), equivWindow.data(), userWindow.data()}) {
        if (companion != nullptr) {
            companion->close();
        }
    }
    event->accept();
    QCoreApplication::quit();
}

void frmConvert::SaveSettings() {
    Settings& set = settings();
    const ProcessState& st = state();
    if (IsNormalState(this)) {
        const QPoint place = WindowPosTwips(this);
        StoreTwips(set.Form_Convert_Left, place.x());
        StoreTwips(set.Form_Convert_Top, place.y());
    }
    if (frmMini* mini = mini_.data()) {
        const QPoint place = WindowPosTwips(mini);
        StoreTwips(set.Form_Normal_Left, place.x());
        StoreTwips(set.Form_Normal_Top, place.y());
        StoreTwips(set.Form_Normal_Width, static_cast<double>(mini->frameGeometry().width()) * st.Tppx);
        StoreTwips(set.Form_Normal_Height, static_cast<double>(mini->frameGeometry().height()) * st.Tppy);
    } else {
        // Not open: the size it takes when it opens.
        StoreTwips(set.Form_Normal_Width, static_cast<double>(frmMini::kOuterWidth) * st.Tppx);
        StoreTwips(set.Form_Normal_Height, static_cast<double>(frmMini::kOuterHeight) * st.Tppy);
    }
    // A window that was never put on the screen keeps its stored place.
    if (QWidget* constants = constantsWindow.data(); constants != nullptr && constants->windowHandle() != nullptr) {
        const QPoint place = WindowPosTwips(constants);
        StoreTwips(set.Form_Constants_Left, place.x());
        StoreTwips(set.Form_Constants_Top, place.y());
    }
    if (frmCal* cal = cal_.data(); cal != nullptr && cal->isVisible() && IsNormalState(cal)) {
        const QPoint place = WindowPosTwips(cal);
        StoreTwips(set.Form_Cal_Left, place.x());
        StoreTwips(set.Form_Cal_Top, place.y());
    }
    SaveFailureSink sink(this);
    CfgSave(settings(), sink);
}

void frmConvert::ParkMainWindow() {
    // Window managers keep part of an off-screen window on the screen, with its title-bar
    // buttons; a parked window is therefore not mapped at all. It keeps its place for its return.
    hide();
}

void frmConvert::RestoreMainWindow() {
    PlaceWindowTwips(this, settings().Form_Convert_Left, settings().Form_Convert_Top);
    show();
}

void frmConvert::BringToFront() {
    // While the program ends, only a message it waits on comes forward.
    if (!state().pbEnding) {
        if (settings().pnShapeFlag == 0) {
            const GroupMenuItem item = GroupMenuItemOf(settings().pnSelUnitGrp);
            SwitchGroup(item.kind, item.index);
        }
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
    }
    if (QWidget* dialog = QApplication::activeModalWidget(); dialog != nullptr && dialog != this) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void frmConvert::SetAlwaysOnTop(bool onTop) { platform().SetAlwaysOnTop(this, onTop); }

void frmConvert::ShowMiniWindow() {
    if (mini_.isNull()) {
        mini_ = new frmMini();
        connect(mini_, &frmMini::closeRequested, this, &frmConvert::close);
        connect(mini_, &frmMini::convertMenuRequested, this, &frmConvert::mini_ConvertMenu);
        connect(mini_, &frmMini::fileMenuRequested, this, &frmConvert::mini_FileMenu);
        // Ctrl+Shift+R in the icon window: the full shape comes back as on choosing the group shown.
        connect(mini_, &frmMini::restoreRequested, this, &frmConvert::BringToFront);
    }
    mini_->show();
}

void frmConvert::mini_ConvertMenu() {
    ParkMainWindow();
    platform().PopupMenu(mini_.data(), mnuConvert);
}

// The icon window's File menu offers Minimize and its own Exit caption; the main window's menu bar
// goes back to its usual items once the popup closes.
void frmConvert::mini_FileMenu() {
    mnuFileMinimize->setVisible(true);
    mnuFileBar->setVisible(true);
    mnuFileExit->setText(QStringLiteral("Exit"));
    platform().PopupMenu(mini_.data(), mnuFile);
    mnuFileMinimize->setVisible(false);
    mnuFileBar->setVisible(false);
    mnuFileExit->setText(QStringLiteral("E&xit"));
}

void frmConvert::UnloadMiniWindow() {
    if (frmMini* mini = mini_.data()) {
        mini_.clear();
        mini->Unload();
    }
}

void frmConvert::SetCaption() {
    const auto g = static_cast<std::size_t>(settings().pnSelUnitGrp);
    setWindowTitle(QStringLiteral(" Halden Unit Converter - ") + ToQString(catalogue().GroupName[g]));
}

// Shows the selected group as start-up does, without a switch's return from the reduced shape:
// its menu item checked, the caption and both lists, nothing chosen. A group that no longer
// exists gives way to the first group: a number no menu offers (only an edited file holds one),
// or a user group deleted in Add Units while it was shown.
void frmConvert::OpenSelectedGroup(bool deleted) {
    Settings& set = settings();
    if (deleted || set.pnSelUnitGrp < 0 || set.pnSelUnitGrp >= kGroupCount) {
        set.pnSelUnitGrp = 0;
    }
    const GroupMenuItem item = GroupMenuItemOf(set.pnSelUnitGrp);
    SwitchMenus(item.kind, item.index);
    SetCaption();
    FillLists();
}

void frmConvert::FillLists() {
    const int g = settings().pnSelUnitGrp;
    const auto& cat = catalogue();
    const int count = cat.UnitCount[static_cast<std::size_t>(g)];
    settings().pnSelUnitItem = static_cast<std::int16_t>(count);
    QStringList names;
    for (int i = 0; i < count && i < kUnitSlots; ++i) {
        names.append(ToQString(cat.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]));
    }
    lstConvFrom->Fill(names);
    // Warp can only be converted from.
    if (g == kGroupVelocity && !names.isEmpty()) {
        names.removeLast();
    }
    lstConvInto->Fill(names);
}

// The units of the group shown have changed: the lists show the new names, and a unit chosen
// stays chosen where the refilled list still holds an entry of its name. The result is worked out
// again, so that it never stands beside units it was not converted between.
void frmConvert::RefillKeepingChoices() {
    const int oldFrom = lstConvFrom->currentRow();
    const int oldInto = lstConvInto->currentRow();
    // The Into list shows the From unit's entry blank; the From list holds the name behind it.
    const auto nameAt = [this](int row) {
        return row >= 0 && row < lstConvFrom->count() ? lstConvFrom->item(row)->text() : QString();
    };
    const QString fromName = nameAt(oldFrom);
    const QString intoName = nameAt(oldInto);
    FillLists();
    const int from = oldFrom >= 0 ? RowNamed(lstConvFrom, fromName, oldFrom) : -1;
    const int into = oldInto >= 0 ? RowNamed(lstConvFrom, intoName, oldInto) : -1;
    if (from >= 0) {
        // Chosen as a click chooses it: the Into entry beside it turns blank.
        lstConvFrom->Choose(from);
    }
    if (into >= 0) {
        // Chosen back by the program, not by the user: the focus stays where it is.
        const QSignalBlocker quiet(lstConvInto);
        lstConvInto->setCurrentRow(into);
    }
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    } else {
        txtResult->setText(QString());
    }
}

void frmConvert::SwitchGroup(GroupMenuKind kind, int index) {
    const int group = GroupOfMenuItem(kind, index);
    if (group < 0) {
        return;
    }
    Settings& set = settings();
    txtInput->setEnabled(true);
    UnloadMiniWindow();
    SwitchMenus(kind, index);
    set.pnSelUnitGrp = static_cast<std::int16_t>(group);
    if (set.pnShapeFlag == 0) {
        RestoreMainWindow();
        // Add Units, hidden with its edits by the reduced shape, comes back with the full one.
        if (auto* user = qobject_cast<frmUser*>(userWindow.data()); user != nullptr && user->HiddenForReduce()) {
            state().pbUserOpen = true;
            ShowCompanion(user);
        }
    }
    set.pnShapeFlag = 1;
    SetCaption();
    FillLists();
    txtResult->setText(QString());
}

bool frmConvert::BothEntriesChosen() const {
    const QListWidgetItem* from = lstConvFrom->currentItem();
    const QListWidgetItem* into = lstConvInto->currentItem();
    return from != nullptr && into != nullptr && !from->text().isEmpty() && !into->text().isEmpty();
}

void frmConvert::cmdConvert_Click() {
    const std::string text = ToStdString(txtInput->text());
    const std::string previous = ToStdString(txtResult->text());
    const QListWidgetItem* intoItem = lstConvInto->currentItem();
    ConvertInput input;
    input.group = settings().pnSelUnitGrp;
    input.from = lstConvFrom->currentRow();
    // The blank entry stands for the From unit itself and is no target.
    input.into = intoItem != nullptr && !intoItem->text().isEmpty() ? lstConvInto->currentRow() : -1;
    input.text = text;
    input.pnFigure = settings().pnFigure;
    input.pnFormFlag = settings().pnFormFlag;
    input.previousResult = previous;
    PlatformMessageSink sink(this);
    txtResult->setText(ToQString(ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink)));
}

void frmConvert::lstConvFrom_Click() {
    const int index = lstConvFrom->currentRow();
    if (index < 0) {
        return;
    }
    const int g = settings().pnSelUnitGrp;
    if (QListWidgetItem* blank = lstConvInto->item(index)) {
        blank->setText(QString());
    }
    const bool prevIsWarp = g == kGroupVelocity && nPrevFrom_ == kWarpUnit;
    if (nPrevFrom_ >= 0 && nPrevFrom_ < settings().pnSelUnitItem && nPrevFrom_ != index && !prevIsWarp) {
        if (QListWidgetItem* restored = lstConvInto->item(nPrevFrom_)) {
            restored->setText(lstConvFrom->item(nPrevFrom_)->text());
        }
    }
    nPrevFrom_ = index;
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    }
    // The chosen target may just have turned blank: a result beside no target would read as a
    // false equation (and Copy would record it).
    if (const QListWidgetItem* into = lstConvInto->currentItem(); into != nullptr && into->text().isEmpty()) {
        txtResult->setText(QString());
    }
    if (g == kGroupVelocity && index == kWarpUnit) {
        platform().PopupMenu(this, mnuWarp);
        txtInput->setEnabled(false);
    } else {
        txtInput->setEnabled(true);
    }
}

void frmConvert::lstConvInto_Click() {
    // A click hands the focus on to the input box where Focus Shift is Auto; a key leaves it in
    // the list, so that the arrow keys can go on through it (Enter hands it on instead).
    if (!lstConvInto->ChoosingByKey()) {
        lstConvInto_Enter();
    }
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    }
    const QListWidgetItem* into = lstConvInto->currentItem();
    if (into != nullptr && into->text().isEmpty()) {
        txtResult->setText(QString());
    }
}

void frmConvert::lstConvInto_Enter() {
    if (settings().pnFocusFlag == 0 && txtInput->isEnabled()) {
        txtInput->setFocus();
    }
}

void frmConvert::lstConv_KeyUp() {
    if (!txtInput->text().isEmpty() && BothEntriesChosen()) {
        cmdConvert_Click();
    }
}

void frmConvert::txtInput_Change() {
    ProcessState& st = state();
    if (!txtInput->text().isEmpty() && st.pbInputReady) {
        cmdConvert_Click();
    }
    st.pbInputReady = true;
}

bool frmConvert::eventFilter(QObject* watched, QEvent* event) {
    if (lblHiddenEvent(watched, event)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmConvert::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void frmConvert::Form_Resize() {
    const bool reduced = settings().pnShapeFlag == 0;
    if (isMinimized()) {
        for (QWidget* companion : {constantsWindow.data(), equivWindow.data(), userWindow.data()}) {
            if (companion != nullptr) {
                companion->hide();
            }
        }
        // The icon window goes as it does at a group switch, recording its place; a hidden and
        // re-shown frameless window can come back with a stale idea of its own position.
        if (reduced) {
            UnloadMiniWindow();
        }
        return;
    }
    const ProcessState& st = state();
    const std::array<std::pair<QWidget*, bool>, 3> companions{{{constantsWindow.data(), st.pbConstantsOpen},
                                                               {equivWindow.data(), st.pbEquivOpen},
                                                               {userWindow.data(), st.pbUserOpen}}};
    for (const auto& [companion, open] : companions) {
        if (companion != nullptr && open) {
            ShowCompanion(companion);
        }
    }
    if (reduced) {
        // Restored from the task bar after the icon window's Minimize: the reduced shape comes
        // back, the main window parked again once the window system has finished the restore.
        QTimer::singleShot(0, this, [this] {
            if (settings().pnShapeFlag == 0 && !isMinimized()) {
                ParkMainWindow();
            }
        });
        ShowMiniWindow();
    }
}

}  // namespace halden

// The meta-object code of this file's classes, compiled in the same batch rather than on its own.
// The code generator writes it before the build compiles this file; tools that read the sources
// without building (the linter) go without it.
#if __has_include("moc_frmConvert.cpp")
#include "moc_frmConvert.cpp"
#endif
