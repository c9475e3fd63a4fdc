#include "catalogue/unit_names.h"

#include "catalogue/menu_texts.h"
#include "catalogue/unit_aliases.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"
#include "table_cells.h"

#include <algorithm>
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
        {"MPa", "mpa"},
        {"  Km/H ", "km/h"},
        {"°C", "ﾟc"},
        {"℃", "ﾟc"},
        {"µm", "μm"},
        {"\xC3\x85", "\xE2\x84\xAB"},  // the keyboard's A with ring is the list's angstrom sign
        {"ＭＰａ", "mpa"},
        {"m²", "m^2"},
        {"N·m", "n-m"},
        {"deg \t  C\xC2\xA0"
         "F",
         "deg c f"},  // blanks, tabs and no-break spaces collapsed
        {"", ""},
        {"\xC2", "\xC2"},  // a cut UTF-8 sequence stays as it is
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

TEST_F(UnitNameIndexTest, HoldsEveryBuiltInUnitWarpOnlyForSearches) {
    const UnitNameIndex index = Built();
    // 161 units in the Convert menu's groups (Warp among them), 41 in Other Units, 40 prefixes,
    // 22 computer units.
    EXPECT_EQ(index.units().size(), 263U);
    for (const IndexedUnit& unit : index.units()) {
        EXPECT_EQ(unit.searchOnly, unit.group == kGroupVelocity && unit.unit == kWarpUnit);
        EXPECT_FALSE(unit.group >= kFirstUserGroup && unit.group < kFirstUserGroup + kUserGroups);
    }
    EXPECT_EQ(index.units().back().group, 50);
    EXPECT_EQ(index.units().back().unit, 8);
    EXPECT_EQ(index.Search("warp", 5), (std::vector<FoundUnit>{{kGroupVelocity, kWarpUnit}}));
    EXPECT_TRUE(index.Suggest("warp", 5).empty());
}

