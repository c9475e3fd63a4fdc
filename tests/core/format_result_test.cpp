#include "numbers/format_result.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

struct FormatCase {
    const char* name;
    double value;
    int pnFigure;
    int pnFormFlag;
    bool calculator;
    std::optional<std::string> text;
};

const FormatCase kFormatCases[] = {
    {"four digits drop the separator", 1234.5678, 4, 0, false, "1235"},
    {"six digits", 1234.5678, 6, 0, false, "1234.57"},
    {"eight digits", 1234.5678, 8, 0, false, "1234.5678"},
    {"integer rounds", 1234.5678, 7, 0, false, "1235"},
    {"scientific", 1234.5678, 6, 1, false, "1.23457E+03"},
    {"small value keeps leading zeros uncounted", 0.00123456, 4, 0, false, "0.001235"},
    {"negative small value", -0.000123456, 6, 0, false, "-0.000123456"},
    {"whole part longer than the digits", 12345.678, 4, 0, false, "1.235E+04"},
    {"six-digit whole part rounds", 123456.7, 6, 0, false, "123457"},
    {"three-digit value pads one decimal", 100, 4, 0, false, "100.0"},
    {"four-digit value has no decimals", 1000, 4, 0, false, "1000"},
    {"negative pads zeros", -2.5, 6, 0, false, "-2.50000"},
    {"integer tie rounds away from zero", 2.5, 7, 0, false, "3"},
    {"negative integer tie rounds away from zero", -2.5, 7, 0, false, "-3"},
    {"half", 0.5, 6, 0, false, "0.500000"},
    {"lower bound is plain", 1E-6, 4, 0, false, "0.000001000"},
    {"upper bound is plain", 1000000, 8, 0, false, "1000000.0"},
    {"upper bound too long for four digits", 1000000, 4, 0, false, "1.000E+06"},
    {"just above the upper bound", 1000000.4, 6, 0, false, "1.00000E+06"},
    {"integer beyond the bound uses seven digits", 2000000, 7, 0, false, "2.000000E+06"},
    {"zero is exponent notation", 0, 6, 0, false, "0.00000E+00"},
    {"negative zero loses its sign", -0.0, 6, 0, false, "0.00000E+00"},
    {"below the lower bound", 1.5E-7, 6, 0, false, "1.50000E-07"},
    {"large value", 6.02E23, 6, 0, false, "6.02000E+23"},
    {"main window keeps a long plain text", 1.2345678E-6, 8, 0, false, "0.0000012345678"},
    {"calculator turns a 15-character text to exponent", 1.2345678E-6, 8, 0, true, "1.2345678E-06"},
    {"calculator keeps a 14-character text", 1.234567E-5, 8, 0, true, "0.000012345670"},
    {"integer comes before scientific", 1234.5678, 7, 1, false, "1235"},
    {"integer of a tiny value is zero", 0.4999, 7, 0, false, "0"},
    {"integer of a half is one", 0.5, 7, 0, false, "1"},
    {"negative value rounding to integer zero has no sign", -0.4, 7, 0, false, "0"},
    {"probe carry gives one more decimal", 99.96, 4, 0, false, "100.0"},
    {"carry into a new digit", 9.99995, 6, 0, false, "10.0000"},
    {"carry into a new digit in exponent form", 9.999996, 6, 1, false, "1.00000E+01"},
    {"tie at the last digit rounds up", 1.0005, 4, 0, false, "1.001"},
    {"negative tie at the last digit rounds away", -1.0005, 4, 0, false, "-1.001"},
    {"three-digit negative exponent", 1E-300, 6, 0, false, "1.00000E-300"},
    {"three-digit positive exponent", 1.5E100, 4, 0, false, "1.500E+100"},
    {"largest double", 1.7976931348623157E308, 6, 0, false, "1.79769E+308"},
    {"smallest subnormal", 5E-324, 4, 0, false, "4.941E-324"},
    {"unknown digit count formats as six", 1234.5678, 0, 0, false, "1234.57"},
    {"negative digit count formats as six", 1234.5678, -3, 0, false, "1234.57"},
    {"huge digit count formats as six", 1234.5678, 32000, 0, false, "1234.57"},
    {"two digits", 1234.5678, 2, 0, false, "1.2E+03"},
    {"nine digits", 1234.5678, 9, 0, false, "1234.56780"},
    {"any non-zero format flag is scientific", 0.5, 4, 3, false, "5.000E-01"},
};

TEST(FormatResult, WritesTheWorkedResults) {
    for (const auto& row : kFormatCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::FormatResult(row.value, row.calculator, row.pnFigure, row.pnFormFlag), row.text);
    }
}

