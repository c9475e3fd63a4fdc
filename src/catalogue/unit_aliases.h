// Further names of the built-in units, beside the names their list texts give: what people type
// from an ASCII keyboard (romaji for the Japanese units, "US gal" and "UK gal" for the American
// and British measures), other spellings (metre, litre), plurals, powers written as "m2" or
// "sq m", and the short names of an engineer's converter (mph, kph, degC). The lists keep showing
// their own texts; these names only lead to them.
#pragma once

#include <span>
#include <string_view>

namespace halden {

/// The further names of one unit: the group, the unit's list text exactly as the list shows it,
/// and its names separated by "|". Each name names this one unit within its group.
struct UnitAliasRow {
    int group;
    std::string_view unit;
    std::string_view names;
};

/// Every row, in group order.
std::span<const UnitAliasRow> UnitAliasRows();

}  // namespace halden
