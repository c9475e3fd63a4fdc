// Feeds arbitrary bytes to the number checks, the leading-number reading, the reading of a value
// given whole and the typed-number state as text, and the same bytes read as doubles to the
// result formatters.

#include "numbers/format_result.h"
#include "numbers/given_value.h"
#include "numbers/leading_number.h"
#include "numbers/message_sink.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// An exponent text, read back, lies within half a unit of its last digit (plus the rounding
// of the 15-digit first step) of the value it was written from.
void CheckExponentText(double value, int digits) {
    auto text = halden::ExpressAsExp(value, digits);
    Require(text.has_value());
    Require(text->find(',') == std::string::npos);
    auto back = halden::LeadingNumber(*text);
    if (!back) return;  // the largest values round up beyond the double range
    const double bound = std::fabs(value) * (0.5 * std::pow(10.0, 1 - digits) + 1e-14) * 1.000001 + 1e-322;
    Require(std::fabs(*back - value) <= bound);
}

void FormatDouble(double value, std::uint8_t options) {
    const int figures[] = {4, 6, 8, 7, 2, 9, 0, -1};
    const int figure = figures[options & 7];
    const int form = (options >> 3) & 1;
    const bool calculator = (options >> 4) & 1;
    auto text = halden::FormatResult(value, calculator, figure, form);
    Require(text.has_value() == std::isfinite(value));
    if (!text) return;
    Require(!text->empty() && text->find(',') == std::string::npos);
    if (calculator && form == 0 && figure != 7) Require(text->size() < 15 || text->find('E') != std::string::npos);
    CheckExponentText(value, 2 + (options >> 5));
    Require(halden::TrimFigures(value, 1 + (options & 15)).has_value());
    Require(halden::T_Fix(value).has_value() || std::fabs(value) > 1e300);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CountingSink sink;
    const int nonNum = halden::NonNumCheck(text, sink);
    const int invalid = halden::InvalidNumCheck(text, sink);
    Require(nonNum == 0 || nonNum == 1);
    Require(invalid == 0 || invalid == 1);
    // A finished number always also passes the lenient check.
    Require(invalid == 1 || nonNum == 0);
    Require(sink.count == (text.find(',') != std::string_view::npos ? 2 : 0));
    if (auto value = halden::LeadingNumber(text)) Require(std::isfinite(*value));

    // Typed text keeps its length in characters; a pasted line holds no line break; a value
    // given whole is a finished number the leading-number reading takes entirely.
    const std::string ascii = halden::AsciiTypedText(text);
    Require(ascii.size() <= text.size());
    Require(halden::AsciiTypedText(ascii) == ascii);
    const std::string_view line = halden::PastedLine(text);
    Require(line.find('\n') == std::string_view::npos && line.find('\r') == std::string_view::npos);
    if (const auto operand = halden::FinishedOperand(text)) {
        Require(!operand->empty() && operand->find(',') == std::string::npos);
        Require(halden::NonNumCheck(*operand, sink) == 0 && halden::LeadingNumber(*operand).has_value());
    }

    // A value given whole is finite; without a slash it is the finished operand's reading.
    const std::optional<double> given = halden::GivenValue(text);
    if (given) {
        Require(std::isfinite(*given));
        if (ascii.find('/') == std::string::npos) {
            const auto operand = halden::FinishedOperand(text);
            Require(operand && halden::LeadingNumber(*operand) == given);
        }
    }

    // A number still being typed becomes one with a digit more; no typing rescues a text that
    // never is. A complete text is read whole by the leading-number reading, as a value given
    // whole reads it where that takes it.
    const halden::TypedNumber state = halden::TypedNumberState(text);
    const std::string more = std::string(text) + "1";
    if (state == halden::TypedNumber::Unfinished)
        Require(halden::TypedNumberState(more) == halden::TypedNumber::Complete);
    if (state == halden::TypedNumber::Never) Require(halden::TypedNumberState(more) == halden::TypedNumber::Never);
    if (state == halden::TypedNumber::Complete) {
        Require(text.find('/') == std::string_view::npos && text.find(',') == std::string_view::npos);
        if (given) Require(halden::LeadingNumber(text) == given);
    }

    for (std::size_t offset = 0; offset + sizeof(double) < size; offset += sizeof(double) + 1) {
        double value = 0;
        std::memcpy(&value, data + offset, sizeof value);
        if (std::isfinite(value)) {
            FormatDouble(value, data[offset + sizeof(double)]);
        } else {
            Require(!halden::FormatResult(value, false, 6, 0).has_value());
        }
    }
    return 0;
}
