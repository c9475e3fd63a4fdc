// Conversion between number bases for the "Hex, Oct, Bin" group, on text.
//
// Units of the group, by list index: 0 decimal, 1 binary, 2 octal, 3 hexadecimal (as the
// catalogue lists them). A converter returns the result text ("Input error" when its own checks
// fail) or std::nullopt for an arithmetic failure, which the caller shows as "Input error" too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace halden {

std::optional<std::string> FmtDecToHex(std::string_view s);
std::optional<std::string> FmtDecToOct(std::string_view s);
std::optional<std::string> FmtDecToBin(std::string_view s);
std::optional<std::string> FmtBinToDec(std::string_view s);
std::optional<std::string> FmtOctToDec(std::string_view s);
std::optional<std::string> FmtHexToDec(std::string_view s);

/// What the result box shows after converting text from list index `from` into `into`
/// (-1 = no selection). std::nullopt means the result box keeps the text it has.
std::optional<std::string> T_FormatNumber(int from, int into, std::string_view text);

}  // namespace halden
