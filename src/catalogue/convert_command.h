// The converter's convert command as one pure function of what the window shows.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"

#include <string>
#include <string_view>

namespace halden {

struct ConvertInput {
    int group = 0;          // pnSelUnitGrp
    int from = -1;          // selected From index, -1 none
    int into = -1;          // selected Into index, -1 none
    std::string_view text;  // the input box's text
    int pnFigure = 6;
    int pnFormFlag = 0;
    std::string_view previousResult;  // what the result box shows now
};

/// The new text of the result box: the formatted value, "" when nothing is selected in the Into
/// list or the text is a number still being typed ("-", "2e"), "Input error" for every failure
/// (a text that can never become a number, "one" or "-abc", included), or previousResult where
/// the radix group writes nothing.
/// The comma warning of the input check goes to sink. Units come from catalogue c; converting
/// from "Warp" uses warp level warpIdx.
std::string ConvertCommand(const UnitCatalogue& c, int warpIdx, const ConvertInput& input, MessageSink& sink);

}  // namespace halden
