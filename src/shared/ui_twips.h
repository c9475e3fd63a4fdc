// Window positions and outer sizes are kept in twips (the configuration file stores them so);
// Qt places windows in pixels. These helpers convert with the screen's Tppx and Tppy.
#pragma once

#include <QMargins>
#include <QPoint>

class QWidget;

namespace halden {

/// Twips to pixels, horizontally and vertically (rounded to the nearest pixel).
int PixelsX(double twips);
int PixelsY(double twips);
/// Pixels to twips.
int TwipsX(int pixels);
int TwipsY(int pixels);

/// Places a top-level window's outer top-left corner at (left, top) twips.
void MoveWindowTwips(QWidget* window, double left, double top);
/// Moves a window whose outer size is width x height twips to the middle of the primary screen
/// (an 800 x 600 pixel screen when there is none); each half is a whole number of twips.
void CentreWindowTwips(QWidget* window, int width, int height);
/// The free width (without panels and docks) of the screen the window is on, in twips.
int AvailableScreenWidthTwips(const QWidget* window);
/// Gives a top-level window the outer size width x height twips: the client area is that size
/// minus the frame the platform reports (GetNonClientHeight; side frames as WindowFrameMargins
/// gives them). The outer width is applied again once the window manager has framed the window.
void ResizeWindowTwips(QWidget* window, double width, double height);

}  // namespace halden
