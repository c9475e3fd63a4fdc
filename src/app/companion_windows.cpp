#include "app/companion_windows.h"

#include "shared/process_state.h"

#include "storage/frmUser.h"

#include <QApplication>

#include <array>

namespace halden {

CompanionWindows::CompanionWindows(QPointer<QWidget>& constants, QPointer<QWidget>& equivalence,
                                   QPointer<QWidget>& addUnits, ProcessState& state)
    : state_(state), constants_(constants), equivalence_(equivalence), addUnits_(addUnits) {}

void CompanionWindows::HideForMinimise() const {
    for (QWidget* companion : {constants_.data(), equivalence_.data(), addUnits_.data()}) {
        if (companion != nullptr) {
            companion->hide();
        }
    }
}

void CompanionWindows::ShowOpenOnes() const {
    const ProcessState& st = state_;
    const std::array<std::pair<QWidget*, bool>, 3> companions{{{constants_.data(), st.pbConstantsOpen},
                                                               {equivalence_.data(), st.pbEquivOpen},
                                                               {addUnits_.data(), st.pbUserOpen}}};
    for (const auto& [companion, open] : companions) {
        if (companion != nullptr && open) {
            Show(companion);
        }
    }
    // A window minimised from its own title bar (the calculator, help) took the main window down
    // with it, having no task bar button to come back by: it comes back with the main window.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isMinimized()) {
            Show(window);
        }
    }
}

void CompanionWindows::HideForReduce() const {
    ProcessState& st = state_;
    if (auto* user = qobject_cast<frmUser*>(addUnits_.data())) {
        user->HideForReduce();
    }
    st.pbUserOpen = false;
    if (QWidget* equivalence = equivalence_.data()) {
        equivalence->close();
    }
    st.pbEquivOpen = false;
    if (QWidget* constants = constants_.data()) {
        constants->hide();
    }
    st.pbConstantsOpen = false;
}

void CompanionWindows::BringBackAddUnits() const {
    if (auto* user = qobject_cast<frmUser*>(addUnits_.data()); user != nullptr && user->HiddenForReduce()) {
        state_.pbUserOpen = true;
        Show(user);
    }
}

void CompanionWindows::CloseAll() const {
    for (QWidget* companion : {constants_.data(), equivalence_.data(), addUnits_.data()}) {
        if (companion != nullptr) {
            companion->close();
        }
    }
}

void CompanionWindows::Show(QWidget* companion) {
    companion->setWindowState(companion->windowState() & ~Qt::WindowMinimized);
    companion->show();
}

void CompanionWindows::BringForward(QWidget* companion) {
    Show(companion);
    companion->raise();
    companion->activateWindow();
}

}  // namespace halden
