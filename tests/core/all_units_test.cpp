#include "catalogue/all_units.h"

#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using halden::AllUnitsInput;
using halden::catalogue;

class AllUnitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        halden::ResetProcessState();
        // User 1: the temperature units as a user defines them.
        auto& user = halden::userUnits();
        user.UserGroupName[0] = "Temp";
        const char* names[] = {"K", "C", "F"};
        const char* factors[] = {"1", "1", "0.555555555555556"};
        const char* offsets[] = {"0", "273.15", "459.67"};
        for (int j = 0; j < 3; ++j) {
            user.UserUnitName[0][j] = names[j];
            user.UserFactorText[0][j] = factors[j];
            user.UserOffsetText[0][j] = offsets[j];
        }
        halden::BuildUnitCatalogue(catalogue(), halden::userUnits(), 15);
    }
    void TearDown() override { halden::ResetProcessState(); }
};

TEST_F(AllUnitsTest, EachRowReadsAsTheResultBoxWouldForThatUnit) {
    struct Row {
        const char* name;
        AllUnitsInput input;
        int into;
        const char* text;
    };
    const Row rows[] = {
        {"the From unit gives the value", {0, 3, "3", 6, 0}, 3, "3.00000"},
        {"nothing chosen to convert from", {0, -1, "3", 6, 0}, 0, "Input error"},
        {"user group: C into F", {28, 1, "100", 6, 0}, 2, "212.000"},
        {"hex into itself is written again", {49, 3, "ff", 6, 0}, 3, "FF"},
        {"binary into itself keeps sixteen digits", {49, 1, "101", 6, 0}, 1, "0000000000000101"},
        {"decimal into itself", {49, 0, "255", 6, 0}, 0, "255"},
        {"no octal digit is an error in its own base", {49, 2, "8", 6, 0}, 2, "Input error"},
        {"decimal too large for binary", {49, 0, "65536", 6, 0}, 1, "Input error"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::AllUnitsResult(catalogue(), 0, row.input, row.into), row.text);
    }
}

TEST_F(AllUnitsTest, EveryOtherUnitMatchesTheConvertCommandInEveryGroup) {
    for (int g = 0; g < halden::kGroupCount; ++g) {
        const int count = halden::TargetCount(catalogue(), g);
        const std::string text = g == halden::kGroupRadix ? "1F" : "12.5";
        for (int from = 0; from < catalogue().UnitCount[static_cast<std::size_t>(g)]; ++from) {
            std::vector<std::string> texts;
            halden::AllUnitsResults(catalogue(), 0, {g, from, text, 6, 0}, texts);
            ASSERT_EQ(static_cast<int>(texts.size()), count);
            for (int into = 0; into < count; ++into) {
                if (into == from) {
                    continue;
                }
                SCOPED_TRACE(catalogue().UnitName[g][from] + " -> " + catalogue().UnitName[g][into]);
                halden::NullSink quiet;
                EXPECT_EQ(texts[into], halden::ConvertCommand(catalogue(), 0, {g, from, into, text, 6, 0, ""}, quiet));
            }
        }
    }
    // Velocity lists no row for Warp, which is only converted from; an empty input converts nothing.
    EXPECT_EQ(halden::TargetCount(catalogue(), halden::kGroupVelocity),
              catalogue().UnitCount[halden::kGroupVelocity] - 1);
    std::vector<std::string> texts{"stale"};
    halden::AllUnitsResults(catalogue(), 0, {0, 3, "", 6, 0}, texts);
    EXPECT_EQ(texts, std::vector<std::string>(static_cast<std::size_t>(catalogue().UnitCount[0]), ""));
}

}  // namespace
