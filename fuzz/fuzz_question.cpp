// Feeds arbitrary bytes to the question reading, with the figures and notation chosen by the first
// byte. Every question gets an answer or a reason, never both; an answer's units are units of its
// group; and a question the lists can show answers exactly what the result box shows for it.

#include "catalogue/convert_command.h"
#include "catalogue/question.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "fuzz_tables.h"
#include "numbers/message_sink.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

constexpr int kFigures[] = {4, 6, 7, 8};

using halden::fuzz::Tables;

bool IsUnit(const halden::UnitCatalogue& c, int g, int unit) {
    return g >= 0 && g < halden::kGroupCount && unit >= 0 && unit < c.UnitCount[static_cast<std::size_t>(g)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Tables tables;  // the name index is built once per process
    if (size < 1) {
        return 0;
    }
    const halden::QuestionOptions options{kFigures[data[0] % 4], (data[0] >> 2) % 2};
    const std::string_view question(reinterpret_cast<const char*>(data + 1), size - 1);
    const halden::QuestionAnswer answer = halden::Answer(question, *tables.catalogue, *tables.index, options);
    if (answer.verdict != halden::QuestionVerdict::Answered) {
        if (answer.reason.empty() || !answer.answer.empty() || answer.listUnits) std::abort();
        return 0;
    }
    if (answer.answer.empty() || answer.result.empty() || !answer.reason.empty()) std::abort();
    if (!IsUnit(*tables.catalogue, answer.group, answer.from) || !IsUnit(*tables.catalogue, answer.group, answer.into))
        std::abort();
    if (answer.answer.find('\n') != std::string::npos || answer.understood.find('\n') != std::string::npos)
        std::abort();
    if (answer.listUnits) {
        // The same conversion in the window's lists shows the same number.
        halden::ConvertInput input;
        input.group = answer.group;
        input.from = answer.from;
        input.into = answer.into;
        input.text = answer.valueText;
        input.pnFigure = options.figure;
        input.pnFormFlag = options.formFlag;
        halden::NullSink quiet;
        if (halden::ConvertCommand(*tables.catalogue, 0, input, quiet) != answer.result) std::abort();
    }
    return 0;
}
