// The one rule by which the program reads a number out of text.
#pragma once

#include <optional>
#include <string_view>

namespace halden {

/// Reads the longest leading part of `text` that forms a number and ignores the rest.
/// Blanks, tabs and line feeds are skipped wherever they stand. Then: an optional sign, decimal
/// digits with at most one period, an optional exponent (E or e, optional sign, digits).
/// A text starting with "&H"/"&O" (either case) is an unsigned hexadecimal/octal integer of any
/// length, read to the nearest double. A text that holds no number reads as 0; a number that only
/// underflows reads as the nearest double (0 or subnormal).
/// Returns std::nullopt when the number is beyond the range of a double.
std::optional<double> LeadingNumber(std::string_view text);

}  // namespace halden
