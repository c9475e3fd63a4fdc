// Feeds arbitrary bytes to the number-base conversion for every pair of list selections and to
// the unit conversion as its input text; aborts on any result the program could not show.

#include "catalogue/convert_value.h"
#include "catalogue/radix.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool IsDigitsIn(std::string_view text, std::string_view allowed) {
    return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

void CheckRadix(std::string_view text) {
    for (int from = -1; from <= 4; ++from) {
        for (int into = -1; into <= 4; ++into) {
            const auto result = halden::T_FormatNumber(from, into, text);
            if (!result || *result == "Input error") continue;
            const bool valid = (into == 1 && result->size() == 16 && IsDigitsIn(*result, "01")) ||
                               (into != 1 && IsDigitsIn(*result, "0123456789ABCDEF"));
            if (!valid) std::abort();
        }
    }
}

void CheckConvert(int g, int from, int into, std::string_view text) {
    const auto value = halden::ConvertValue(halden::catalogue(), halden::state().WarpIdx, g, from, into, text);
    if (value && !std::isfinite(*value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool built = [] {
        auto& user = halden::userUnits();
        user.UserUnitName[0][0] = "a";
        user.UserFactorText[0][0] = "1e308";
        user.UserUnitName[0][1] = "b";
        user.UserFactorText[0][1] = "0";
        user.UserOffsetText[0][1] = "-1e308";
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
        return true;
    }();
    (void)built;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckRadix(text);

    CheckConvert(0, 3, 0, text);
    CheckConvert(0, 15, 11, text);
    CheckConvert(6, 2, 1, text);
    CheckConvert(9, 13, 0, text);
    CheckConvert(28, 0, 1, text);
    CheckConvert(28, 1, 0, text);
    // The first bytes choose a group, units and warp level; the rest is the text.
    if (size >= 4) {
        halden::state().WarpIdx = static_cast<std::int16_t>(static_cast<std::int8_t>(data[3]) % 16);
        CheckConvert(static_cast<std::int8_t>(data[0]), static_cast<std::int8_t>(data[1]),
                     static_cast<std::int8_t>(data[2]), text.substr(4));
        halden::state().WarpIdx = 0;
    }
    return 0;
}
