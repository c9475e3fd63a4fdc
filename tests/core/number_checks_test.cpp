#include "numbers/number_checks.h"

#include "numbers/message_sink.h"

#include <gtest/gtest.h>
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
