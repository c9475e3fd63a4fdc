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
