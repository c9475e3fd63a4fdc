// The equivalence table: nine derived SI units, each with the quantity it measures (named in
// Japanese), the unit with its symbol and an equivalent expression in other units. The
// equivalence window shows the three columns side by side, in this order.
#pragma once

#include <array>
#include <string_view>

namespace halden {

struct EquivalenceRow {
    std::string_view Quantity;
    std::string_view SiUnit;
    std::string_view Alternative;
};

inline constexpr int kEquivalenceRows = 9;

/// The nine rows in display order (UTF-8 texts).
const std::array<EquivalenceRow, kEquivalenceRows>& EquivalenceTable();

}  // namespace halden
