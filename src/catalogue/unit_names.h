// Unit name matching: which unit a typed name stands for, and which units a search text finds.
//
// A unit is named by the forms of its list text. For "knot (kt, kn)" these are the whole text,
// the name before the parentheses ("knot") and the short forms inside them ("kt, kn", "kt", "kn");
// for "尺 [shaku]" the whole text, "尺" and "shaku". A list text that gives several names, joined
// by "," or "=" outside any brackets ("分 [bu], deci (d)", "foot, feet (ft)", "mmHg = Torr"),
// adds the forms of each of those names. Parentheses glued to a word ("g/(kW-h)") are part of the
// name, not a short form.
//
// Matching a name: an exact match wins over one that ignores the case of ASCII letters ("m" is
// milli, "M" mega), and a whole name wins over a short form. Searching: exact forms first, then
// forms that begin with the text, then list texts that contain it; ties in group, then unit order.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

enum class NameFormKind { Whole, Short };

struct NameForm {
    std::string text;
    NameFormKind kind = NameFormKind::Whole;
    bool operator==(const NameForm&) const = default;
};

/// The forms by which a unit with this list text can be named, whole names first, without
/// repeats or empty forms. Any text is accepted; unbalanced brackets end at the text's end.
std::vector<NameForm> UnitNameForms(std::string_view listText);

/// The text as matching compares it when case does not count: ASCII letters in lower case, the
/// degree sign "°" as the list's "ﾟ", the micro sign "µ" as "μ", blanks at both ends removed.
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
    std::vector<std::string> foldedForms;  // FoldName of each form, in the same order
};

/// One search result.
struct FoundUnit {
    int group = 0;
    int unit = 0;
    bool operator==(const FoundUnit&) const = default;
};

/// The names of every unit the main window can show, built once from a catalogue: the units
/// 0..UnitCount-1 of every group that takes part, except Velocity's "Warp" and blank entries.
class UnitNameIndex {
public:
    explicit UnitNameIndex(const UnitCatalogue& catalogue);

    /// The units of group g that name (blanks around it ignored) names best: every unit at the
    /// best rank, in unit order. Empty when no form of the group fits or g takes no part.
    std::vector<int> Match(int group, std::string_view name) const;

    /// The groups that hold a unit named name, ascending; with exactCase only those where a form
    /// fits in letter case too.
    std::vector<int> GroupsNaming(std::string_view name, bool exactCase = false) const;

    /// At most limit units found by query (blanks around it ignored), best first. An empty query
    /// finds nothing.
    std::vector<FoundUnit> Search(std::string_view query, std::size_t limit) const;

    const std::vector<IndexedUnit>& units() const { return units_; }

private:
    std::vector<IndexedUnit> units_;
};

}  // namespace halden
