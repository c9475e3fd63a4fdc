#include "numbers/leading_number.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace {

struct LeadingCase {
    const char* name;
    std::string text;
    std::optional<double> expected;  // nullopt: the reading fails
};

const LeadingCase kLeadingCases[] = {
    {"plain integer", "3", 3.0},
    {"blanks skipped inside the number", " 1 2.5e1x", 125.0},
    {"tabs and line feeds skipped", "\t1\n0", 10.0},
    {"trailing text ignored", "120abc", 120.0},
    {"second period ends the number", ".5.5", 0.5},
    {"two periods hold no number", "..5", 0.0},
    {"no number reads as zero", "abc", 0.0},
    {"empty text reads as zero", "", 0.0},
    {"lone sign reads as zero", "-", 0.0},
    {"exponent without digits is ignored", "1e", 1.0},
    {"exponent sign without digits is ignored", "1e+", 1.0},
    {"upper-case exponent", "2.5E-3", 0.0025},
    {"plus sign", "+7", 7.0},
    {"blank between sign and digits", "- 5", -5.0},
    {"comma ends the number", "1,5", 1.0},
    {"hexadecimal integer", "&HFF", 255.0},
    {"lower-case hex prefix with blanks", "& h f f", 255.0},
    {"octal integer", "&O17", 15.0},
    {"octal stops at 8", "&o178", 15.0},
    {"hex prefix without digits", "&H", 0.0},
    {"ampersand alone", "&X12", 0.0},
    {"hex beyond 64 bits rounds to nearest", "&H10000000000000001", 18446744073709551616.0},
    {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"overflow fails", "1.8e308", std::nullopt},
    {"huge exponent fails", "1e99999999999999999999", std::nullopt},
    {"underflow reads as zero", "1e-400", 0.0},
    {"zero with huge exponent is zero", "0e99999999999", 0.0},
    {"subnormal is kept", "1e-320", 1e-320},
    {"many digits below the range", "12345678901234567890123e-330", 1.2345678901234567890123e-308},
};

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    for (const auto& row : kLeadingCases) {
        SCOPED_TRACE(row.name);
        auto value = halden::LeadingNumber(row.text);
        ASSERT_EQ(value.has_value(), row.expected.has_value());
        if (value) {
            EXPECT_EQ(*value, *row.expected);
        }
    }
}

TEST(LeadingNumber, NegativeZeroKeepsItsSign) {
    auto value = halden::LeadingNumber("-0");
    ASSERT_TRUE(value);
    EXPECT_TRUE(std::signbit(*value));
}

TEST(LeadingNumber, HugeHexFailsBeyondTheDoubleRange) {
    EXPECT_FALSE(halden::LeadingNumber("&H" + std::string(300, 'F')));
    EXPECT_FALSE(halden::LeadingNumber("&O" + std::string(400, '7')));
}

}  // namespace
