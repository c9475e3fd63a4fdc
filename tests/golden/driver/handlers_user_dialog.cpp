// Requests of the Add Units dialog's coefficient text: SplitCoefText, CoefText, CoefChange.

#include "golden_driver.h"
#include "numbers/message_sink.h"
#include "storage/coefficient_text.h"

namespace golden {
namespace {

json SplitCoefTextRequest(const json& request) {
    const std::string text = ReadText(request, "text");
    const std::string separator = ReadText(request, "separator");
    // Only the selector 1 (the piece before) is special; any other number, however large, asks for
    // the piece after.
    const int part = ReadInt(request, "part") == 1 ? 1 : 2;
    return json{{"text", halden::SplitCoefText(text, separator, part)}};
}

json CoefTextRequest(const json& request) {
    return json{{"text", halden::CoefText(ReadText(request, "factor_text"), ReadText(request, "offset_text"))}};
}

json CoefChangeRequest(const json& request) {
    halden::RecordingSink sink;
    const halden::CoefChangeResult result =
        halden::CoefChange(ReadText(request, "box_text"), ReadText(request, "last_factor_text"),
                           ReadText(request, "last_offset_text"), sink);
    return json{{"accepted", result.accepted},
                {"yellow", !result.accepted},
                {"factor_text", result.factorText},
                {"offset_text", result.offsetText},
                {"comma_messages", static_cast<int>(sink.messages.size())}};
}

const RequestRegistrar kUserDialogRequests{
    {"SplitCoefText", &SplitCoefTextRequest},
    {"CoefText", &CoefTextRequest},
    {"CoefChange", &CoefChangeRequest},
};

}  // namespace
}  // namespace golden
