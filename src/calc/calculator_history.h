// The calculator's expression history: the texts of the latest executions, newest first, as the
// drop-down list of the calculator's input box shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

/// How many texts the drop-down list keeps.
inline constexpr int kCalculatorHistorySize = 7;

struct CalculatorHistory {
    std::vector<std::string> list;   // newest first; never more than kCalculatorHistorySize texts
    std::int16_t nHistoryCount = 0;  // executions since the window was loaded (stops at 32767)
};

/// Records one execution of text: it becomes the top entry, and once seven executions have been
/// recorded the bottom entry is dropped. Every text counts, empty and repeated ones included.
/// Returns true when an entry was dropped.
bool RecordCalculatorExecution(CalculatorHistory& history, std::string_view text);

}  // namespace halden
