#include "catalogue/all_units.h"

#include "catalogue/convert_command.h"
#include "numbers/format_result.h"
#include "numbers/message_sink.h"

#include <algorithm>

namespace halden {
namespace {

constexpr int kRadixDecimal = 0;
constexpr int kRadixHexadecimal = 3;

}  // namespace

int TargetCount(const UnitCatalogue& c, int group) {
    if (group < 0 || group >= kGroupCount) {
        return 0;
    }
    const int count = std::min<int>(c.UnitCount[static_cast<std::size_t>(group)], kUnitSlots);
    return group == kGroupVelocity && count > 0 ? count - 1 : std::max(count, 0);
}

std::string AllUnitsResult(const UnitCatalogue& c, int warpIdx, const AllUnitsInput& input, int into) {
    NullSink quiet;
    ConvertInput convert;
    convert.group = input.group;
    convert.from = input.from;
    convert.into = into;
    convert.text = input.text;
    convert.pnFigure = input.pnFigure;
    convert.pnFormFlag = input.pnFormFlag;
    if (input.group != kGroupRadix || into != input.from || into < 0) {
        return ConvertCommand(c, warpIdx, convert, quiet);
    }
    // The number bases write nothing for a base into itself.
    convert.into = input.from == kRadixDecimal ? kRadixHexadecimal : kRadixDecimal;
    std::string between = ConvertCommand(c, warpIdx, convert, quiet);
    if (between == kInputError) {
        return between;
    }
    convert.from = convert.into;
    convert.into = into;
    convert.text = between;
    return ConvertCommand(c, warpIdx, convert, quiet);
}

void AllUnitsResults(const UnitCatalogue& c, int warpIdx, const AllUnitsInput& input, std::vector<std::string>& texts) {
    const int count = TargetCount(c, input.group);
    texts.resize(static_cast<std::size_t>(count));
    for (int into = 0; into < count; ++into) {
        auto& text = texts[static_cast<std::size_t>(into)];
        if (input.text.empty()) {
            text.clear();
        } else {
            text = AllUnitsResult(c, warpIdx, input, into);
        }
    }
}

}  // namespace halden
