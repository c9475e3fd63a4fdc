// The arithmetic of one conversion between two units of a group.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <optional>
#include <string_view>

namespace halden {

/// Converts the number read from text (leading-number reading) from unit `from` into unit `into`
/// of group g of catalogue c; converting from "Warp" uses warp level warpIdx (0..13). Returns std::nullopt for every
/// failure: an index outside the group's table, a number beyond the double range, a non-finite result. Never used for
/// group 49 (number bases), which T_FormatNumber handles.
std::optional<double> ConvertValue(const UnitCatalogue& c, int warpIdx, int g, int from, int into,
                                   std::string_view text);

}  // namespace halden
