// Feeds arbitrary bytes to the calculator's evaluator as an expression.

#include "calc/evaluator.h"
#include "numbers/message_sink.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

class CountingSink final : public halden::MessageSink {
public:
    void Show(const halden::Message&) override { ++count; }
    int count = 0;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view expression(reinterpret_cast<const char*>(data), size);
    CountingSink sink;
    auto outputs = halden::Calc_1(expression, sink);
    Require(sink.count <= 2);
    if (outputs) {
        Require(std::isfinite(outputs->result));
        Require(outputs->errorCount >= 0 && outputs->errorCount <= 2);
        if (!outputs->wrote) Require(outputs->result == 0 && outputs->errorCount == 0);
    }
    CountingSink shownSink;
    const std::optional<std::string> shown = halden::CalculatorResultText(expression, 6, 0, shownSink);
    Require(!shown || !shown->empty());
    Require(!shown.has_value() == (!outputs || (outputs->wrote && outputs->errorCount != 0)));
    return 0;
}
