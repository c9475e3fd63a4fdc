// Requests of the calculator window's pure part: its expression history.

#include "calc/calculator_history.h"
#include "golden_driver.h"

namespace golden {
namespace {

json CalculatorHistoryRequest(const json& request) {
    auto it = request.find("executions");
    if (it == request.end() || !it->is_array()) {
        throw DriverError("field \"executions\" is not a list of texts");
    }
    halden::CalculatorHistory history;
    for (const json& text : *it) {
        if (!text.is_string()) {
            throw DriverError("field \"executions\" holds something other than a text");
        }
        halden::RecordCalculatorExecution(history, text.get<std::string>());
    }
    return json{{"list", history.list}, {"nHistoryCount", history.nHistoryCount}};
}

const RequestRegistrar kCalculatorWindow{{"CalculatorHistory", &CalculatorHistoryRequest}};

}  // namespace
}  // namespace golden
