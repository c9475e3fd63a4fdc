#include "catalogue/radix.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using halden::T_FormatNumber;

constexpr int kDec = 0;
constexpr int kBin = 1;
constexpr int kOct = 2;
constexpr int kHex = 3;
const std::optional<std::string> kLeave = std::nullopt;
const std::string kError = "Input error";

struct RadixCase {
    const char* name;
    int from;
    int into;
    std::string text;
    std::optional<std::string> result;  // nullopt: the result box keeps its text
};

const RadixCase kRadixCases[] = {
    {"255 into hexadecimal", kDec, kHex, "255", "FF"},
    {"255 into octal", kDec, kOct, "255", "377"},
    {"255 into binary keeps sixteen digits", kDec, kBin, "255", "0000000011111111"},
    {"65535 into binary", kDec, kBin, "65535", "1111111111111111"},
    {"65536 into binary", kDec, kBin, "65536", kError},
    {"beyond 32 bits into binary", kDec, kBin, "4294967296", kError},
    {"2147483647 into hexadecimal", kDec, kHex, "2147483647", "7FFFFFFF"},
    {"2147483648 into hexadecimal", kDec, kHex, "2147483648", kError},
    {"2147483648 into octal", kDec, kOct, "2147483648", kError},
    {"zero into hexadecimal", kDec, kHex, "0", "0"},
    {"many leading zeros stay in range", kDec, kHex, "00000000000000000010", "A"},
    {"minus sign", kDec, kHex, "-1", kError},
    {"period", kDec, kOct, "1.0", kError},
    {"exponent letter", kDec, kBin, "1e3", kError},
    {"trailing blank", kDec, kHex, "12 ", kError},
    {"leading blank", kDec, kBin, " 12", kError},
    {"ampersand prefix", kDec, kBin, "&H1", kError},
    {"non-ASCII digit", kDec, kHex, "\xef\xbc\x91", kError},
    {"lower-case ffffffff into decimal", kHex, kDec, "ffffffff", "4294967295"},
    {"ffffffff into octal exceeds 32 bits", kHex, kOct, "ffffffff", kError},
    {"ffffffff into binary", kHex, kBin, "ffffffff", kError},
    {"mixed case into decimal", kHex, kDec, "7fFfFfFf", "2147483647"},
    {"hexadecimal into binary", kHex, kBin, "a5", "0000000010100101"},
    {"nine hexadecimal digits", kHex, kDec, "0FFFFFFFF", kError},
    {"hexadecimal G", kHex, kDec, "G", kError},
    {"hexadecimal with a blank", kHex, kDec, "F F", kError},
    {"sixteen binary ones", kBin, kDec, "1111111111111111", "65535"},
    {"seventeen binary digits", kBin, kDec, "00000000000000001", kError},
    {"binary 2", kBin, kDec, "12", kError},
    {"binary into octal", kBin, kOct, "111111", "77"},
    {"binary into hexadecimal", kBin, kHex, "1111111111111111", "FFFF"},
    {"octal 17777777777", kOct, kDec, "17777777777", "2147483647"},
    {"octal 20000000000", kOct, kDec, "20000000000", kError},
    {"octal 37777777777 into hexadecimal", kOct, kHex, "37777777777", kError},
    {"octal 8", kOct, kDec, "8", kError},
    {"twelve octal digits", kOct, kDec, "000000000017", kError},
    {"octal into binary", kOct, kBin, "177777", "1111111111111111"},
    {"octal into binary beyond sixteen bits", kOct, kBin, "200000", kError},
    {"octal into hexadecimal", kOct, kHex, "17777777777", "7FFFFFFF"},
    {"empty binary into decimal", kBin, kDec, "", "0"},
    {"empty octal into decimal", kOct, kDec, "", "0"},
    {"empty hexadecimal into decimal", kHex, kDec, "", "0"},
    {"empty decimal into binary", kDec, kBin, "", "0000000000000000"},
    {"empty decimal into hexadecimal", kDec, kHex, "", kError},
    {"empty decimal into octal", kDec, kOct, "", kError},
    {"same notation", kDec, kDec, "255", kLeave},
    {"same notation from hexadecimal", kHex, kHex, "FF", kLeave},
    {"same notation still reports an octal overflow", kOct, kOct, "37777777777", kError},
    {"nothing selected in From", -1, kHex, "255", kLeave},
    {"nothing selected in Into", kDec, -1, "255", kLeave},
    {"nothing selected in Into from binary", kBin, -1, "101", kLeave},
    {"index beyond the notations", kDec, 4, "255", kLeave},
};

TEST(Radix, ResultTextForEveryNotationPair) {
    for (const RadixCase& row : kRadixCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(T_FormatNumber(row.from, row.into, row.text), row.result);
    }
}

// Every value a binary text can hold survives decimal -> binary -> decimal and
// decimal -> hexadecimal -> octal -> decimal.
TEST(Radix, SixteenBitValuesRoundTrip) {
    for (int n = 0; n <= 65535; ++n) {
        const std::string decimal = std::to_string(n);
        const auto binary = T_FormatNumber(kDec, kBin, decimal);
        ASSERT_TRUE(binary);
        ASSERT_EQ(binary->size(), 16u);
        ASSERT_EQ(T_FormatNumber(kBin, kDec, *binary), decimal);
        const auto hex = T_FormatNumber(kDec, kHex, decimal);
        ASSERT_TRUE(hex);
        const auto octal = T_FormatNumber(kHex, kOct, *hex);
        ASSERT_TRUE(octal);
        ASSERT_EQ(T_FormatNumber(kOct, kDec, *octal), decimal);
    }
}

TEST(Radix, ConvertersReportArithmeticFailuresApart) {
    struct Case {
        const char* name;
        std::optional<std::string> (*convert)(std::string_view);
        std::string input;
        std::optional<std::string> expected;  // nullopt: arithmetic failure
    };
    const Case cases[] = {
        {"decimal to hexadecimal of nothing", &halden::FmtDecToHex, "", std::nullopt},
        {"decimal to octal beyond 32 bits", &halden::FmtDecToOct, "99999999999", std::nullopt},
        {"decimal to binary beyond 32 bits", &halden::FmtDecToBin, "2147483648", std::nullopt},
        {"decimal to binary beyond the double range", &halden::FmtDecToBin, std::string(400, '9'), std::nullopt},
        {"decimal to binary just beyond sixteen bits", &halden::FmtDecToBin, "2147483647", kError},
        {"octal beyond 32 bits", &halden::FmtOctToDec, "20000000000", std::nullopt},
        {"character check comes first", &halden::FmtDecToHex, "x99999999999", kError},
        {"hexadecimal to decimal never fails arithmetically", &halden::FmtHexToDec, "FFFFFFFF", "4294967295"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.convert(row.input), row.expected);
    }
}

}  // namespace
