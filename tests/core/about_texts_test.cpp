#include "reference/about_texts.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace halden;

TEST(AboutTexts, ScrollTextIsBlanksSentenceBlanksSentence) {
    ASSERT_EQ(kAboutRightsReserved.size(), 20U);
    const std::string text = BuildScrollText();
    ASSERT_EQ(text.size(), 106U);
    const std::string blanks(33, ' ');
    EXPECT_EQ(text, blanks + std::string(kAboutRightsReserved) + blanks + std::string(kAboutRightsReserved));
}

TEST(AboutTexts, NoticeHasFiveLinesAndLineThreeIsTheLongest) {
    // The notice frame is sized by line 3; a longer line elsewhere would be cut off.
    ASSERT_EQ(kAboutNotice.size(), 5U);
    for (std::size_t i = 0; i < kAboutNotice.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(kAboutNotice[i].empty());
        EXPECT_LE(kAboutNotice[i].size(), kAboutNotice[3].size());
    }
}

struct ScrollCase {
    const char* name;
    std::int16_t p;
    std::size_t shownLength;  // characters shown from the end of the text
    std::int16_t next;
};

const ScrollCase kScrollCases[] = {
    {"start shows the whole text", 0, 106, 1},
    {"one step drops one character", 1, 105, 2},
    {"last character alone", 105, 1, 106},
    {"position equal to the length shows nothing", 106, 0, 0},
    {"position beyond the text shows nothing", 200, 0, 0},
    {"negative position shows the whole text", -3, 106, -2},
};

TEST(AboutTexts, ScrollPositionTable) {
    const std::string text = BuildScrollText();
    for (const ScrollCase& row : kScrollCases) {
        SCOPED_TRACE(row.name);
        const std::string_view shown = ScrollView(text, row.p);
        EXPECT_EQ(shown, std::string_view(text).substr(text.size() - row.shownLength));
        EXPECT_EQ(NextScrollPosition(row.p, text.size()), row.next);
    }
}

TEST(AboutTexts, ScrollRunsOneHundredSevenTicksPerCycle) {
    const std::string text = BuildScrollText();
    std::int16_t p = 0;
    for (int tick = 1; tick <= 107; ++tick) {
        p = NextScrollPosition(p, text.size());
    }
    EXPECT_EQ(p, 0);
}

TEST(AboutTexts, IconShowsTiltedBalanceForTheLastThreeOfTwentyTicks) {
    std::int16_t tick = 0;
    for (int step = 0; step < 60; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(tick, step % 20);
        EXPECT_EQ(IconShowsTilted(tick), step % 20 >= 17);
        tick = NextIconTick(tick);
    }
}

}  // namespace
