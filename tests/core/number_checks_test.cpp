#include "numbers/number_checks.h"

#include "numbers/given_value.h"
#include "numbers/message_sink.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

struct CheckCase {
    const char* name;
    std::string text;
    int nonNum;   // NonNumCheck
    int invalid;  // InvalidNumCheck
    bool comma;   // each check shows the comma message once
};

const CheckCase kCheckCases[] = {
    {"empty text passes", "", 0, 0, false},
    {"plain decimal", "12.5", 0, 0, false},
    {"blanks around the number", " 12 ", 0, 0, false},
    {"tabs around the number", "\t12\t", 0, 0, false},
    {"exponent with sign", "1.5E-3", 0, 0, false},
    {"lower-case exponent", "2e5", 0, 0, false},
    {"leading period", ".5", 0, 0, false},
    {"trailing period", "5.", 0, 0, false},
    {"lone minus is still being typed", "-", 0, 1, false},
    {"lone plus is still being typed", "+", 0, 1, false},
    {"plus sign", "+4", 0, 0, false},
    {"sign rule ignores the rest", "-abc", 0, 1, false},
    {"unfinished exponent", "2e", 0, 1, false},
    {"unfinished exponent with sign", "2E+", 0, 1, false},
    {"unfinished lower-case exponent with minus", "3e-", 0, 1, false},
    {"lone e", "e", 0, 1, false},
    {"word ending in e", "one", 0, 1, false},
    {"upper-case word ending in E", "NONE", 0, 1, false},
    {"exponent without mantissa", "E5", 1, 1, false},
    {"trailing letter", "12x", 1, 1, false},
    {"two periods", "1.2.3", 1, 1, false},
    {"lone period", ".", 1, 1, false},
    {"blank inside the number", "1 2", 1, 1, false},
    {"blank before the sign is not a sign first", " -5", 0, 0, false},
    {"blank then letters", " -abc", 1, 1, false},
    {"beyond the double range", "1E400", 1, 1, false},
    {"negative beyond the double range checks the sign first", "-1E400", 0, 1, false},
    {"largest double passes", "1.7976931348623157E308", 0, 0, false},
    {"underflow is not beyond the range", "1E-400", 0, 0, false},
    {"hexadecimal prefix is not a number here", "&HFF", 1, 1, false},
    {"D exponent is not accepted", "1D3", 1, 1, false},
    {"parentheses are not a negative number", "(5)", 1, 1, false},
    {"sign then blank", "- 5", 0, 1, false},
    {"exponent sign without digits mid-text", "1e+x", 1, 1, false},
    {"comma warns and passes", "1,5", 0, 0, true},
    {"comma rule comes before the sign rule", "-1,5", 0, 0, true},
    {"comma in a word warns and passes", "a,b", 0, 0, true},
    {"two commas warn once", "1,2,3", 0, 0, true},
};

TEST(NumberChecks, DecideAsTheTableSays) {
    for (const auto& row : kCheckCases) {
        SCOPED_TRACE(row.name);
        halden::RecordingSink nonNumSink;
        halden::RecordingSink invalidSink;
        EXPECT_EQ(halden::NonNumCheck(row.text, nonNumSink), row.nonNum);
        EXPECT_EQ(halden::InvalidNumCheck(row.text, invalidSink), row.invalid);
        const std::size_t expectedMessages = row.comma ? 1 : 0;
        EXPECT_EQ(nonNumSink.messages.size(), expectedMessages);
        EXPECT_EQ(invalidSink.messages.size(), expectedMessages);
    }
}

struct GivenCase {
    const char* name;
    std::string text;
    std::optional<double> expected;  // nullopt: no value
};

const GivenCase kGivenCases[] = {
    {"exponent and sign", " -1.5e-3 ", -0.0015},
    {"full-width digits and minus sign", "\xE2\x88\x92\xEF\xBC\x91\xEF\xBC\x92", -12.0},
    {"fraction", "3/8", 0.375},
    {"signed fraction", "-6/3", -2.0},
    {"decimal fraction", "1.5/2", 0.75},
    {"mixed number", "1 1/2", 1.5},
    {"sign belongs to the whole mixed number", "-2\t3/4", -2.75},
    {"zero written small is zero", "0e-400", 0.0},
    {"empty", "", std::nullopt},
    {"lone sign", "-", std::nullopt},
    {"comma", "1,5", std::nullopt},
    {"zero denominator", "1/0.0", std::nullopt},
    {"no denominator", "1/", std::nullopt},
    {"no numerator", "/2", std::nullopt},
    {"two slashes", "1 1/2/3", std::nullopt},
    {"blank around the slash", "1 / 2", std::nullopt},
    {"mixed fraction of one or more", "1 3/2", std::nullopt},
    {"signed fraction in a mixed number", "1 -1/2", std::nullopt},
    {"decimal whole in a mixed number", "1.5 1/2", std::nullopt},
    {"signed denominator", "1/-2", std::nullopt},
    {"exponent in a fraction", "1/1e-400", std::nullopt},
    {"non-zero digits reading as zero", "1e-400", std::nullopt},
    {"quotient beyond the double range", "1" + std::string(308, '0') + "/0.1", std::nullopt},
};

TEST(GivenValue, ReadsNumbersFractionsAndMixedNumbersWhole) {
    for (const auto& row : kGivenCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::GivenValue(row.text), row.expected);
    }
}

struct TypedCase {
    const char* name;
    std::string text;
    halden::TypedNumber expected;
};

const TypedCase kTypedCases[] = {
    {"empty", "", halden::TypedNumber::Unfinished},
    {"lone minus", "-", halden::TypedNumber::Unfinished},
    {"sign and period", "-.", halden::TypedNumber::Unfinished},
    {"exponent letter", "-2e", halden::TypedNumber::Unfinished},
    {"exponent sign", "1.5E-", halden::TypedNumber::Unfinished},
    {"blanks anywhere", " - 1 . 5 e +\t2\n", halden::TypedNumber::Complete},
    {"beyond the range is still written whole", "-1E400", halden::TypedNumber::Complete},
    {"word ending in e", "one", halden::TypedNumber::Never},
    {"sign then letters", "-abc", halden::TypedNumber::Never},
    {"exponent without mantissa", "e", halden::TypedNumber::Never},
    {"exponent after a lone period", "-.e", halden::TypedNumber::Never},
    {"letter after digits", "-5x", halden::TypedNumber::Never},
    {"two signs", "--5", halden::TypedNumber::Never},
    {"second exponent", "1e5e", halden::TypedNumber::Never},
    {"hexadecimal prefix", "&HE", halden::TypedNumber::Never},
    {"NUL is no end", std::string("-5\0", 3), halden::TypedNumber::Never},
};

TEST(TypedNumberState, TellsNumbersBeingTypedFromTextsThatNeverAre) {
    for (const auto& row : kTypedCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::TypedNumberState(row.text), row.expected);
    }
}

TEST(NumberChecks, CommaMessageHasTheExactTextTitleAndIcon) {
    const halden::Message expected{" Halden Unit Converter",
                                   "This application recognizes only a period (dot) as decimal separator.",
                                   halden::MessageIcon::Exclamation};
    halden::RecordingSink sink;
    halden::NonNumCheck("1,5", sink);
    halden::InvalidNumCheck("2,0", sink);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0], expected);
    EXPECT_EQ(sink.messages[1], expected);
}

}  // namespace
