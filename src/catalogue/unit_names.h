// Unit name matching: which unit a typed name stands for, and which units a search text finds.
//
// A unit is named by the forms of its list text. For "knot (kt, kn)" these are the whole text,
// the name before the parentheses ("knot") and the short forms inside them ("kt, kn", "kt", "kn");
// for "尺 [shaku]" the whole text, "尺" and "shaku". A list text that gives several names, joined
// by "," or "=" outside any brackets ("分 [bu], deci (d)", "foot, feet (ft)", "mmHg = Torr"),
// adds the forms of each of those names. Parentheses glued to a word ("g/(kW-h)") are part of the
// name, not a short form.
//
// Reading a typed name: the text is first read as the lists write it (full-width letters and
// digits as ASCII, "°" as the list's "ﾟ", "µ" as "μ", "Å" as the angstrom sign, "²" as "^2", blanks
// collapsed). A form or a further name (unit_aliases.h) that equals it wins, a whole name over a
// short form. Failing that, an SI prefix on a unit the lists write with an SI symbol or name
// ("km", "mPa", "kilometres", "MiB"), taken in the letter case typed for symbols. Only then, for a
// name of three or more characters, is letter case ignored (and a plural "s" dropped), and only
// against word names ("Meter", "TSUBO", "Pounds"), never symbols or abbreviations: "mPa" is no
// "MPa", "Mbar" no "mbar", and "Mb" no unit at all. "Graphics Units:inch" names a unit of one
// group. Searching: exact forms first (the list's own before further names), then forms equal
// but for case, then forms that begin with the text, then list texts that contain it; ties in
// group, then unit order.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace halden {

/// A whole name, a short form, a further name of one unit, or a name several units share.
enum class NameFormKind { Whole, Short, Alias, Shared };

struct NameForm {
    std::string text;
    NameFormKind kind = NameFormKind::Whole;
    bool operator==(const NameForm&) const = default;
};

/// The forms by which a unit with this list text can be named, whole names first, without
/// repeats or empty forms. Any text is accepted; unbalanced brackets end at the text's end.
std::vector<NameForm> UnitNameForms(std::string_view listText);

/// The text as the lists would write it: full-width ASCII forms as ASCII, the signs a keyboard
/// gives as the lists' own ("°" and "º" as "ﾟ", "µ" as "μ", "Å" as "Å", "℃" as "ﾟC", "²" as "^2",
/// "·" as "-"), runs of blanks as one space, none at either end. Case is kept.
std::string NormalizeName(std::string_view text);

/// NormalizeName with the ASCII letters in lower case: the text as matching compares it when case
/// does not count.
std::string FoldName(std::string_view text);

/// Whether the finder and the command line offer group g: the built-in groups 0..27 and 48..50,
/// and the user groups whose name is not blank.
bool GroupTakesPart(const UnitCatalogue& catalogue, int g);

/// One unit that takes part in matching.
struct IndexedUnit {
    int group = 0;
    int unit = 0;
    std::string listText;
    std::string foldedListText;
    std::vector<NameForm> forms;
    std::vector<std::string> normalForms;  // NormalizeName of each form, in the same order
    std::vector<std::string> foldedForms;  // FoldName of each form, in the same order
    bool searchOnly = false;               // found by Search, never named by Resolve or Suggest (Warp)
};

/// One search result.
struct FoundUnit {
    int group = 0;
    int unit = 0;
    bool operator==(const FoundUnit&) const = default;
};

/// The size of a named unit in the list unit it is read as: up / down (a kilometer is 1000 / 1 of
/// the meter, a gram 1 / 1000 of the kilogram). Both are exact for every prefix.
struct UnitScale {
    double up = 1.0;
    double down = 1.0;
    bool operator==(const UnitScale&) const = default;
};

/// The units a typed name stands for.
struct NamedUnits {
    std::vector<FoundUnit> units;  // in group, then unit order; several in one group when the name fits each
    /// The name fits only when case is ignored, or only as prefixed units of different sizes, and
    /// then several units: it names none of them, and units holds the candidates.
    bool ambiguous = false;
    /// A prefixed unit or a further multiple ("km", "stone"): its size in the list units, and its
    /// name as the lists would write it ("kilometer (km)"); a list unit has scale 1 and no name.
    UnitScale scale;
    std::string composedName;
};

/// What two names stand for together: the units of each, and the first group (in the window's
/// group order) that holds both, with their units there.
struct NamedPair {
    NamedUnits from;
    NamedUnits into;
    int group = -1;              // -1: no group holds both (or a name names nothing)
    std::vector<int> fromUnits;  // the from name's units in group, several when it fits several
    std::vector<int> intoUnits;
};

