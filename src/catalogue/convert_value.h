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

/// Converts x, given in `fromUp / fromDown` of unit `from`, into `intoUp / intoDown` of unit `into`
/// of group g (a kilometer is 1000 / 1 of the meter): the value in the list unit, the conversion
/// ConvertValue makes, then the size of the answer's unit. With sizes of 1 the result is
/// ConvertValue's, bit for bit. std::nullopt for the same failures, and for Warp and group 49.
std::optional<double> ConvertScaled(const UnitCatalogue& c, int g, int from, double fromUp, double fromDown, int into,
                                    double intoUp, double intoDown, double x);

}  // namespace halden
