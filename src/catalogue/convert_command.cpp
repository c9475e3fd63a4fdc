#include "catalogue/convert_command.h"

#include "catalogue/convert_value.h"
#include "catalogue/radix.h"
#include "catalogue/unit_catalogue.h"
#include "numbers/format_result.h"
#include "numbers/given_value.h"
#include "numbers/number_checks.h"

namespace halden {

std::string ConvertCommand(const UnitCatalogue& c, int warpIdx, const ConvertInput& input, MessageSink& sink) {
    // The check always runs (its comma warning is shown), but number-base texts hold letters,
    // so its verdict does not count for that group.
    const int rejected = NonNumCheck(input.text, sink);
    if (input.group == kGroupRadix) {
        const std::optional<std::string> written = T_FormatNumber(input.from, input.into, input.text);
        return written ? *written : std::string(input.previousResult);
    }
    if (rejected > 0) {
        return std::string(kInputError);
    }
    // The check lets a number still being typed pass, and with it every text that merely starts
    // with a sign or ends in an exponent letter ("-abc", "one"). Such a text is no number to
    // read a leading part of: one still being typed shows nothing yet, one that no more typing
    // makes a number is an error. A text with a comma still converts the number before it, and
    // the empty text converts as before.
    if (!input.text.empty() && input.text.find(',') == std::string_view::npos) {
        switch (TypedNumberState(input.text)) {
            case TypedNumber::Never:
                return std::string(kInputError);
            case TypedNumber::Unfinished:
                return std::string();
            case TypedNumber::Complete:
                break;
        }
    }
    const std::optional<double> value = ConvertValue(c, warpIdx, input.group, input.from, input.into, input.text);
    if (!value) {
        return std::string(kInputError);
    }
    const std::optional<std::string> text = FormatResult(*value, false, input.pnFigure, input.pnFormFlag);
    if (!text) {
        return std::string(kInputError);
    }
    return input.into < 0 ? std::string() : *text;
}

}  // namespace halden