TEST_F(UnitNameIndexTest, ResolveTakesExactNamesFirstAndFoldsOnlyWhereOneUnitFits) {
    const UnitNameIndex index = Built();
    struct Row {
        const char* name;
        const char* typed;
        std::vector<FoundUnit> units;
        bool ambiguous = false;
    };
    const Row rows[] = {
        {"abbreviation in two groups", "m", {{0, 0}, {27, 27}}},
        {"upper-case prefix is mega", "M", {{27, 21}}},
        {"two letters in another case name nothing", "KT", {}},
        {"two letters in another case are no megabyte", "Mb", {}},
        {"one letter in another case is no temperature", "c", {{9, 6}, {27, 26}}},
        {"temperature names", "C", {{6, 1}}},
        {"temperature sign from a keyboard", "°F", {{6, 2}}},
        {"temperature sign of its own", "℃", {{6, 1}}},
        {"second abbreviation", "kn", {{9, 2}}},
        {"same reading in three groups", "shaku", {{0, 19}, {2, 8}, {3, 24}}},
        {"name before the brackets", "坪", {{2, 11}}},
        {"name listed in a prefix entry", "deci", {{27, 25}}},
        {"longer abbreviation is no prefix of the shorter", "da", {{27, 24}}},
        {"second name outside the prefixes", "feet", {{0, 6}}},
        {"name right of an equals sign", "Torr", {{4, 10}}},
        {"a symbol in another case names nothing", "MPA", {}},
        {"whole list text, blanks collapsed", "  deg   Celsius (ﾟC) ", {{6, 1}}},
        {"glued parentheses are part of the name", "g/(kW-h)", {{12, 0}}},
        {"a whole name beats a short form", "ton", {{1, 8}, {1, 9}, {1, 10}}},
        {"reading that fits several units", "bu", {{0, 17}, {0, 20}, {2, 11}, {3, 14}, {3, 23}, {27, 25}}},
        {"folded name in two groups is refused", "GAMMA", {{1, 11}, {20, 2}}, true},
        {"folded whole name", "KILOGRAM", {{1, 0}}},
        {"folded further name", "INCHES", {{0, 7}}},
        {"plural dropped", "hectares", {{2, 2}}},
        {"further names", "US gal", {{3, 7}}},
        {"powers as typed", "m²", {{2, 0}}},
        {"square feet", "sqft", {{2, 5}}},
        {"speed", "mph", {{9, 3}}},
        {"romaji", "monme", {{1, 12}}},
        {"full-width letter", "ｍ", {{0, 0}, {27, 27}}},
        {"keyboard A with ring", "\xC3\x85", {{0, 12}}},
        {"micro sign", "µ", {{0, 11}, {27, 30}}},
        {"group named", "Graphics Units:inch", {{50, 7}}},
        {"group named in another case, blanks around", " graphics units : INCH", {{50, 7}}},
        {"group named, name fits two units there", "Length:bu", {{0, 17}, {0, 20}}},
        {"no group of that name", "Graphic:inch", {}},
        {"Warp cannot be named", "Warp", {}},
        {"a part of a name is no match", "met", {}},
        {"empty name", "", {}},
        {"blank name", " ", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const NamedUnits named = index.Resolve(row.typed);
        EXPECT_EQ(named.units, row.units);
        EXPECT_EQ(named.ambiguous, row.ambiguous);
    }
}

TEST_F(UnitNameIndexTest, PrefixesComposeOnlyWhereOneReadingExistsAndCaseNeverChangesThem) {
    const UnitNameIndex index = Built();
    struct Row {
        const char* name;
        const char* typed;
        std::vector<FoundUnit> units;
        UnitScale scale;
        bool ambiguous = false;
    };
    const Row rows[] = {
        {"milli is no mega", "mPa", {{4, 0}}, {1, 1000}},
        {"mega is no milli", "Mbar", {{4, 8}}, {1e6, 1}},
        {"the lists' own millibar wins", "mbar", {{4, 7}}, {}},
        {"kilometre from the meter", "km", {{0, 0}}, {1000, 1}},
        {"spelled prefix in any case, plural", "KiloMetres", {{0, 0}}, {1000, 1}},
        {"the micro sign", "µm", {{0, 0}}, {1, 1e6}},
        {"gram is a thousandth of the kilogram", "g", {{1, 0}}, {1, 1000}},
        {"the prefix squared on a square unit", "km²", {{2, 0}}, {1e6, 1}},
        {"the prefix inside a spelled name", "square kilometres", {{2, 0}}, {1e6, 1}},
        {"binary prefix on bits", "Mibit", {{48, 5}}, {1048576, 1}},
        {"no decimal prefix on bytes", "PB", {}, {}},
        {"a prefix on an ambiguous unit stays ambiguous", "kcal", {{7, 2}, {7, 3}}, {1000, 1}},
        {"a further multiple", "stones", {{1, 1}}, {14, 1}},
        {"an exact name wins", "mm", {{0, 2}}, {}},
        {"no prefix on a unit without an SI symbol", "kmile", {}, {}},
        {"a symbol in another case is no prefixed unit", "KM", {}, {}},
        {"a country's measure alone names none", "US", {}, {}},
        {"a plural never turns into another unit", "gals", {{3, 7}, {3, 18}}, {}},
        {"further names of a unit written with the keyboard's A with ring", "A", {{0, 12}}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const NamedUnits named = index.Resolve(row.typed);
        EXPECT_EQ(named.units, row.units);
        EXPECT_EQ(named.scale, row.scale);
        EXPECT_EQ(named.ambiguous, row.ambiguous);
    }
    EXPECT_EQ(index.Resolve("kW").composedName, "kilowatt (kW)");
    EXPECT_EQ(index.GroupNamed("Work Rate, Power...."), 5);
    EXPECT_EQ(index.GroupNamed("Mass"), 1);
}

TEST_F(UnitNameIndexTest, FurtherNamesAreUniqueAndEveryUnitHasAnAsciiName) {
    const UnitNameIndex index = Built();
    std::vector<std::string> seen;
    for (const UnitAliasRow& row : UnitAliasRows()) {
        for (const IndexedUnit& unit : index.units()) {
            if (unit.group != row.group || unit.listText != row.unit) {
                continue;
            }
            for (std::size_t f = 0; f < unit.forms.size(); ++f) {
                if (unit.forms[f].kind != NameFormKind::Alias) {
                    continue;
                }
                const std::string& alias = unit.normalForms[f];
                EXPECT_EQ(std::count(seen.begin(), seen.end(), alias), 0) << alias;
                seen.push_back(alias);
                // Within its group the name fits this unit alone.
                const NamedUnits named = index.Resolve(GroupMenuName(row.group) + ":" + alias);
                EXPECT_EQ(named.units, (std::vector<FoundUnit>{{unit.group, unit.unit}})) << alias;
            }
        }
    }
    EXPECT_GT(seen.size(), 400U);
    const auto rows = UnitAliasRows();
    EXPECT_TRUE(
        std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.group < b.group; }));
    for (const IndexedUnit& unit : index.units()) {
        const auto named = [&](std::size_t f) {
            const std::string& form = unit.normalForms[f];
            return std::all_of(form.begin(), form.end(), [](char c) { return c >= ' ' && c <= '~'; }) &&
                   index.Resolve(GroupMenuName(unit.group) + ":" + form).units ==
                       std::vector<FoundUnit>{{unit.group, unit.unit}};
        };
        bool ascii = unit.searchOnly;
        for (std::size_t f = 0; f < unit.forms.size() && !ascii; ++f) {
            ascii = named(f);
        }
        EXPECT_TRUE(ascii) << unit.listText;
    }
}

