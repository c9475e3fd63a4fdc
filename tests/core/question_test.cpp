#include "catalogue/question.h"

#include "catalogue/unit_catalogue_build.h"

#include <gtest/gtest.h>
#include <memory>

namespace halden {
namespace {

using V = QuestionVerdict;

class QuestionTest : public ::testing::Test {
protected:
    QuestionTest() { BuildUnitCatalogue(*catalogue_, *user_, 15); }
    QuestionAnswer Ask(std::string_view question, QuestionOptions options = {}) {
        return Answer(question, *catalogue_, index_, options);
    }

    std::unique_ptr<UserUnits> user_ = std::make_unique<UserUnits>();
    std::unique_ptr<UnitCatalogue> catalogue_ = std::make_unique<UnitCatalogue>();
    UnitNameIndex index_{[this]() -> const UnitCatalogue& {
        BuildUnitCatalogue(*catalogue_, *user_, 15);
        return *catalogue_;
    }()};
};

TEST_F(QuestionTest, AnswersEverydayQuestionsAndRefusesWhatItCannotKnow) {
    struct Row {
        const char* question;
        V verdict;
        const char* answer;  // the answer, or the start of the reason
    };
    const Row rows[] = {
        {"3 ft in cm", V::Answered, "91.4400 cm"},
        {"5'11\" in cm", V::Answered, "180.340 cm"},
        {"5\xE2\x80\xB2"
         "11\xE2\x80\xB3 in cm",
         V::Answered, "180.340 cm"},
        {"5 ft + 11 in to cm", V::Answered, "180.340 cm"},
        {"3 in in cm", V::Answered, "7.62000 cm"},
        {"3 cm to in", V::Answered, "1.18110 in"},
        {"1/2 inch mm", V::Answered, "12.7000 mm"},
        {"1 1/2 in mm", V::Answered, "38.1000 mm"},
        {"6/3m>cm", V::Answered, "200.000 cm"},
        {"350F to C", V::Answered, "176.667 C"},
        {"-40 C \xE2\x86\x92 F", V::Answered, "-40.0000 F"},
        {"1 mPa Pa", V::Answered, "0.00100000 Pa"},
        {"1 Mbar hPa", V::Answered, "1.00000E+09 hPa"},
        {"10 mi km", V::Answered, "16.0934 km"},
        {"1 kW hp", V::Answered, "1.34102 hp"},
        {"1 km2 mi2", V::Answered, "0.386102 mi2"},
        {"5 stone kg", V::Answered, "31.7515 kg"},
        {"1.8 m in ft+in", V::Answered, "5 ft 10.8661 in"},
        {"1 kg in lb;oz", V::Answered, "2 lb 3.27396 oz"},
        {"0.99999999 ft in ft+in", V::Answered, "1 ft 0 in"},
        {"255 dec in hex", V::Answered, "FF hex"},
        {"tsubo", V::NotAQuestion, "give a value"},
        {"3 ft in", V::Incomplete, "give a value"},
        {"3 ft to", V::Incomplete, "give a value"},
        {"5 ft 11 in", V::Incomplete, "give a value"},
        {"3 fot cm", V::UnknownUnit, "no unit is named \"fot\"; did you mean \"foot, feet (ft)\""},
        {"1 kcal J", V::AmbiguousUnit, "\"kcal\" fits several units of Energy"},
        {"5 gals l", V::AmbiguousUnit, "\"gals\" fits several units of Volume"},
        {"1 ton kg", V::AmbiguousUnit, "\"ton\" fits several units of Mass"},
        {"3 ft kg", V::NoCommonGroup, "\"ft\" (Length) and \"kg\" (Mass, Weight) share no group"},
        {"1 US mi", V::UnknownUnit, "no unit is named \"US\""},
        {"1e-400 m mm", V::InputError, "Input error"},
        {"1/0 m mm", V::InputError, "Input error"},
        {"5 C + 3 F in K", V::InputError, "values in Temperature"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.question);
        const QuestionAnswer answer = Ask(row.question);
        EXPECT_EQ(answer.verdict, row.verdict) << answer.reason;
        const std::string& text = row.verdict == V::Answered ? answer.answer : answer.reason;
        EXPECT_EQ(text.substr(0, std::string_view(row.answer).size()), row.answer);
    }
}

TEST_F(QuestionTest, SaysHowItUnderstoodAndWhatTheListsCanShow) {
    const QuestionAnswer feet = Ask("3 ft in cm", {8, 1});
    EXPECT_EQ(feet.understood, "3 foot, feet (ft) = 9.1440000E+01 centimeter (cm)");
    EXPECT_TRUE(feet.listUnits);
    EXPECT_EQ(feet.valueText, "3");
    EXPECT_EQ((std::vector<int>{feet.group, feet.from, feet.into}), (std::vector<int>{0, 6, 1}));
    const QuestionAnswer half = Ask("1 1/2 in mm");
    EXPECT_TRUE(half.listUnits);
    EXPECT_EQ(half.valueText, "1.5");
    EXPECT_FALSE(Ask("10 mi km").listUnits);
    EXPECT_EQ(Ask("1.8 m in ft+in").understood, "1.8 meter (m) = 5 foot, feet (ft) 10.8661 inch (in)");
}

}  // namespace
}  // namespace halden
