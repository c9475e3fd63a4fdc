#include "calc/calculator_history.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(CalculatorHistory, DroppedOnlyFromTheEighthExecutionOn) {
    halden::CalculatorHistory history;
    for (int i = 1; i <= 9; ++i) {
        const bool dropped = halden::RecordCalculatorExecution(history, std::to_string(i));
        EXPECT_EQ(dropped, i >= 8) << "execution " << i;
        EXPECT_EQ(history.list.front(), std::to_string(i));
        EXPECT_EQ(history.list.size(), static_cast<std::size_t>(std::min(i, 7)));
    }
    EXPECT_EQ(history.list.back(), "3");
}

TEST(CalculatorHistory, CountStopsAtItsLargestValueAndTheListStaysBounded) {
    halden::CalculatorHistory history;
    history.nHistoryCount = 32766;
    history.list = std::vector<std::string>(7, "old");
    halden::RecordCalculatorExecution(history, "a");
    halden::RecordCalculatorExecution(history, "b");
    EXPECT_EQ(history.nHistoryCount, 32767);
    EXPECT_EQ(history.list.size(), 7U);
    EXPECT_EQ(history.list[0], "b");
    EXPECT_EQ(history.list[1], "a");
}

}  // namespace
