// The convert command as the main window runs it.

#include "catalogue/convert_command.h"
#include "catalogue_request.h"
#include "golden_driver.h"

namespace golden {
namespace {

json ConvertCommandReply(const json& request) {
    const halden::UnitCatalogue& catalogue = PrepareCatalogue(request);
    const std::int16_t warpIdx = ReadInt16(request, "WarpIdx");
    const std::string text = ReadText(request, "text");
    const std::string previous = ReadText(request, "previous_result");
    halden::ConvertInput input;
    input.group = ReadInt16(request, "g");
    input.from = ReadInt16(request, "from");
    input.into = ReadInt16(request, "into");
    input.text = text;
    input.pnFigure = ReadInt16(request, "pnFigure");
    input.pnFormFlag = ReadInt16(request, "pnFormFlag");
    input.previousResult = previous;
    halden::RecordingSink sink;
    const std::string result = halden::ConvertCommand(catalogue, warpIdx, input, sink);
    return json{{"txtResult", result}, {"comma_messages", sink.messages.size()}};
}

const RequestRegistrar kConvertRequests{{"ConvertCommand", &ConvertCommandReply}};

}  // namespace
}  // namespace golden
