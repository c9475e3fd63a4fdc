#include "search/search_answers.h"

#include "catalogue/unit_catalogue_build.h"

#include <gtest/gtest.h>
#include <memory>

namespace halden {
namespace {

TEST(SearchAnswers, OnlyAnsweredQuestionsGiveResultsAndIdsCarryTheirQuestion) {
    const auto user = std::make_unique<UserUnits>();
    const auto catalogue = std::make_unique<UnitCatalogue>();
    BuildUnitCatalogue(*catalogue, *user, 15);
    const UnitNameIndex index(*catalogue);
    const SearchTables tables{*catalogue, index, {}};
    // What a search box is mostly given, and questions that are not complete or not sure.
    for (const char* nothing :
         {"firefox", "42", "1/2", "3 ft to", "3 ft in", "1 gallon in l", "tsubo 3", "", "3 ft kg", "1e400 m in mm"}) {
        EXPECT_TRUE(SearchResultIds(nothing, tables).empty()) << nothing;
    }
    EXPECT_TRUE(SearchResultIds(std::string(300, '7') + " m in ft", tables).empty());
    EXPECT_EQ(SearchResultIds(" 3 ft in cm ", tables),
              (std::vector<std::string>{"answer:3 ft in cm", "open:3 ft in cm"}));
    const std::optional<SearchResultMeta> answer = SearchResultMetaFor("answer:350F to C", tables);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->name, "176.667 C");
    EXPECT_EQ(answer->clipboardText, "176.667");
    EXPECT_EQ(answer->description, "350 deg Fahrenheit (ﾟF) = 176.667 deg Celsius (ﾟC)");
    const std::optional<SearchResultMeta> open = SearchResultMetaFor("open:3 ft in cm", tables);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->name, "Open in Halden Unit Converter");
    EXPECT_TRUE(open->clipboardText.empty());
    EXPECT_FALSE(SearchResultMetaFor("someone else's id", tables));
    EXPECT_FALSE(SearchResultMetaFor("answer:3 ft in", tables));
}

}  // namespace
}  // namespace halden
