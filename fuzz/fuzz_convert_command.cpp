// Feeds arbitrary bytes to the convert command as the input box's text, for selections chosen by
// the first bytes (any group, any index, also outside the lists). The command must always answer
// with a text the result box can show: a number, "", "Input error" or the previous text; a text
// still being typed shows nothing and one that never becomes a number shows "Input error".

#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "numbers/given_value.h"
#include "numbers/message_sink.h"
#include "shared/process_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kPrevious = "previous";
constexpr int kFigures[] = {4, 6, 7, 8};

bool ShowsOnly(std::string_view text, std::string_view allowed) {
    return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool built = [] {
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
        return true;
    }();
    (void)built;
    if (size < 4) {
        return 0;
    }
    halden::ConvertInput input;
    input.group = data[0] % 52;  // one past the last group on purpose
    input.from = static_cast<int>(data[1] % 44) - 1;
    input.into = static_cast<int>(data[2] % 44) - 1;
    input.pnFigure = kFigures[data[3] % 4];
    input.pnFormFlag = (data[3] >> 2) & 1;
    halden::state().WarpIdx = static_cast<std::int16_t>((data[3] >> 3) % 14);
    const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
    input.text = text;
    input.previousResult = kPrevious;

    halden::RecordingSink sink;
    const std::string result = halden::ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink);
    if (sink.messages.size() > 1) {
        std::abort();  // one check, at most one comma warning
    }
    const bool radix = input.group == halden::kGroupRadix;
    const std::string_view digits = radix ? "0123456789ABCDEF" : "0123456789.-+E";
    const bool typed = !radix && !text.empty() && text.find(',') == std::string::npos;
    const halden::TypedNumber state = halden::TypedNumberState(text);
    if (typed && state == halden::TypedNumber::Never && result != "Input error") {
        std::abort();
    }
    const bool unfinished = typed && state == halden::TypedNumber::Unfinished;
    const bool allowed = result == "Input error" || ShowsOnly(result, digits) ||
                         (result.empty() && (input.into < 0 || unfinished)) || (radix && result == kPrevious);
    if (!allowed || result.find(',') != std::string::npos) {
        std::abort();
    }
    return 0;
}
