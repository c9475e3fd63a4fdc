// Golden requests of the calculator's expression evaluator.

#include "calc/evaluator.h"
#include "golden_driver.h"
#include "numbers/format_result.h"
#include "numbers/message_sink.h"

#include <string>

namespace golden {
namespace {

json Calc_1Request(const json& request) {
    const std::string expression = ReadText(request, "expression");
    halden::RecordingSink sink;
    const auto outputs = halden::Calc_1(expression, sink);
    // The calculator's own run gets its own sink, so comma_messages counts one Calc_1 call.
    halden::RecordingSink executeSink;
    const std::string shown =
        halden::CalculatorResultText(expression, 6, 0, executeSink).value_or(std::string(halden::kInputError));
    if (!outputs) {
        return json{{"failure", true}, {"calculator_text", shown}, {"comma_messages", sink.messages.size()}};
    }
    return json{{"wrote_outputs", outputs->wrote},
                {"result", DoubleText(outputs->result)},
                {"error_count", outputs->errorCount},
                {"comma_messages", sink.messages.size()},
                {"calculator_text", shown}};
}

json ReplaceFirstRequest(const json& request) {
    return json{{"text", halden::ReplaceFirst(ReadText(request, "source"), ReadText(request, "word"),
                                              ReadText(request, "replacement"))}};
}

const RequestRegistrar kCalcRequests{
    {"Calc_1", &Calc_1Request},
    {"ReplaceFirst", &ReplaceFirstRequest},
};

}  // namespace
}  // namespace golden
