// The value of the input box in every unit of a group at once: one result text a unit, each the
// text the result box shows when that unit is chosen in the Into list.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace halden {

struct AllUnitsInput {
    int group = 0;          // pnSelUnitGrp, 0..50
    int from = -1;          // selected From index, -1 none
    std::string_view text;  // the input box's text
    int pnFigure = 6;
    int pnFormFlag = 0;
};

/// The number of units a group offers to convert into: its unit count, less Velocity's Warp,
/// which is only converted from. 0 for a group outside 0..50.
int TargetCount(const UnitCatalogue& c, int group);

/// The text for the value converted into unit `into` (0..TargetCount-1): what the result box
/// shows for that unit, "Input error" for every failure. The From unit itself gives the value in
/// its own unit; the number bases go through another base and back for it, so that a text that is
/// no number of its base shows "Input error" there too. The comma warning is not given again.
std::string AllUnitsResult(const UnitCatalogue& c, int warpIdx, const AllUnitsInput& input, int into);

/// Fills texts with AllUnitsResult for every target unit, in list order (resized to TargetCount).
/// An empty input converts nothing, as the result box does not: every text is then empty.
void AllUnitsResults(const UnitCatalogue& c, int warpIdx, const AllUnitsInput& input, std::vector<std::string>& texts);

}  // namespace halden
