// The main window's construction, start-up (the two files read, the window laid out, the group
// shown or the icon window) and shutdown (places recorded, the configuration written).
#include "app/frmConvert.h"

#include "app/shutdown_signals.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"
#include "storage/config_file.h"
#include "storage/my_path.h"

#include "app/frmAllUnits.h"
#include "app/frmMini.h"
#include "calc/frmCal.h"
#include "reference/frmConstants.h"
#include "shared/platform.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"
#include "shared/ui_window_place.h"
#include "storage/frmUser.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>

namespace halden {
namespace {

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

// An ending no one watches keeps Add Units' unsaved edits before anything closes the dialog, so
// that sink (standard error) names the units it could not keep, not a message box.
void KeepAddUnitsEdits(QWidget* addUnits, MessageSink& sink) {
    if (auto* dialog = qobject_cast<frmUser*>(addUnits)) {
        dialog->KeepEditsForNextSession(sink);
    }
}

}  // namespace

frmConvert::frmConvert(QWidget* parent)
    : QMainWindow(parent), session_(ProcessSession()), userUnitsStore_(session_.userUnits, session_.catalogue) {
    UseFixedSizeFrame(this);
    createControls();
    createMenus();
    connectHandlers();
    connectUserUnits();
    connect(&reduced_, &ReducedShape::closeRequested, this, &frmConvert::close);
    connect(&reduced_, &ReducedShape::restoreRequested, this, &frmConvert::BringToFront);
    connect(&reduced_, &ReducedShape::convertMenuOpening, this, &frmConvert::ParkMainWindow);
    InstallHelpKey(this, HelpCommand::Contents);
    // Start-up reads the files and lays the window out; it shows the window (or the icon window)
    // only at its end, so its messages come before any window.
    Form_Load();
}

frmConvert::~frmConvert() { delete cal_.data(); }

frmCal* frmConvert::calculatorWindow() {
    if (cal_.isNull()) {
        cal_ = new frmCal(this, session_);
        cal_->SetLeastWidthTwips(mainFormWidth_);
    }
    return cal_.data();
}

void frmConvert::Form_Load() {
    ProcessState& st = session_.state;
    Settings& set = session_.settings;
    st.pbInputReady = false;
    st.pbEnding = false;

    st.Tppx = static_cast<std::int16_t>(platform().TwipsPerPixelX());
    st.Tppy = static_cast<std::int16_t>(platform().TwipsPerPixelY());

    platform().SetHelpFile(ToQString(MyPath() + "HALDUCNV.HLP"));

    PlatformMessageSink sink(nullptr);
    CfgRead(session_.settings, sink);
    FocusUnpack(set);
    userUnitsStore_.Read(sink);

    arrangeControls();

    const bool onTop = set.pnShowTop == 1;
    SetAlwaysOnTop(onTop);
    menus_.mnuShowTop->setChecked(onTop);

    BuildUnitCatalogue(session_.catalogue, session_.userUnits, st.Tppx);
    menus_.ShowWarpCaptions(session_.catalogue);

    // Clearing the boxes is the input box's first change: it makes every later edit convert.
    panel_->Input()->setText(QString());
    panel_->Result()->setText(QString());
    panel_->InputChanged();

    ApplyUserMenu();
    CheckOptionItems();
    side_ = ReadSideFile();
    sideSaved_ = side_;
    OpenSelectedGroup(false);
    RestoreRememberedUnits();

    if (set.pnShapeFlag == 0) {
        ParkMainWindow();
        reduced_.ShowIconWindow();
    } else {
        RestoreMainWindow();
    }
}

void frmConvert::closeEvent(QCloseEvent* event) {
    const EndingCause cause = CauseOf(event);
    // No one may be there to read a message: a signal, the end of the session, no display.
    StandardErrorSink unwatched;
    if (shutDown_) {
        // The user's close waits on its failure message when a signal comes or the display goes.
        if (cause != EndingCause::Person) {
            KeepAddUnitsEdits(user_.data(), unwatched);
        }
        event->accept();
        return;
    }
    shutDown_ = true;
    if (cause == EndingCause::Person) {
        SaveFailureSink sink(this);
        SaveSettings(sink);
    } else {
        SaveSettings(unwatched);
        KeepAddUnitsEdits(user_.data(), unwatched);
    }
    if (cause == EndingCause::DisplayLost) {
        // The windows stay as they are: closing them would use the display.
        session_.state.pbEnding = true;
        event->accept();
        return;
    }
    SetAlwaysOnTop(false);
    session_.state.pbEnding = true;
    reduced_.UnloadIconWindow();
    if (!cal_.isNull()) {
        cal_->close();
    }
    companions_.CloseAll();
    if (!allUnits_.isNull()) {
        allUnits_->close();
    }
    event->accept();
    QCoreApplication::quit();
}

void frmConvert::SaveSettings(MessageSink& sink) {
    Settings& set = session_.settings;
    // The parked window keeps the place it had when it was reduced: that stored place is saved.
    if (IsNormalState(this) && set.pnShapeFlag != 0) {
        place_.StoreFrom(this);
    }
    // Each open window stores its own place.
    if (frmMini* mini = reduced_.IconWindow()) {
        mini->StorePlace();
    } else {
        // Not open: the size it takes when it opens.
        StoreTwips(set.Form_Normal_Width, TwipsX(frmMini::kOuterWidth));
        StoreTwips(set.Form_Normal_Height, TwipsY(frmMini::kOuterHeight));
    }
    if (auto* constants = qobject_cast<frmConstants*>(constants_.data())) {
        constants->StorePlace();
    }
    if (frmCal* cal = cal_.data()) {
        cal->StorePlace();
    }
    CfgSave(session_.settings, sink);
    SaveSideFile();
}

bool frmConvert::eventFilter(QObject* watched, QEvent* event) {
    if (lblHiddenEvent(watched, event)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace halden
