#include "catalogue/convert_value.h"

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using halden::catalogue;
using halden::ConvertValue;

constexpr double kLight = 299792458.0;

class ConvertValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        halden::ResetProcessState();
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
    }
    void TearDown() override { halden::ResetProcessState(); }
};

struct ValueCase {
    const char* name;
    int g;
    int from;
    int into;
    const char* text;
    std::optional<double> expected;  // nullopt: the conversion fails
    int warpIdx = 0;
};

const ValueCase kValueCases[] = {
    {"mile into meter", 0, 3, 0, "1", 1609.344},
    {"3 mile into meter", 0, 3, 0, "3", 4828.032},
    {"foot into inch multiplies first", 0, 6, 7, "1", (1 * 0.3048) / 0.0254},
    {"kilobyte into bit", 48, 1, 5, "1", 8192},
    {"megabit into byte", 48, 7, 0, "1", 125000},
    {"graphics inch into point", 50, 7, 2, "1", 72},
    {"graphics inch into pixel", 50, 7, 1, "1", 96},
    {"text with trailing letters", 0, 3, 0, "2 miles", 3218.688},
    {"no number reads as zero", 0, 3, 0, "", 0},
    {"0 Celsius into Kelvin", 6, 1, 0, "0", 273.15},
    {"32 Fahrenheit into Celsius snaps to exactly zero", 6, 2, 1, "32", 0},
    {"absolute zero in Celsius snaps", 6, 1, 0, "-273.15", 0},
    {"snap bound is strict", 6, 0, 0, "1E-12", 1E-12},
    {"below the snap bound", 6, 0, 0, "-9.99E-13", 0},
    {"warp level 1 into m/s ignores the text", 9, 13, 0, "not a number", kLight},
    {"warp level 9.9999 into m/s", 9, 13, 0, "1", 199516 * kLight, 13},
    {"warp with nothing selected in Into gives 0", 9, 13, -1, "1", 0},
    {"warp into Warp divides by zero", 9, 13, 13, "1", std::nullopt},
    {"warp level beyond the table", 9, 13, 0, "1", std::nullopt, 14},
    {"negative warp level", 9, 13, 0, "1", std::nullopt, -1},
    {"m/s into Warp divides by zero", 9, 0, 13, "1", std::nullopt},
    {"nothing selected in From", 0, -1, 0, "1", std::nullopt},
    {"nothing selected in Into", 0, 0, -1, "1", std::nullopt},
    {"temperature with nothing selected in Into", 6, 0, -1, "1", std::nullopt},
    {"From beyond the group's units", 0, 25, 0, "1", std::nullopt},
    {"Into beyond every slot", 0, 0, 41, "1", std::nullopt},
    {"temperature index beyond its four units", 6, 4, 0, "1", std::nullopt},
    {"number bases are not converted here", 49, 0, 1, "1", std::nullopt},
    {"group below the range", -1, 0, 0, "1", std::nullopt},
    {"group above the range", 51, 0, 0, "1", std::nullopt},
    {"user group without units", 28, 0, 0, "1", std::nullopt},
    {"input beyond the double range", 0, 0, 0, "2E308", std::nullopt},
    {"result beyond the double range", 0, 15, 2, "1E300", std::nullopt},
    {"largest input into the same unit", 0, 0, 0, "1.7976931348623157E308", 1.7976931348623157E308},
};

TEST_F(ConvertValueTest, WorkedExamplesAndFailures) {
    for (const ValueCase& row : kValueCases) {
        SCOPED_TRACE(row.name);
        halden::state().WarpIdx = static_cast<std::int16_t>(row.warpIdx);
        const std::optional<double> value =
            ConvertValue(halden::catalogue(), halden::state().WarpIdx, row.g, row.from, row.into, row.text);
        ASSERT_EQ(value.has_value(), row.expected.has_value());
        if (value) {
            EXPECT_EQ(*value, *row.expected);
        }
    }
}

TEST_F(ConvertValueTest, WarpFollowsTheChosenLevel) {
    for (int k = 0; k < halden::kWarpLevels; ++k) {
        SCOPED_TRACE(k);
        halden::state().WarpIdx = static_cast<std::int16_t>(k);
        const auto intoLight = ConvertValue(halden::catalogue(), halden::state().WarpIdx, 9, 13, 6, "0");
        ASSERT_TRUE(intoLight);
        EXPECT_EQ(*intoLight, catalogue().WarpSpeed[k] / kLight);
    }
}

