// The reduced shape and the window's states: Reduce parks the main window and shows the icon
// window (reduced_shape), whose menus lead back; minimising and restoring take the companion windows along; a
// second start brings the full window to the front.
#include "catalogue/menu_texts.h"
#include "shared/process_state.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "shared/platform.h"
#include "shared/ui_window_place.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace halden {

void frmConvert::ParkMainWindow() {
    // Window managers keep part of an off-screen window on the screen, with its title-bar
    // buttons; a parked window is therefore not mapped at all. It keeps its place for its return.
    hide();
}

void frmConvert::RestoreMainWindow() {
    place_.RestoreTo(this);
    show();
}

void frmConvert::BringToFront() {
    // While the program ends, only a message it waits on comes forward.
    if (!session_.state.pbEnding) {
        if (session_.settings.pnShapeFlag == 0) {
            const GroupMenuItem item = GroupMenuItemOf(session_.settings.pnSelUnitGrp);
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

void frmConvert::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void frmConvert::Form_Resize() {
    const bool reduced = session_.settings.pnShapeFlag == 0;
    if (isMinimized()) {
        companions_.HideForMinimise();
        if (!allUnits_.isNull()) {
            allUnits_->HideWithMain();
        }
        // The icon window goes as it does at a group switch, recording its place; a hidden and
        // re-shown frameless window can come back with a stale idea of its own position.
        if (reduced) {
            reduced_.UnloadIconWindow();
        }
        return;
    }
    companions_.ShowOpenOnes();
    if (!allUnits_.isNull() && !reduced) {
        allUnits_->ShowWithMain();
    }
    if (reduced) {
        // Restored from the task bar after the icon window's Minimize: the reduced shape comes
        // back, the main window parked again once the window system has finished the restore.
        QTimer::singleShot(0, this, [this] {
            if (session_.settings.pnShapeFlag == 0 && !isMinimized()) {
                ParkMainWindow();
            }
        });
        reduced_.ShowIconWindow();
    }
}

void frmConvert::lblShrink_Click() {
    Settings& set = session_.settings;
    set.pnShapeFlag = 0;
    companions_.HideForReduce();
    if (!allUnits_.isNull()) {
        allUnits_->HideWithMain();
    }
    place_.StoreFrom(this, PlaceOutOfRange::Clamp);
    ParkMainWindow();
    reduced_.ShowIconWindow();
}

void frmConvert::ToggleSystemColours(bool shiftHeld) {
    // Takes effect at the next start, through the saved configuration.
    if (shiftHeld) {
        session_.settings.pbShowInSysCol = !session_.settings.pbShowInSysCol;
    }
}

}  // namespace halden
