// The values of a question in named units: the input box's text, the lists' names, and answers in two units.
#include "catalogue/convert_value.h"
#include "catalogue/question.h"
#include "catalogue/question_internal.h"
#include "numbers/format_result.h"
#include "numbers/leading_number.h"
#include "numbers/number_checks.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace halden::detail {

// The value text as the converter's input box would hold it: as typed when it is a plain number,
// else the shortest text that reads back to the value.
std::string InputBoxText(std::string_view typed, double value) {
    if (const std::optional<std::string> plain = FinishedOperand(typed)) {
        return *plain;
    }
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), written.ptr);
}

// How the lists name a named unit in its group.
std::string ListName(const UnitCatalogue& c, int g, const GroupUnit& unit) {
    if (!unit.named->composedName.empty()) {
        return unit.named->composedName;
    }
    return c.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(unit.unit)];
}

std::optional<double> ConvertUnit(const UnitCatalogue& c, int g, const GroupUnit& from, const GroupUnit& into,
                                  double x) {
    return ConvertScaled(c, g, from.unit, from.named->scale.up, from.named->scale.down, into.unit, into.named->scale.up,
                         into.named->scale.down, x);
}

// The answer in two units, the first whole ("5 ft 10.8661 in"): the rest of the first unit in the
// second, carried over when it rounds to a whole first unit.
std::optional<std::string> MixedAnswer(const UnitCatalogue& c, int g, const GroupUnit& big, const GroupUnit& small,
                                       double total, const QuestionOptions& options) {
    const double size = std::fabs(total);
    double whole = std::trunc(size);
    const std::optional<double> oneBig = ConvertUnit(c, g, big, small, 1.0);
    std::optional<double> rest = ConvertUnit(c, g, big, small, size - whole);
    if (!oneBig || !rest || whole >= 1e15) {
        return std::nullopt;
    }
    std::optional<std::string> restText = FormatResult(*rest, false, options.figure, options.formFlag);
    // Compared as written: 12 inches rounded from 11.9999 are a whole foot.
    const std::optional<std::string> oneBigText = FormatResult(*oneBig, false, options.figure, options.formFlag);
    if (restText && oneBigText &&
        LeadingNumber(*restText).value_or(0.0) >= LeadingNumber(*oneBigText).value_or(*oneBig)) {
        whole += 1.0;
        rest = 0.0;
    }
    if (*rest == 0.0) {
        restText = "0";  // the result box writes zero in exponent form; a whole number of feet has 0 inches
    }
    if (!restText) {
        return std::nullopt;
    }
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<long long>(whole));
    const std::string sign = total < 0 && (whole > 0 || *rest > 0) ? "-" : "";
    return sign + std::string(buffer.data(), written.ptr) + " " + big.typed + " " + *restText + " " + small.typed;
}

}  // namespace halden::detail
