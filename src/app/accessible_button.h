// Plain widgets that act as buttons (the icon window, the main window's hidden spot) told to
// assistive tools as buttons: their name, and a press action that does what a click does.
#pragma once

#include <functional>

class QWidget;

namespace halden {

/// Makes assistive tools present widget as a button whose press action runs press. Its name and
/// description are the widget's accessible name and description. Call it before the widget is
/// first shown; the press action goes with the widget.
void MakeAccessibleButton(QWidget* widget, const std::function<void()>& press);

}  // namespace halden
