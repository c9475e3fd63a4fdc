// Golden requests of the number checks and the result formatters.

#include "golden_driver.h"
#include "numbers/format_result.h"
#include "numbers/leading_number.h"
#include "numbers/message_sink.h"
#include "numbers/number_checks.h"

#include <optional>
#include <string>

namespace golden {
namespace {

int ReadFigure(const json& request, const char* field) {
    const long long value = ReadInt(request, field);
    if (value < -32768 || value > 32767)
        throw DriverError(std::string("field \"") + field + "\" is not a 16-bit value");
    return static_cast<int>(value);
}

json TextReply(const std::optional<std::string>& text) {
    if (!text) return json{{"failure", true}};
    return json{{"text", *text}};
}

json LeadingNumberRequest(const json& request) {
    auto value = halden::LeadingNumber(ReadText(request, "text"));
    if (!value) return json{{"failure", true}};
    return json{{"value", DoubleText(*value)}};
}

json NumberChecksRequest(const json& request) {
    const std::string text = ReadText(request, "text");
    halden::RecordingSink nonNumSink;
    halden::RecordingSink invalidSink;
    const int nonNum = halden::NonNumCheck(text, nonNumSink);
    const int invalid = halden::InvalidNumCheck(text, invalidSink);
    return json{{"NonNumCheck", nonNum},
                {"InvalidNumCheck", invalid},
                {"NonNumCheck_messages", nonNumSink.messages.size()},
                {"InvalidNumCheck_messages", invalidSink.messages.size()}};
}

json FormatResultRequest(const json& request) {
    return TextReply(halden::FormatResult(ReadDouble(request, "value"), ReadBool(request, "calculator", false),
                                          ReadFigure(request, "pnFigure"), ReadFigure(request, "pnFormFlag")));
}

json TrimFiguresRequest(const json& request) {
    return TextReply(halden::TrimFigures(ReadDouble(request, "dInput"), ReadFigure(request, "nFigure")));
}

json ExpressAsExpRequest(const json& request) {
    return TextReply(halden::ExpressAsExp(ReadDouble(request, "dInput"), ReadFigure(request, "nFigure")));
}

json T_FixRequest(const json& request) { return TextReply(halden::T_Fix(ReadDouble(request, "dInput"))); }

json DotDecimalRequest(const json& request) { return json{{"text", halden::DotDecimal(ReadText(request, "text"))}}; }

const RequestRegistrar kNumberRequests{
    {"LeadingNumber", &LeadingNumberRequest}, {"NumberChecks", &NumberChecksRequest},
    {"FormatResult", &FormatResultRequest},   {"TrimFigures", &TrimFiguresRequest},
    {"ExpressAsExp", &ExpressAsExpRequest},   {"T_Fix", &T_FixRequest},
    {"DotDecimal", &DotDecimalRequest},
};

}  // namespace
}  // namespace golden