// The shortest text that reads back to exactly this value.
std::string ToText(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

// Converts text from a into b and the result back into a; the value comes back to within
// rounding of the two conversions.
void ExpectThereAndBack(int g, int a, int b, double x) {
    const auto there = ConvertValue(halden::catalogue(), halden::state().WarpIdx, g, a, b, ToText(x));
    ASSERT_TRUE(there);
    const auto back = ConvertValue(halden::catalogue(), halden::state().WarpIdx, g, b, a, ToText(*there));
    ASSERT_TRUE(back);
    EXPECT_NEAR(*back, x, std::fabs(x) * 1E-12 + 1E-9);
}

const double kInputs[] = {1, -3.75, 123456.789, 1E-5};

TEST_F(ConvertValueTest, LinearThereAndBackOverEveryUnitPair) {
    for (int g = 0; g < halden::kGroupCount; ++g) {
        const bool linear = g != halden::kGroupTemperature && g != halden::kGroupRadix &&
                            (g < halden::kFirstUserGroup || g >= halden::kFirstUserGroup + halden::kUserGroups);
        if (!linear) continue;
        const int count = catalogue().UnitCount[g];
        for (int a = 0; a < count; ++a) {
            for (int b = 0; b < count; ++b) {
                if (g == halden::kGroupVelocity && (a == halden::kWarpUnit || b == halden::kWarpUnit)) continue;
                for (double x : kInputs) {
                    SCOPED_TRACE(catalogue().GroupName[g] + ": " + catalogue().UnitName[g][a] + " -> " +
                                 catalogue().UnitName[g][b] + " of " + ToText(x));
                    ExpectThereAndBack(g, a, b, x);
                }
            }
        }
    }
}

TEST_F(ConvertValueTest, AffineThereAndBackForTemperaturesAndUserGroups) {
    auto& user = halden::userUnits();
    const std::string names[] = {"base", "scaled", "shifted", "both"};
    const std::string factors[] = {"1", "2.5", "1", "0.125"};
    const std::string offsets[] = {"", "", "-40", "1000"};
    for (int j = 0; j < 4; ++j) {
        user.UserUnitName[7][j] = names[j];
        user.UserFactorText[7][j] = factors[j];
        user.UserOffsetText[7][j] = offsets[j];
    }
    halden::TransferUserGroups(halden::catalogue(), halden::userUnits());
    for (int g : {halden::kGroupTemperature, 35}) {
        for (int a = 0; a < 4; ++a) {
            for (int b = 0; b < 4; ++b) {
                for (double x : kInputs) {
                    SCOPED_TRACE(catalogue().UnitName[g][a] + " -> " + catalogue().UnitName[g][b] + " of " + ToText(x));
                    ExpectThereAndBack(g, a, b, x);
                }
            }
        }
    }
}

TEST_F(ConvertValueTest, UserGroupsAreNeverSnapped) {
    // The same units as the Temperature group, defined by the user.
    auto& user = halden::userUnits();
    const std::string names[] = {"K", "C", "F"};
    const std::string factors[] = {"1", "1", ToText(1 / 1.8)};
    const std::string offsets[] = {"0", "273.15", "459.67"};
    for (int j = 0; j < 3; ++j) {
        user.UserUnitName[0][j] = names[j];
        user.UserFactorText[0][j] = factors[j];
        user.UserOffsetText[0][j] = offsets[j];
    }
    halden::TransferUserGroups(halden::catalogue(), halden::userUnits());
    const auto user32F = ConvertValue(halden::catalogue(), halden::state().WarpIdx, 28, 2, 1, "32");
    const auto builtIn32F =
        ConvertValue(halden::catalogue(), halden::state().WarpIdx, halden::kGroupTemperature, 2, 1, "32");
    ASSERT_TRUE(user32F && builtIn32F);
    EXPECT_EQ(*builtIn32F, 0.0);
    EXPECT_NE(*user32F, 0.0);
    EXPECT_LT(std::fabs(*user32F), 1E-12);
    const auto minus40 =
        ConvertValue(halden::catalogue(), halden::state().WarpIdx, halden::kGroupTemperature, 1, 2, "-40");
    ASSERT_TRUE(minus40);
    EXPECT_NEAR(*minus40, -40, 1E-9);
}

TEST_F(ConvertValueTest, ZeroFactorUserUnitScalesBy1E30) {
    auto& user = halden::userUnits();
    const std::string names[] = {"one", "zero"};
    const std::string factors[] = {"1", "0"};
    for (int j = 0; j < 2; ++j) {
        user.UserUnitName[2][j] = names[j];
        user.UserFactorText[2][j] = factors[j];
    }
    halden::TransferUserGroups(halden::catalogue(), halden::userUnits());
    const auto into = ConvertValue(halden::catalogue(), halden::state().WarpIdx, 30, 0, 1, "1");
    ASSERT_TRUE(into);
    EXPECT_EQ(*into, 1 / 1E-30);
    EXPECT_FALSE(ConvertValue(halden::catalogue(), halden::state().WarpIdx, 30, 0, 1, "1E300"));
    // Slot 2 is beyond the group's two units.
    EXPECT_FALSE(ConvertValue(halden::catalogue(), halden::state().WarpIdx, 30, 0, 2, "1"));
}

}  // namespace