/// The groups that hold a unit of named, ascending, each once.
std::vector<int> GroupsOf(const NamedUnits& named);

/// The names of every unit the main window can show, built once from a catalogue: the units
/// 0..UnitCount-1 of every group that takes part, except blank entries. Velocity's "Warp" is
/// only searched for: what it converts depends on the level chosen in the window's Warp menu.
class UnitNameIndex {
public:
    explicit UnitNameIndex(const UnitCatalogue& catalogue);
    // The form tables point into the units' own texts: a moved index keeps them, a copy would not.
    UnitNameIndex(const UnitNameIndex&) = delete;
    UnitNameIndex& operator=(const UnitNameIndex&) = delete;
    UnitNameIndex(UnitNameIndex&&) = default;
    UnitNameIndex& operator=(UnitNameIndex&&) = default;
    ~UnitNameIndex() = default;

    /// The units name stands for (blanks around it ignored): exact forms and further names in every
    /// group, the best of each group; else, for a name of three or more characters, the one unit a
    /// form fits when case is ignored. Empty when nothing fits.
    NamedUnits Resolve(std::string_view name) const;

    /// What from and into stand for, in the first group that holds both; a name that names
    /// nothing or is ambiguous leaves group at -1.
    NamedPair ResolvePair(std::string_view from, std::string_view into) const;

    /// The group text names, as the group menus name it (without "&") or as the catalogue does
    /// (trailing dots or none), case ignored, or by one part of a name that lists several ("Mass",
    /// "Work Rate") that no other group has; -1 when none or when the group takes no part.
    int GroupNamed(std::string_view text) const;

    /// At most limit units found by query (blanks around it ignored), best first. An empty query
    /// finds nothing.
    std::vector<FoundUnit> Search(std::string_view query, std::size_t limit) const;

    /// At most limit units whose names are near name: close in spelling (a few letters apart)
    /// first, then those a search finds. For "did you mean" answers to a name that fits nothing.
    std::vector<FoundUnit> Suggest(std::string_view name, std::size_t limit) const;

    const std::vector<IndexedUnit>& units() const { return units_; }

private:
    /// A unit named with a prefix or as a multiple: the list units (several when the base name fits
    /// several), its size, its name.
    struct Composed {
        std::vector<std::size_t> units;  // positions in units_
        UnitScale scale;
        std::string name;
    };
    /// One symbol or name of a unit that takes prefixes.
    struct PrefixBase {
        std::vector<std::size_t> units;  // positions in units_
        std::size_t row = 0;             // in PrefixableUnitRows()
    };

    void IndexForms();
    void IndexPrefixBases();
    /// The readings of normal as a prefix and a base: symbols in the case typed, names in any case.
    std::vector<Composed> Compose(std::string_view normal) const;

    /// name without a leading "Group:" that names a group, and that group (-1 when none).
    std::pair<std::string, int> SplitGroup(std::string_view name) const;

    std::vector<IndexedUnit> units_;
    std::array<std::vector<std::string>, kGroupCount> groupNames_;  // folded names of each group that takes part
    std::array<std::vector<std::string>, kGroupCount> groupParts_;  // the parts of those names that list several
    /// A form of the unit at position in units_ (its text kept there), with 0 for a whole name and 1
    /// for any other.
    struct FormEntry {
        std::string_view text;
        std::size_t position = 0;
        int rank = 0;
    };
    static bool FormOrder(const FormEntry& a, const FormEntry& b);
    /// Every normal form in text order, then unit order.
    std::vector<FormEntry> exactForms_;
    /// Every word name folded, in the same order; made the first time a name is read with case
    /// ignored.
    struct LazyForms {
        std::once_flag once;
        std::vector<FormEntry> forms;
    };
    std::unique_ptr<LazyForms> wordFormsMade_ = std::make_unique<LazyForms>();
    const std::vector<FormEntry>& WordForms() const;
    /// The entries of forms whose text is text.
    static std::span<const FormEntry> FormsNamed(const std::vector<FormEntry>& forms, std::string_view text);
    /// The symbols (as written) and the names (folded) of the units that take prefixes.
    std::unordered_map<std::string, std::vector<PrefixBase>> prefixSymbols_;
    std::unordered_map<std::string, std::vector<PrefixBase>> prefixNames_;
    /// Names with the prefix inside ("square *meter"): the folded text before and after it.
    std::vector<std::pair<std::pair<std::string, std::string>, PrefixBase>> infixNames_;
};

}  // namespace halden
