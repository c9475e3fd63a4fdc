#include "app/main_layout.h"

#include <cmath>

namespace halden {
namespace {

// Nearest integer, ties to even (the default rounding mode).
double Nearest(double value) { return std::nearbyint(value); }

// Whole-number division truncating toward zero; the operands are whole already or rounded first.
int WholeDiv(double a, int b) { return static_cast<int>(Nearest(a)) / b; }

}  // namespace

MainLayout ArrangeMainWindow(const MainLayoutInput& in) {
    const double tppx = in.Tppx;
    const double tppy = in.Tppy;
    MainLayout out;
    out.txtWidth = kTxtInputWidth;
    out.txtHeight = kTxtInputHeight;
    out.lstWidth = kLstWidth;
    out.lstHeight = kLstHeight;
    out.fraTop = kFrameTop / tppy;
    out.imgSize = kImgHandSize / tppx;
    out.buttonTop = kButtonTop / tppy;
    out.hiddenLabel = kHiddenLabel;
    out.convertButton = kConvertButton;

    const double th = Nearest(in.captionTextHeight);
    const double h = Nearest((out.txtHeight + out.lstHeight) / tppy + th + 12);
    const double l0 = Nearest((h - 8) * tppy - out.lstHeight);
    out.txtTop = 17 * tppy;
    const double g = Nearest(l0 - (out.txtTop + out.txtHeight + 2 * tppy));
    // The list starts two pixels below the input box; the frame loses what the list moved up.
    out.fraHeight = h - g / tppy;
    out.lstTop = l0 - g;
    out.fraWidth = out.txtWidth / tppx + 14;
    out.fraLeft = 10;
    out.txtLeft = 7 * tppx;
    out.lstLeft = out.txtLeft;

    const double r = Nearest(out.fraLeft + out.fraWidth);
    out.fraIntoLeft = r + out.imgSize + 14;  // provisional, moved right below
    out.windowHeight = (in.nonClientHeight + out.fraTop + out.fraHeight + 9) * tppy;

    out.imgLeft = r + WholeDiv(out.fraIntoLeft - r - out.imgSize, 2) + 2;
    out.imgTop = th / 2 + out.fraTop + WholeDiv(out.fraHeight - WholeDiv(th, 2) - out.imgSize, 2) - 2;

    out.nButtonWidth = static_cast<int>(Nearest((out.fraWidth + out.fraIntoLeft - out.fraLeft - 1) / 4));
    out.windowWidth = (2 * out.fraLeft + 4 * out.nButtonWidth + 8) * tppx;
    out.MainFormWidth = static_cast<int>(Nearest(out.windowWidth));
    // The Into frame keeps the From frame's margin from the right edge.
    out.fraIntoLeft = out.windowWidth / tppx - out.fraLeft - out.fraWidth - 5;

    out.buttonHeight = static_cast<int>(Nearest(kButtonCaptionHeight / tppy + 2));
    out.nCaptionTop = static_cast<int>(Nearest((kButtonDesignHeight / tppy - in.pasteTextHeight) / 2));
    out.buttonLeft[0] = out.fraLeft + 1;
    for (std::size_t i = 1; i < out.buttonLeft.size(); ++i) {
        out.buttonLeft[i] = out.buttonLeft[i - 1] + out.nButtonWidth;
    }
    return out;
}

int ButtonCaptionLeft(int buttonWidth, double captionWidth, int offset) {
    return WholeDiv(buttonWidth - Nearest(captionWidth), 2) + offset + 2;
}

}  // namespace halden