TEST(FormatResult, NonFiniteValuesFail) {
    for (double value : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        EXPECT_EQ(halden::FormatResult(value, false, 6, 0), std::nullopt);
        EXPECT_EQ(halden::TrimFigures(value, 6), std::nullopt);
        EXPECT_EQ(halden::ExpressAsExp(value, 6), std::nullopt);
        EXPECT_EQ(halden::T_Fix(value), std::nullopt);
    }
}

struct FormatterCase {
    const char* name;
    enum { Trim, Exp, Fix } formatter;
    double value;
    int nFigure;
    std::optional<std::string> text;
};

const FormatterCase kFormatterCases[] = {
    {"trim of zero", FormatterCase::Trim, 0, 6, "0.00000"},
    {"trim keeps k zero without separator", FormatterCase::Trim, 123.456, 3, "123"},
    {"trim goes to exponent for a long whole part", FormatterCase::Trim, 123456, 5, "1.2346E+05"},
    {"trim of a negative tie", FormatterCase::Trim, -0.125, 2, "-0.13"},
    {"trim counts no leading zeros of a negative value", FormatterCase::Trim, -0.00004, 1, "-0.00004"},
    {"trim with no digits fails", FormatterCase::Trim, 1.5, 0, std::nullopt},
    {"exponent with one digit keeps its separator", FormatterCase::Exp, 2.5, 1, "3.E+00"},
    {"exponent of a negative value", FormatterCase::Exp, -0.000123456, 3, "-1.23E-04"},
    {"exponent with more digits than fifteen pads zeros", FormatterCase::Exp, 0.1, 17, "1.0000000000000000E-01"},
    {"exponent with no digits fails", FormatterCase::Exp, 1.5, 0, std::nullopt},
    {"fix of a tie below one", FormatterCase::Fix, 0.5, 0, "1"},
    {"fix of a negative tie", FormatterCase::Fix, -1234.5, 0, "-1235"},
    {"fix of a large whole number", FormatterCase::Fix, 1E20, 0, "100000000000000000000"},
    {"fix of fifteen nines carries", FormatterCase::Fix, 999999999999999.5, 0, "1000000000000000"},
    {"fix of zero", FormatterCase::Fix, 0, 0, "0"},
    {"fix of a tiny negative value", FormatterCase::Fix, -1E-300, 0, "0"},
};

TEST(Formatters, WriteTheirPatterns) {
    for (const auto& row : kFormatterCases) {
        SCOPED_TRACE(row.name);
        std::optional<std::string> text;
        switch (row.formatter) {
            case FormatterCase::Trim:
                text = halden::TrimFigures(row.value, row.nFigure);
                break;
            case FormatterCase::Exp:
                text = halden::ExpressAsExp(row.value, row.nFigure);
                break;
            case FormatterCase::Fix:
                text = halden::T_Fix(row.value);
                break;
        }
        EXPECT_EQ(text, row.text);
    }
}

TEST(DotDecimal, ReplacesOnlyTheFirstComma) {
    EXPECT_EQ(halden::DotDecimal("1,5"), "1.5");
    EXPECT_EQ(halden::DotDecimal("1,2,3"), "1.2,3");
    EXPECT_EQ(halden::DotDecimal("12.5"), "12.5");
    EXPECT_EQ(halden::DotDecimal(""), "");
}

// Switches the process to a locale whose decimal separator is a comma, generating one in a
// temporary directory when the machine has none installed; restores "C" on destruction.
class CommaLocale {
public:
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR"}) {
            if (Use(name)) return;
        }
        // One directory per process: the plain and the sanitizer test runs may do this at once.
        generated_ = std::filesystem::temp_directory_path() / ("halden-locale-" + std::to_string(getpid()));
        std::filesystem::create_directories(generated_);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (generated_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != -1) {
            setenv("LOCPATH", generated_.c_str(), 1);
            Use("de_DE.UTF-8");
        }
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        if (!generated_.empty()) {
            unsetenv("LOCPATH");
            std::error_code ignored;
            std::filesystem::remove_all(generated_, ignored);
        }
    }
    bool active() const { return active_; }

private:
    bool Use(const char* name) {
        if (std::setlocale(LC_ALL, name) == nullptr) return false;
        active_ = std::string(std::localeconv()->decimal_point) == ",";
        return active_;
    }
    bool active_ = false;
    std::filesystem::path generated_;
};

TEST(FormatResult, UsesAPeriodUnderACommaLocale) {
    CommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << "no locale with a comma decimal separator on this machine";
    EXPECT_EQ(halden::FormatResult(1234.5678, false, 6, 0), "1234.57");
    EXPECT_EQ(halden::FormatResult(1234.5678, false, 6, 1), "1.23457E+03");
    EXPECT_EQ(halden::FormatResult(0.00123456, false, 4, 0), "0.001235");
    EXPECT_EQ(halden::FormatResult(2.5, false, 7, 0), "3");
}

}  // namespace
