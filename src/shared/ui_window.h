// The standard window flags of the program's fixed-size windows.
#pragma once

class QWidget;

namespace halden {

/// Which frame buttons a fixed-size window offers besides close.
enum class MinimiseButton { Shown, None };

/// Gives a fixed-size top-level window a title bar with its system menu, close and (when asked)
/// minimise buttons, and no maximise button: the window cannot grow, so that button would do
/// nothing. The window's type (window or dialog) and its always-on-top state are kept. Call it
/// before the window is first shown (changing the flags of a shown window hides it).
void UseFixedSizeFrame(QWidget* window, MinimiseButton minimise = MinimiseButton::Shown);

}  // namespace halden

#include <functional>

namespace halden {

/// Makes companion a window of owner's: task bars show owner's one button for both (where the
/// window system lets a program ask), and minimising companion minimises owner, whose restore
/// brings it back.
void MakeCompanionOf(QWidget* companion, QWidget* owner);

/// Asks the window manager to add or remove one of a shown window's states (an EWMH state name
/// such as "_NET_WM_STATE_ABOVE"), as a request it answers by writing the window's state. Does
/// nothing on window systems without such requests, or for a window not yet made.
void RequestWindowState(QWidget* window, bool add, const char* state);
/// Asks the window manager to keep a shown window above the others, or no longer.
void RequestAboveOthers(QWidget* window, bool above);

/// Escape anywhere in window runs close: the way the window closes from its own buttons (with
/// any question they ask), so that it closes from the keyboard as it does by mouse.
void InstallEscapeKey(QWidget* window, std::function<void()> close);

}  // namespace halden
