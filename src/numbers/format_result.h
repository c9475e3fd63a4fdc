// Turning a numeric result into text: significant digits, whole numbers, exponent notation.
//
// Every text uses "." as the decimal separator whatever the process locale says. A formatter
// returns std::nullopt when the value cannot be written (not finite, or beyond what the pattern
// can hold); callers show "Input error" then.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace halden {

/// The text a result box shows for any value that cannot be computed or written.
inline constexpr std::string_view kInputError = "Input error";

/// The result text for a result box. pnFigure 4, 6 or 8 significant digits, 7 whole numbers;
/// pnFormFlag 0 normal, 1 scientific; calculator selects the calculator window's form.
std::optional<std::string> FormatResult(double value, bool calculator, int pnFigure, int pnFormFlag);

/// dInput with nFigure significant digits in plain notation.
std::optional<std::string> TrimFigures(double dInput, int nFigure);
/// dInput with nFigure significant digits in exponent notation.
std::optional<std::string> ExpressAsExp(double dInput, int nFigure);
/// dInput rounded to a whole number (ties away from zero).
std::optional<std::string> T_Fix(double dInput);
/// The text with its first "," replaced by ".".
std::string DotDecimal(std::string_view text);

}  // namespace halden
