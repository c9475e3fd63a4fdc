// Values given whole, as in a question or on the command line ("1/2", "1 1/2", "-3.5e2"), and how
// far the text in the converter's input box is from being a number while it is typed.
#pragma once

#include <optional>
#include <string_view>

namespace halden {

/// A value given whole: the text read as ASCII (full-width digits, the minus sign U+2212,
/// no-break spaces), blanks around it dropped, then one of
///   a number as the converter reads a finished operand ("12", "-1.5e-3", "+.5"),
///   a fraction: an optional sign, then two decimal numbers without sign or exponent around one
///   slash ("3/8", "-6/3", "1.5/2"),
///   a whole number (digits only), blanks, and such a fraction less than one ("1 1/2", "-2 3/4":
///   the sign is the whole value's; "1 3/2" is refused).
/// No blank stands inside a number or around the slash, and no comma is taken. Nothing for any
/// other text, a zero denominator, a value beyond the range of a double, or a value written with
/// a non-zero digit that reads as zero ("1e-400"; "0e-400" is 0).
std::optional<double> GivenValue(std::string_view text);

/// How the converter's input box text stands while it is typed.
enum class TypedNumber {
    Complete,    // a number, converted
    Unfinished,  // a number still being typed ("-", "2e", "1.5E-", "-."): nothing to show yet
    Never,       // no typing after it makes it a number ("one", "-abc", "e")
};

/// Where text stands, blanks (spaces, tabs, line feeds) anywhere ignored as the leading-number
/// reading ignores them. Complete is an optional sign, digits with at most one period (at least
/// one digit) and an optional whole exponent: the leading-number reading takes all of it.
/// Unfinished is the start of such a text, the empty text included; Never is any other text.
/// Meant for a text that passed the converter's check and holds no comma.
TypedNumber TypedNumberState(std::string_view text);

}  // namespace halden
