// The arrangement of the main window, computed once at start-up from the screen's twips per
// pixel and the measured heights of two texts in the window's font.
//
// The window is laid out in pixels; the controls inside the two frames are placed in twips, as
// are the window's outer width and height. Rounding is to the nearest integer with ties to even.
#pragma once

#include <array>

namespace halden {

/// What the layout is computed from.
struct MainLayoutInput {
    int Tppx = 15;
    int Tppy = 15;
    double captionTextHeight = 15;  // height of the From frame's caption text in the window's font, px
    double pasteTextHeight = 15;    // height of the Paste button's caption text in the window's font, px
    int nonClientHeight = 0;        // outer height minus the height of the area the controls sit in, px
};

/// A control's place and size, in twips of the window's client area.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

/// Where everything goes.
struct MainLayout {
    // The two frames, in pixels of the window's client area; both have the same size.
    double fraLeft = 0;
    double fraTop = 0;
    double fraWidth = 0;
    double fraHeight = 0;
    double fraIntoLeft = 0;
    // The text boxes and lists inside either frame, in twips of the frame.
    double txtLeft = 0;
    double txtTop = 0;
    double txtWidth = 0;
    double txtHeight = 0;
    double lstLeft = 0;
    double lstTop = 0;
    double lstWidth = 0;
    double lstHeight = 0;
    // The arrow picture between the frames, in pixels.
    double imgLeft = 0;
    double imgTop = 0;
    double imgSize = 0;
    // The four tool buttons (Paste, Reduce, Calculator, Copy), in pixels.
    int nButtonWidth = 0;
    int nCaptionTop = 0;
    int buttonHeight = 0;
    double buttonTop = 0;
    std::array<double, 4> buttonLeft{};
    // The invisible click target between the frames and the Convert button below the window's
    // bottom edge (reached through Enter), in twips.
    TwipsRect hiddenLabel;
    TwipsRect convertButton;
    // The window's outer size, in twips.
    double windowWidth = 0;
    double windowHeight = 0;
    int MainFormWidth = 0;
};

/// Computes the main window's arrangement. Tppx and Tppy must be at least 1.
MainLayout ArrangeMainWindow(const MainLayoutInput& input);

/// Left edge of a tool button's caption inside its button: centred in width (whole-number halving
/// that truncates toward zero), moved by offset (0 raised, -1 pressed) and 2 pixels to the right.
int ButtonCaptionLeft(int buttonWidth, double captionWidth, int offset);

// Design sizes in twips of the controls the layout starts from.
inline constexpr double kTxtInputWidth = 2172;
inline constexpr double kTxtInputHeight = 372;
inline constexpr double kLstWidth = 2175;
inline constexpr double kLstHeight = 1620;
inline constexpr double kFrameTop = 330;
inline constexpr double kImgHandSize = 480;
inline constexpr double kButtonTop = 30;
inline constexpr double kButtonDesignHeight = 255;
inline constexpr double kButtonCaptionHeight = 210;
inline constexpr TwipsRect kHiddenLabel{2640, 456, 372, 228};
inline constexpr TwipsRect kConvertButton{2400, 3480, 1005, 255};

}  // namespace halden