TEST_F(UnitNameIndexTest, SuggestsNamesNearInSpellingThenBySearch) {
    const UnitNameIndex index = Built();
    EXPECT_EQ(index.Suggest("Mb", 5).front(), (FoundUnit{48, 2}));
    EXPECT_EQ(index.Suggest("kilogramm", 5).front(), (FoundUnit{1, 0}));
    EXPECT_EQ(index.Suggest("fahrenhiet", 5).front(), (FoundUnit{6, 2}));
    EXPECT_EQ(index.Suggest("m", 50).size(), 50U);
    EXPECT_TRUE(index.Suggest("qqqqqqqqqq", 5).empty());
    EXPECT_TRUE(index.Suggest(":", 5).empty());  // one character is near only in another case
    EXPECT_TRUE(index.Suggest(std::string(10000, 'x'), 5).empty());
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
    const auto resolved = [&](const char* name) { return index.Resolve(name).units; };
    EXPECT_EQ(resolved("畳"), (std::vector<FoundUnit>{{28, 0}}));
    EXPECT_EQ(resolved("Room:JOU"), (std::vector<FoundUnit>{{28, 0}}));
    // An exact short form beats a whole name in another case; a whole name beats a short form.
    EXPECT_EQ(resolved("mm"), (std::vector<FoundUnit>{{0, 2}, {28, 2}}));
    EXPECT_EQ(resolved("Mm"), (std::vector<FoundUnit>{{28, 1}}));
    EXPECT_EQ(resolved("G"), (std::vector<FoundUnit>{{10, 2}, {20, 1}, {27, 19}, {28, 3}}));
    EXPECT_TRUE(resolved("hidden").empty());
    EXPECT_TRUE(resolved("orphan").empty());
    EXPECT_EQ(index.units().size(), 263U + 5U);
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
        {"exact name, then names beginning with it in group order", "kilo", {{27, 22}, {1, 0}, {4, 1}, {7, 1}}},
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
    EXPECT_TRUE(index.Search("no such unit anywhere", 50).empty());
}

}  // namespace
}  // namespace halden
