#include "catalogue/unit_names.h"

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/settings.h"
#include "table_cells.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace halden {
namespace {

constexpr auto W = NameFormKind::Whole;
constexpr auto S = NameFormKind::Short;

using core_test::Put;

TEST(UnitNameForms, EachListTextGivesItsNamesAndShortForms) {
    struct Row {
        const char* name;
        const char* text;
        std::vector<NameForm> forms;
    };
    const Row rows[] = {
        {"name and abbreviation", "meter (m)", {{"meter (m)", W}, {"meter", W}, {"m", S}}},
        {"several abbreviations",
         "knot (kt, kn)",
         {{"knot (kt, kn)", W}, {"knot", W}, {"kt, kn", S}, {"kt", S}, {"kn", S}}},
        {"reading in brackets", "尺 [shaku]", {{"尺 [shaku]", W}, {"尺", W}, {"shaku", S}}},
        {"two bracketed notes", "斤 [kin] [通常品]", {{"斤 [kin] [通常品]", W}, {"斤", W}, {"kin", S}, {"通常品", S}}},
        {"prefix entry listing two names",
         "分 [bu], deci (d)",
         {{"分 [bu], deci (d)", W}, {"分 [bu]", W}, {"deci (d)", W}, {"分", W}, {"deci", W}, {"bu", S}, {"d", S}}},
        {"names joined by an equals sign without a blank before it",
         "間 [ken]= 歩 [bu]",
         {{"間 [ken]= 歩 [bu]", W}, {"間 [ken]", W}, {"歩 [bu]", W}, {"間", W}, {"歩", W}, {"ken", S}, {"bu", S}}},
        {"glued parentheses belong to the name", "g/(kW-h)", {{"g/(kW-h)", W}}},
        {"glued parentheses on one side of an equals sign",
         "lb/(ft-s) = pdl-s/ft^2",
         {{"lb/(ft-s) = pdl-s/ft^2", W}, {"lb/(ft-s)", W}, {"pdl-s/ft^2", W}}},
        {"comma inside brackets does not split the name",
         "Mach [0ﾟC, 1atm]",
         {{"Mach [0ﾟC, 1atm]", W}, {"Mach", W}, {"0ﾟC, 1atm", S}}},
        {"comma-listed names outside the prefixes",
         "foot, feet (ft)",
         {{"foot, feet (ft)", W}, {"foot", W}, {"feet (ft)", W}, {"feet", W}, {"ft", S}}},
        {"a name without brackets", "mile", {{"mile", W}}},
        {"blanks around the text are no part of a form", "  mile  ", {{"mile", W}}},
        {"unclosed parenthesis ends at the text's end", "foo (bar", {{"foo (bar", W}, {"foo", W}, {"bar", S}}},
        {"empty brackets give no form", "x ()", {{"x ()", W}, {"x", W}}},
        {"empty text has no form", "", {}},
        {"blank text has no form", "   ", {}},
        {"separators alone give no form", ", =", {{", =", W}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(UnitNameForms(row.text), row.forms);
    }
}

TEST(FoldName, IgnoresAsciiCaseAndReadsKeyboardSigns) {
    const std::pair<const char*, const char*> rows[] = {
        {"MPa", "mpa"}, {"  Km/H ", "km/h"},  {"°C", "ﾟc"}, {"µm", "μm"},
        {"Å", "Å"},     {"ＭＰａ", "ＭＰａ"}, {"", ""},     {"\xC2", "\xC2"},  // a cut UTF-8 sequence stays as it is
    };
    for (const auto& [text, folded] : rows) {
        EXPECT_EQ(FoldName(text), folded) << text;
    }
}

class UnitNameIndexTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }

    static UnitNameIndex Built() {
        BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
        return UnitNameIndex(catalogue());
    }
};

TEST_F(UnitNameIndexTest, HoldsEveryBuiltInUnitButWarp) {
    const UnitNameIndex index = Built();
    // 160 units in the Convert menu's groups, 41 in Other Units, 40 prefixes, 22 computer units;
    // Warp is no unit to find.
    EXPECT_EQ(index.units().size(), 262U);
    for (const IndexedUnit& unit : index.units()) {
        EXPECT_FALSE(unit.group == kGroupVelocity && unit.unit == kWarpUnit);
        EXPECT_FALSE(unit.group >= kFirstUserGroup && unit.group < kFirstUserGroup + kUserGroups);
    }
    EXPECT_EQ(index.units().back().group, 50);
    EXPECT_EQ(index.units().back().unit, 8);
}

TEST_F(UnitNameIndexTest, MatchPicksTheBestFormInTheGroup) {
    const UnitNameIndex index = Built();
    struct Row {
        const char* name;
        int group;
        const char* typed;
        std::vector<int> units;
    };
    const Row rows[] = {
        {"abbreviation", 0, "m", {0}},
        {"lower-case prefix is milli", 27, "m", {27}},
        {"upper-case prefix is mega", 27, "M", {21}},
        {"case ignored when no exact form fits", 9, "KT", {2}},
        {"second abbreviation", 9, "kn", {2}},
        {"reading in brackets", 0, "shaku", {19}},
        {"same reading in another group", 2, "shaku", {8}},
        {"name before the brackets", 2, "坪", {11}},
        {"reading of the second name", 2, "tsubo", {11}},
        {"name listed in a prefix entry", 27, "deci", {25}},
        {"abbreviation in a prefix entry", 27, "d", {25}},
        {"longer abbreviation is no prefix of the shorter", 27, "da", {24}},
        {"second name outside the prefixes", 0, "feet", {6}},
        {"name left of an equals sign", 4, "Pa", {0}},
        {"name right of an equals sign", 4, "Torr", {10}},
        {"name in another case beside a longer name", 4, "mpa", {2}},
        {"whole list text", 6, "deg Celsius (ﾟC)", {1}},
        {"degree sign typed from a keyboard", 6, "°F", {2}},
        {"blanks around the name are ignored", 6, "  deg Celsius ", {1}},
        {"glued parentheses are part of the name", 12, "g/(kW-h)", {0}},
        {"inside glued parentheses is no name", 12, "kW-h", {}},
        {"reading that fits two units is ambiguous", 0, "bu", {17, 20}},
        {"name that fits three units is ambiguous", 1, "ton", {8, 9, 10}},
        {"Warp cannot be named", 9, "Warp", {}},
        {"a unit of another group is no match", 1, "mile", {}},
        {"a part of a name is no match", 0, "met", {}},
        {"empty name", 0, "", {}},
        {"group outside the catalogue", 51, "m", {}},
        {"group below the catalogue", -1, "m", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(index.Match(row.group, row.typed), row.units);
    }
}

TEST_F(UnitNameIndexTest, GroupsNamingListsEveryGroupThatHoldsTheName) {
    const UnitNameIndex index = Built();
    EXPECT_EQ(index.GroupsNaming("m"), (std::vector<int>{0, 27}));
    EXPECT_EQ(index.GroupsNaming("shaku"), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(index.GroupsNaming("inch"), (std::vector<int>{0, 50}));
    EXPECT_EQ(index.GroupsNaming("Hexadecimal"), (std::vector<int>{49}));
    EXPECT_EQ(index.GroupsNaming("M"), (std::vector<int>{0, 27}));
    EXPECT_EQ(index.GroupsNaming("M", true), (std::vector<int>{27}));
    EXPECT_EQ(index.GroupsNaming("KT", true), (std::vector<int>{}));
    EXPECT_TRUE(index.GroupsNaming("nothing of the kind").empty());
    EXPECT_TRUE(index.GroupsNaming(" ").empty());
}

TEST_F(UnitNameIndexTest, NamedUserGroupsTakePartWithTheUnitsTheirListsShow) {
    auto& user = userUnits();
    Put(user.UserGroupName[0], "Room");
    Put(user.UserUnitName[0][0], "jou (畳)");
    Put(user.UserFactorText[0][0], "1.62");
    Put(user.UserUnitName[0][1], "Mm");
    Put(user.UserUnitName[0][2], "foo (mm)");
    Put(user.UserUnitName[0][3], "G (x)");
    Put(user.UserUnitName[0][4], "bar (G)");
    // Slot 5 blank, slot 6 named: the list shows slots 0..5 only (six named units).
    Put(user.UserUnitName[0][6], "hidden");
    // An unnamed group's units never take part.
    Put(user.UserUnitName[1][0], "orphan");
    const UnitNameIndex index = Built();

    EXPECT_TRUE(GroupTakesPart(catalogue(), 28));
    EXPECT_FALSE(GroupTakesPart(catalogue(), 29));
    EXPECT_EQ(index.Match(28, "畳"), (std::vector<int>{0}));
    EXPECT_EQ(index.Match(28, "JOU"), (std::vector<int>{0}));
    // An exact short form beats a whole name in another case; a whole name beats a short form.
    EXPECT_EQ(index.Match(28, "mm"), (std::vector<int>{2}));
    EXPECT_EQ(index.Match(28, "MM"), (std::vector<int>{1}));
    EXPECT_EQ(index.Match(28, "G"), (std::vector<int>{3}));
    EXPECT_TRUE(index.Match(28, "hidden").empty());
    EXPECT_TRUE(index.GroupsNaming("orphan").empty());
    EXPECT_EQ(index.GroupsNaming("mm"), (std::vector<int>{0, 28}));
    EXPECT_EQ(index.units().size(), 262U + 5U);
}

TEST_F(UnitNameIndexTest, SearchRanksExactThenPrefixThenSubstring) {
    const UnitNameIndex index = Built();
    struct Row {
        const char* name;
        const char* query;
        std::vector<FoundUnit> first;
    };
    const Row rows[] = {
        {"exact reading before the readings that hold it", "tsubo", {{2, 11}, {2, 10}, {3, 30}}},
        {"exact abbreviation, then names beginning with it", "m^2", {{2, 0}, {15, 0}, {15, 3}}},
        {"exact case first, then other case in group order", "M", {{27, 21}, {0, 0}, {27, 27}}},
        {"exact name, then names beginning with it in group order", "kilo", {{27, 22}, {1, 0}, {48, 1}, {48, 6}}},
        {"query in another case finds the same", "KILOBYTE", {{48, 1}}},
        {"substring of a list text", "yukawa", {{0, 13}}},
        {"Japanese name", "光年", {{0, 15}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<FoundUnit> found = index.Search(row.query, 50);
        ASSERT_GE(found.size(), row.first.size());
        EXPECT_EQ(std::vector<FoundUnit>(found.begin(), found.begin() + static_cast<long>(row.first.size())),
                  row.first);
    }
}

TEST_F(UnitNameIndexTest, SearchFindsEachUnitOnceAndKeepsToTheLimit) {
    const UnitNameIndex index = Built();
    const std::vector<FoundUnit> all = index.Search("m", 1000);
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            EXPECT_FALSE(all[i] == all[j]) << all[i].group << "/" << all[i].unit;
        }
    }
    EXPECT_GT(all.size(), 50U);
    EXPECT_EQ(index.Search("m", 5).size(), 5U);
    EXPECT_TRUE(index.Search("m", 0).empty());
    EXPECT_TRUE(index.Search("", 50).empty());
    EXPECT_TRUE(index.Search("   ", 50).empty());
    EXPECT_TRUE(index.Search("Warp", 50).empty());
    EXPECT_TRUE(index.Search("no such unit anywhere", 50).empty());
}

}  // namespace
}  // namespace halden
