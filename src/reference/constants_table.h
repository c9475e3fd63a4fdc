// The physical constants reference: 23 constants with their names, symbols, SI units and values as
// fixed texts, shown twelve at a time on two pages, and the compact text the Copy button puts on
// the clipboard.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

struct PhysicalConstant {
    std::string_view name;
    std::string_view symbol;
    std::string_view unit;
    std::string_view value;  // decimals grouped in threes with single blanks, exponent as " E+nn"
};

inline constexpr int kPhysicalConstantCount = 23;

/// The table in display order (UTF-8 texts).
const std::array<PhysicalConstant, kPhysicalConstantCount>& PhysicalConstants();

/// The pages of the window: -1 the first page (rows 0 to 11), 1 the second (rows 12 to 22).
inline constexpr int kConstantsFirstPage = -1;
inline constexpr int kConstantsSecondPage = 1;

enum class ConstantsColumn { Quantity, Symbol, Unit, Value };

/// The entries of one column's list on a page, in list order: four rows, an empty entry, four
/// rows, an empty entry, then the rest. Any page value other than 1 gives the first page.
std::vector<std::string> ConstantsPageEntries(int page, ConstantsColumn column);

/// text with its blanks removed in one pass from the left: a removed blank closes the gap and
/// the position after it is examined next, so of two adjacent blanks the second stays.
std::string RemoveBlanks(std::string_view text);

/// The clipboard text of Copy: the Quantity entry, the Unit entry and the compact Value entry
/// (trimmed, blanks removed) run together, each taken at its own list's selected index on the
/// page. An index of -1 or one outside the page's list gives an empty part.
std::string ConstantsCopy(int page, int quantityIndex, int unitIndex, int valueIndex);

}  // namespace halden
