#include "calc/calculator_history.h"

#include <limits>

namespace halden {

bool RecordCalculatorExecution(CalculatorHistory& history, std::string_view text) {
    history.list.insert(history.list.begin(), std::string(text));
    bool dropped = false;
    // The count decides the dropping; the size check keeps the list bounded even when a list came
    // in longer than the count says.
    if (history.nHistoryCount > kCalculatorHistorySize - 1 ||
        history.list.size() > static_cast<std::size_t>(kCalculatorHistorySize)) {
        history.list.pop_back();
        dropped = true;
    }
    // The count only has to tell "more than six"; it stops at its largest value instead of
    // wrapping round, so a long session never starts keeping every text.
    if (history.nHistoryCount < std::numeric_limits<std::int16_t>::max()) {
        ++history.nHistoryCount;
    }
    return dropped;
}

}  // namespace halden
