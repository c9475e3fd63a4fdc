// The convert command as the main window runs it.

#include "catalogue/convert_command.h"
#include "catalogue_request.h"
#include "golden_driver.h"
#include "shared/settings.h"

namespace golden {
namespace {

json ConvertCommandReply(const json& request) {
    PrepareCatalogue(request);
    halden::state().WarpIdx = static_cast<std::int16_t>(ReadInt(request, "WarpIdx"));
    const std::string text = ReadText(request, "text");
    const std::string previous = ReadText(request, "previous_result");
    halden::ConvertInput input;
    input.group = static_cast<int>(ReadInt(request, "g"));
    input.from = static_cast<int>(ReadInt(request, "from"));
    input.into = static_cast<int>(ReadInt(request, "into"));
    input.text = text;
    input.pnFigure = static_cast<int>(ReadInt(request, "pnFigure"));
    input.pnFormFlag = static_cast<int>(ReadInt(request, "pnFormFlag"));
    input.previousResult = previous;
    halden::RecordingSink sink;
    const std::string result = halden::ConvertCommand(input, sink);
    return json{{"txtResult", result}, {"comma_messages", sink.messages.size()}};
}

const RequestRegistrar kConvertRequests{{"ConvertCommand", &ConvertCommandReply}};

}  // namespace
}  // namespace golden
