#include "catalogue/menu_texts.h"

#include <gtest/gtest.h>

namespace halden {
namespace {

TEST(GroupMenuItem, EveryGroupHasTheItemOfItsMenuAndBack) {
    struct Row {
        const char* name;
        int group;
        GroupMenuItem item;
    };
    const Row rows[] = {
        {"first Convert item", 0, {GroupMenuKind::Convert, 0}},
        {"Velocity", 9, {GroupMenuKind::Convert, 9}},
        {"last Convert item", 13, {GroupMenuKind::Convert, 13}},
        {"first Other Units item", 14, {GroupMenuKind::Other, 0}},
        {"last Other Units item", 26, {GroupMenuKind::Other, 12}},
        {"Metric Prefixes", 27, {GroupMenuKind::Decimal, 0}},
        {"User 1", 28, {GroupMenuKind::User, 0}},
        {"User 20", 47, {GroupMenuKind::User, 19}},
        {"Bit, Byte", 48, {GroupMenuKind::Computer, 0}},
        {"Hex, Oct, Bin", 49, {GroupMenuKind::Computer, 1}},
        {"Graphics Units", 50, {GroupMenuKind::Computer, 2}},
        {"below the groups", -1, {GroupMenuKind::None, 0}},
        {"above the groups", 51, {GroupMenuKind::None, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(GroupMenuItemOf(row.group), row.item);
        if (row.item.kind != GroupMenuKind::None) {
            EXPECT_EQ(GroupOfMenuItem(row.item.kind, row.item.index), row.group);
        }
    }
}

TEST(GroupMenuItem, AllGroupsRoundTrip) {
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupMenuItem item = GroupMenuItemOf(g);
        ASSERT_NE(item.kind, GroupMenuKind::None) << g;
        EXPECT_EQ(GroupOfMenuItem(item.kind, item.index), g) << g;
    }
}

TEST(GroupMenuItem, IndexOutsideItsMenuSelectsNoGroup) {
    EXPECT_EQ(GroupOfMenuItem(GroupMenuKind::Convert, 14), -1);
    EXPECT_EQ(GroupOfMenuItem(GroupMenuKind::Other, 13), -1);
    EXPECT_EQ(GroupOfMenuItem(GroupMenuKind::User, 20), -1);
    EXPECT_EQ(GroupOfMenuItem(GroupMenuKind::Computer, 3), -1);
    EXPECT_EQ(GroupOfMenuItem(GroupMenuKind::Computer, -1), -1);
    EXPECT_EQ(GroupOfMenuItem(GroupMenuKind::None, 0), -1);
}

TEST(FigureItem, IntegerIsTheFourthItemAndOtherValuesHaveNone) {
    const std::pair<int, int> rows[] = {{4, 0}, {6, 1}, {8, 2}, {7, 3}, {5, -1}, {0, -1}, {9, -1}};
    for (const auto& [figure, item] : rows) {
        EXPECT_EQ(FigureItemOf(figure), item) << figure;
    }
}

TEST(UserMenu, OnlyBlanksCountAsNoName) {
    std::array<std::string, kUserGroups> names{};
    names[1].assign(1, '\t');  // a tab is not a blank: the group has a name
    names[2].assign(2, ' ');
    const UserMenuState menu = UserMenu(names);
    EXPECT_TRUE(menu.visible[0]);
    EXPECT_EQ(menu.captions[0], "User 1");
    EXPECT_TRUE(menu.visible[1]);
    EXPECT_EQ(menu.captions[1], "\t");
    EXPECT_FALSE(menu.visible[2]);
    EXPECT_TRUE(menu.submenuEnabled);
}

TEST(HistoryCaption, VelocityPhrasingOnBothSides) {
    struct Row {
        const char* name;
        int from;
        int into;
        const char* caption;
    };
    const Row rows[] = {
        {"light speed into Mach", 6, 7, "2 time(s) F = I 5"},
        {"Mach into light speed", 7, 6, "F 2 = 5 time(s) I"},
        {"Warp into Mach", 13, 8, "F 2 = I 5"},
        {"index 5 is plain", 5, 5, "2 F = 5 I"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(HistoryCaption(kGroupVelocity, row.from, row.into, "2", "F", "5", "I"), row.caption);
    }
}

TEST(GroupMenuName, BuiltInGroupsWithoutAccessKeysUserGroupsNone) {
    struct Row {
        int g;
        const char* name;
    };
    const Row rows[] = {{0, "Length"},
                        {5, "Work Rate, Power"},
                        {9, "Velocity"},
                        {13, "Angle"},
                        {14, "Viscosity"},
                        {26, "Exposed Dose (Exposure)"},
                        {27, "Metric Prefixes"},
                        {28, ""},
                        {47, ""},
                        {48, "Bit, Byte"},
                        {50, "Graphics Units"},
                        {51, ""},
                        {-1, ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.g);
        EXPECT_EQ(GroupMenuName(row.g), row.name);
    }
}

}  // namespace
}  // namespace halden
