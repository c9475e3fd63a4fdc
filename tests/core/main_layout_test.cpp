#include "app/main_layout.h"

#include <gtest/gtest.h>

namespace halden {
namespace {

// Each row worked through the layout rule by hand, step by step, for one screen and font.
TEST(MainLayout, WorkedExamples) {
    struct Row {
        MainLayoutInput in;
        double fraHeight, fraWidth, lstTop, txtTop, txtLeft, imgLeft, imgTop, fraIntoLeft, windowHeight;
        int nButtonWidth, MainFormWidth, buttonHeight, nCaptionTop;
        double lastButtonLeft;
    };
    const Row rows[] = {
        {{15, 15, 15, 15, 0}, 159.8, 158.8, 657, 255, 105, 178, 87.5, 218.2, 2862, 91, 5880, 16, 1, 284},
        {{12, 12, 17.25, 14, 31}, 193, 195, 600, 204, 84, 214, 106, 262, 3126, 111, 5664, 20, 4, 344},
        {{20, 10, 11, 15, 31}, 226.2, 122.6, 562, 170, 140, 142, 134.5, 174.4, 2992, 71, 6240, 23, 5, 224},
        {{8, 15, 22, 9, 31}, 159.8, 285.5, 657, 255, 56, 305, 75, 371.5, 3327, 161, 5376, 16, 4, 494},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "Tppx " << row.in.Tppx << " Tppy " << row.in.Tppy);
        const MainLayout l = ArrangeMainWindow(row.in);
        EXPECT_DOUBLE_EQ(l.fraHeight, row.fraHeight);
        EXPECT_DOUBLE_EQ(l.fraWidth, row.fraWidth);
        EXPECT_DOUBLE_EQ(l.lstTop, row.lstTop);
        EXPECT_DOUBLE_EQ(l.txtTop, row.txtTop);
        EXPECT_DOUBLE_EQ(l.txtLeft, row.txtLeft);
        EXPECT_DOUBLE_EQ(l.imgLeft, row.imgLeft);
        EXPECT_DOUBLE_EQ(l.imgTop, row.imgTop);
        EXPECT_NEAR(l.fraIntoLeft, row.fraIntoLeft, 1e-9);
        EXPECT_DOUBLE_EQ(l.windowHeight, row.windowHeight);
        EXPECT_EQ(l.nButtonWidth, row.nButtonWidth);
        EXPECT_EQ(l.MainFormWidth, row.MainFormWidth);
        EXPECT_DOUBLE_EQ(l.windowWidth, row.MainFormWidth);
        EXPECT_EQ(l.buttonHeight, row.buttonHeight);
        EXPECT_EQ(l.nCaptionTop, row.nCaptionTop);
        // Paste, Reduce, Calculator, Copy: edge to edge from one pixel right of the From frame.
        EXPECT_DOUBLE_EQ(l.buttonLeft[0], 11);
        EXPECT_DOUBLE_EQ(l.buttonLeft[3], row.lastButtonLeft);
    }
}

TEST(MainLayout, HalfPixelsRoundToEven) {
    struct Row {
        const char* name;
        double pasteHeight;
        int captionTop;
    };
    // (17 - text height) / 2 at 15 twips per pixel.
    const Row rows[] = {{"1.5 goes up to 2", 14, 2}, {"2.5 goes down to 2", 12, 2}, {"1 stays", 15, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ArrangeMainWindow({15, 15, 15, row.pasteHeight, 0}).nCaptionTop, row.captionTop);
    }
    // The frame caption's height is rounded half to even before it places the arrow.
    EXPECT_DOUBLE_EQ(ArrangeMainWindow({15, 15, 14.5, 15, 0}).imgTop, 87);
    EXPECT_DOUBLE_EQ(ArrangeMainWindow({15, 15, 15.5, 15, 0}).imgTop, 88);
}

TEST(ButtonCaption, CentredWithTruncatingHalves) {
    struct Row {
        const char* name;
        int width;
        double caption;
        int offset;
        int left;
    };
    const Row rows[] = {
        {"even gap", 91, 29, 0, 33},
        {"odd gap truncates", 91, 30, 0, 32},
        {"pressed moves one left", 91, 29, -1, 32},
        {"caption wider than button truncates toward zero", 20, 29, 0, -2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ButtonCaptionLeft(row.width, row.caption, row.offset), row.left);
    }
}

}  // namespace
}  // namespace halden
