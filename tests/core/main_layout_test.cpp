#include "app/main_layout.h"

#include <cmath>
#include <gtest/gtest.h>

namespace halden {
namespace {

TEST(MainLayout, WorkedExampleAtFifteenTwipsPerPixel) {
    const MainLayout layout = ArrangeMainWindow({15, 15, 15, 15, 0});
    EXPECT_DOUBLE_EQ(layout.fraHeight, 159.8);
    EXPECT_DOUBLE_EQ(layout.fraWidth, 158.8);
    EXPECT_DOUBLE_EQ(layout.lstTop, 657);
    EXPECT_DOUBLE_EQ(layout.txtTop, 255);
    EXPECT_DOUBLE_EQ(layout.txtLeft, 105);
    EXPECT_DOUBLE_EQ(layout.imgLeft, 178);
    EXPECT_DOUBLE_EQ(layout.imgTop, 87.5);
    EXPECT_EQ(layout.nButtonWidth, 91);
    EXPECT_EQ(layout.MainFormWidth, 5880);
    EXPECT_DOUBLE_EQ(layout.fraIntoLeft, 392 - 10 - 158.8 - 5);
    EXPECT_EQ(layout.buttonHeight, 16);
    EXPECT_EQ(layout.nCaptionTop, 1);
    EXPECT_DOUBLE_EQ(layout.windowHeight, (22 + 159.8 + 9) * 15);
}

TEST(MainLayout, IdentitiesHoldForEveryScreenAndFont) {
    for (int tppx : {8, 10, 12, 15, 20}) {
        for (int tppy : {10, 12, 15}) {
            for (double th : {11.0, 14.5, 15.0, 17.25, 22.0}) {
                SCOPED_TRACE(testing::Message() << "Tppx " << tppx << " Tppy " << tppy << " TH " << th);
                const MainLayout l = ArrangeMainWindow({tppx, tppy, th, th, 31});
                // Buttons edge to edge from one pixel right of the From frame.
                EXPECT_DOUBLE_EQ(l.buttonLeft[0], l.fraLeft + 1);
                for (std::size_t i = 1; i < l.buttonLeft.size(); ++i) {
                    EXPECT_DOUBLE_EQ(l.buttonLeft[i], l.buttonLeft[i - 1] + l.nButtonWidth);
                }
                const double buttonsRight = l.buttonLeft[3] + l.nButtonWidth;
                EXPECT_DOUBLE_EQ(l.windowWidth / tppx, 2 * l.fraLeft + 4 * l.nButtonWidth + 8);
                EXPECT_NEAR(l.fraIntoLeft + l.fraWidth, buttonsRight + 2, 1e-9);
                EXPECT_EQ(l.MainFormWidth, static_cast<int>(std::nearbyint(l.windowWidth)));
                // The list starts two pixels below the input box.
                EXPECT_DOUBLE_EQ(l.lstTop, l.txtTop + l.txtHeight + 2 * tppy);
                // The arrow lies between the frames.
                EXPECT_GT(l.imgLeft, l.fraLeft + l.fraWidth);
                EXPECT_LT(l.imgLeft + l.imgSize, l.fraIntoLeft);
                EXPECT_DOUBLE_EQ(l.windowHeight, (31 + l.fraTop + l.fraHeight + 9) * tppy);
            }
        }
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
