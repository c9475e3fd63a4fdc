#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"
#include "table_cells.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

using halden::catalogue;
using halden::userUnits;

using core_test::Put;

class UserGroupsTest : public ::testing::Test {
protected:
    void SetUp() override { halden::ResetProcessState(); }
    void TearDown() override { halden::ResetProcessState(); }
};

struct SlotCase {
    const char* name;
    std::string unitName;
    std::string factorText;
    std::string offsetText;
    std::string storedName;
    double userFactor;
    double userOffset;
    double scale;
    double offset;
};

const SlotCase kSlotCases[] = {
    {"named unit takes its factor and offset", "C", "1", "273.15", "C", 1, 273.15, 1, 273.15},
    {"empty factor text gets the tiny scale and no offset", "x", "", "42", "x", 0, 42, 1E-30, 0},
    {"zero factor gets the tiny scale and no offset", "x", "0", "99", "x", 0, 99, 1E-30, 0},
    {"factor without a number reads as zero", "x", "abc", "5", "x", 0, 5, 1E-30, 0},
    {"factor beyond the double range reads as zero", "x", "1e999", "2", "x", 0, 2, 1E-30, 0},
    {"offset beyond the double range reads as zero", "x", "3", "-1e999", "x", 3, 0, 3, 0},
    {"trailing text after the factor is ignored", "x", "12abc", "0.5x", "x", 12, 0.5, 12, 0.5},
    {"hexadecimal factor text", "x", "&H10", "&o10", "x", 16, 8, 16, 8},
    {"blanks inside a factor are skipped", "x", " 1 2 . 5", "", "x", 12.5, 0, 12.5, 0},
    {"negative factor is kept", "x", "-2", "1", "x", -2, 1, -2, 1},
    {"blank name clears factor and offset", "   ", "7", "8", "", 1, 0, 1, 0},
    {"empty name clears factor and offset", "", "0", "8", "", 1, 0, 1, 0},
    {"name with outer spaces is kept as typed", " a ", "2", "", " a ", 2, 0, 2, 0},
    {"tab is not a blank to trim", "\t", "2", "", "\t", 2, 0, 2, 0},
};

TEST_F(UserGroupsTest, EachSlotIsReadByTheTransferRules) {
    for (const SlotCase& row : kSlotCases) {
        SCOPED_TRACE(row.name);
        halden::ResetProcessState();
        auto& user = userUnits();
        Put(user.UserGroupName[4], "Group");
        user.UserUnitName[4][2] = row.unitName;
        user.UserFactorText[4][2] = row.factorText;
        user.UserOffsetText[4][2] = row.offsetText;
        halden::TransferUserGroups(halden::catalogue(), halden::userUnits());

        const int g = 4 + halden::kFirstUserGroup;
        EXPECT_EQ(user.UserUnitName[4][2], row.storedName);
        EXPECT_EQ(user.UserFactor[4][2], row.userFactor);
        EXPECT_EQ(user.UserOffset[4][2], row.userOffset);
        EXPECT_EQ(catalogue().UnitName[g][2], row.storedName);
        EXPECT_EQ(catalogue().TempScale[5][2], row.scale);
        EXPECT_EQ(catalogue().TempOffset[5][2], row.offset);
        EXPECT_EQ(catalogue().UnitCount[g], row.storedName.empty() ? 0 : 1);
        // The typed texts stay as the user typed them.
        EXPECT_EQ(user.UserFactorText[4][2], row.factorText);
        EXPECT_EQ(user.UserOffsetText[4][2], row.offsetText);
    }
}

TEST_F(UserGroupsTest, EmptyTablesGiveEmptyGroups) {
    halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
    for (int u = 0; u < halden::kUserGroups; ++u) {
        SCOPED_TRACE(u);
        EXPECT_EQ(catalogue().GroupName[u + halden::kFirstUserGroup], "");
        EXPECT_EQ(catalogue().UnitCount[u + halden::kFirstUserGroup], 0);
        EXPECT_EQ(catalogue().TempScale[u + 1][0], 1.0);
    }
}

TEST_F(UserGroupsTest, EveryBlankSlotLowersTheCount) {
    struct CountCase {
        const char* name;
        std::array<std::string, 10> units;
        int count;
    };
    const CountCase cases[] = {
        {"gap in slot 3", {"a", "b", "c", "", "e"}, 4},
        {"all ten named", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, 10},
        {"only the last slot", {"", "", "", "", "", "", "", "", "", "j"}, 1},
        {"spaces count as blank", {"a", " ", "  "}, 1},
    };
    for (const CountCase& row : cases) {
        SCOPED_TRACE(row.name);
        halden::ResetProcessState();
        for (int j = 0; j < 10; ++j) {
            userUnits().UserUnitName[19][j] = row.units[static_cast<std::size_t>(j)];
            Put(userUnits().UserFactorText[19][j], "2");
        }
        halden::TransferUserGroups(halden::catalogue(), halden::userUnits());
        EXPECT_EQ(catalogue().UnitCount[47], row.count);
    }
}

TEST_F(UserGroupsTest, TransferAgainReplacesTheOldGroups) {
    Put(userUnits().UserGroupName[0], "Old");
    Put(userUnits().UserUnitName[0][0], "a");
    Put(userUnits().UserUnitName[0][1], "b");
    Put(userUnits().UserFactorText[0][1], "5");
    halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
    EXPECT_EQ(catalogue().UnitCount[28], 2);
    EXPECT_EQ(catalogue().TempScale[1][0], 1E-30);

    Put(userUnits().UserGroupName[0], "New");
    Put(userUnits().UserUnitName[0][1], "");
    halden::TransferUserGroups(halden::catalogue(), halden::userUnits());
    EXPECT_EQ(catalogue().GroupName[28], "New");
    EXPECT_EQ(catalogue().UnitCount[28], 1);
    EXPECT_EQ(catalogue().UnitName[28][1], "");
    EXPECT_EQ(catalogue().TempScale[1][1], 1.0);
    // The built-in groups around the user groups are untouched.
    EXPECT_EQ(catalogue().GroupName[27], "Metric Prefixes");
    EXPECT_EQ(catalogue().GroupName[48], "Bit, Byte");
}

}  // namespace
