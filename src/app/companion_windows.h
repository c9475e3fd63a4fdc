// The rules the companion windows (constants, equivalence, Add Units) follow with the main
// window: each is created on first use and flagged open while the user has it open; they hide
// when the main window is minimised and come back with it, and the reduced shape puts them away.
// The program's other windows that went down with the main window (the calculator and help,
// minimised from their own title bars) come back with it too.
#pragma once

#include "shared/process_state.h"

#include <QPointer>
#include <QWidget>

namespace halden {

class CompanionWindows {
public:
    /// The windows live in the given pointers (null until first opened); which are open is kept in
    /// state.
    CompanionWindows(QPointer<QWidget>& constants, QPointer<QWidget>& equivalence, QPointer<QWidget>& addUnits,
                     ProcessState& state);

    /// The main window was minimised: every companion hides; the open flags stay.
    void HideForMinimise() const;
    /// The main window is back: the companions flagged open are shown again, and every other window
    /// of the program still minimised is shown in its normal state.
    void ShowOpenOnes() const;
    /// The reduced shape: the equivalence window closes, the constants window hides, and Add Units
    /// hides with its edits until the full shape comes back; none is flagged open.
    void HideForReduce() const;
    /// The full shape is back: Add Units, hidden with its edits by the reduced shape, shows again.
    void BringBackAddUnits() const;
    /// The program ends: every companion closes.
    void CloseAll() const;

    /// Shows a companion, also one minimised together with the main window: shown still
    /// minimised, the window manager would minimise the main window with it once more.
    static void Show(QWidget* companion);
    /// Shows a companion as Show does, in front of the program's other windows, with the keyboard:
    /// the user asked for it.
    static void BringForward(QWidget* companion);

private:
    ProcessState& state_;
    QPointer<QWidget>& constants_;
    QPointer<QWidget>& equivalence_;
    QPointer<QWidget>& addUnits_;
};

}  // namespace halden
