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

/// A name that several units of one group share because the measure differs between countries
/// ("gallon", "pint"): it names all of them, so it is refused with them as the candidates.
struct SharedNameRow {
    int group;
    std::string_view units;  // list texts exactly as the list shows them, separated by "|"
    std::string_view names;  // separated by "|"
};

/// Every row, in group order.
std::span<const SharedNameRow> SharedNameRows();

/// Short forms of list texts that say whose measure it is, not which ("US", "UK" of the tons):
/// they name no unit alone.
std::span<const std::string_view> NotUnitNames();

/// Which prefixes a unit takes: the SI prefixes (k, M, m, µ, ...), or the binary ones (Ki, Mi, ...)
/// for bits and bytes; none for a further name defined on a list unit (stone = 14 pounds).
enum class PrefixKind { None, Decimal, Binary };

/// A unit named by its SI symbol or name, with a prefix or without: the list unit it is a multiple
/// of, its symbols and its names ("*" where a prefix goes inside a name: "square *meter"; at the
/// front where there is none), the power a prefix is raised to (2 for m^2), and its size in the
/// list unit as up / down (a gram is 1 / 1000 of the kilogram).
struct PrefixableUnitRow {
    int group;
    std::string_view unit;     // the list text exactly as the list shows it
    std::string_view symbols;  // separated by "|"; a letter's case counts
    std::string_view names;    // separated by "|"; case ignored, a plural "s" taken
    int power;
    double up;
    double down;
    PrefixKind prefixes;
};

/// Every row, in group order.
std::span<const PrefixableUnitRow> PrefixableUnitRows();

/// One prefix: its symbols (the first is the one written), its name, and its size as base^exponent
/// (10 for the SI prefixes, 2 for the binary ones).
struct UnitPrefixRow {
    std::string_view symbols;  // separated by "|"
    std::string_view name;
    int exponent;
    PrefixKind kind;
};

/// The SI prefixes from yocto to yotta, then the binary ones from kibi to exbi.
std::span<const UnitPrefixRow> UnitPrefixRows();

}  // namespace halden
