#include "catalogue/unit_names.h"

#include "numbers/characters.h"

#include <algorithm>
#include <array>
#include <climits>

namespace halden {
namespace {

std::string_view Trim(std::string_view text) { return TrimBlanks(text, kSpacesAndTabs); }

void AddForm(std::vector<NameForm>& forms, std::string_view text, NameFormKind kind) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        return;
    }
    const auto same = [&](const NameForm& form) { return form.text == trimmed; };
    if (std::none_of(forms.begin(), forms.end(), same)) {
        forms.push_back(NameForm{std::string(trimmed), kind});
    }
}

bool Opens(char c) { return c == '(' || c == '['; }
bool Closes(char c) { return c == ')' || c == ']'; }

// Splits text at the given separators where they stand outside every bracket.
std::vector<std::string_view> SplitOutsideBrackets(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (Opens(c)) {
            ++depth;
        } else if (Closes(c) && depth > 0) {
            --depth;
        } else if (depth == 0 && separators.find(c) != std::string_view::npos) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// A bracket that begins an annotation: "(" or "[" after a blank. One glued to a word is part of
// the name ("g/(kW-h)").
bool StartsAnnotation(std::string_view text, std::size_t i) {
    return Opens(text[i]) && i > 0 && (text[i - 1] == ' ' || text[i - 1] == '\t');
}

// The forms of one name: the name before its first annotation, then what each annotation holds
// (and, for parentheses, each comma-separated part of it).
void AddNameForms(std::vector<NameForm>& forms, std::string_view name) {
    std::size_t i = 0;
    while (i < name.size() && !StartsAnnotation(name, i)) {
        // Skip glued brackets whole, so an annotation inside them does not count.
        if (Opens(name[i])) {
            int depth = 0;
            for (; i < name.size(); ++i) {
                depth += Opens(name[i]) ? 1 : Closes(name[i]) ? -1 : 0;
                if (depth == 0) {
                    break;
                }
            }
        }
        ++i;
    }
    AddForm(forms, name.substr(0, std::min(i, name.size())), NameFormKind::Whole);
    while (i < name.size()) {
        if (!StartsAnnotation(name, i)) {
            ++i;
            continue;
        }
        const bool parenthesis = name[i] == '(';
        int depth = 0;
        std::size_t end = i;
        for (; end < name.size(); ++end) {
            depth += Opens(name[end]) ? 1 : Closes(name[end]) ? -1 : 0;
            if (depth == 0) {
                break;
            }
        }
        const std::string_view inside = name.substr(i + 1, std::min(end, name.size()) - i - 1);
        AddForm(forms, inside, NameFormKind::Short);
        if (parenthesis) {
            for (const std::string_view part : SplitOutsideBrackets(inside, ",")) {
                AddForm(forms, part, NameFormKind::Short);
            }
        }
        i = end + 1;
    }
}

// Rank of the best form of a unit that fits a name; lower is better, INT_MAX for no fit. Ranks
// from kFirstOtherCaseRank on fit only when letter case is ignored.
constexpr int kFirstOtherCaseRank = 2;

int MatchRank(const IndexedUnit& unit, std::string_view name, std::string_view folded) {
    int best = INT_MAX;
    for (std::size_t f = 0; f < unit.forms.size(); ++f) {
        const int kind = unit.forms[f].kind == NameFormKind::Whole ? 0 : 1;
        if (unit.forms[f].text == name) {
            best = std::min(best, kind);
        } else if (unit.foldedForms[f] == folded) {
            best = std::min(best, kFirstOtherCaseRank + kind);
        }
    }
    return best;
}

// Rank of a unit for a search: 0 an exact form, 1 a form equal but for case, 2 a form beginning
// with the text, 3 the list text containing it; INT_MAX when not found.
int SearchRank(const IndexedUnit& unit, std::string_view query, std::string_view folded) {
    int best = INT_MAX;
    for (std::size_t f = 0; f < unit.forms.size() && best > 0; ++f) {
        const std::string& form = unit.foldedForms[f];
        if (unit.forms[f].text == query) {
            best = 0;
        } else if (form == folded) {
            best = std::min(best, 1);
        } else if (form.size() > folded.size() && form.compare(0, folded.size(), folded) == 0) {
            best = std::min(best, 2);
        }
    }
    if (best == INT_MAX && unit.foldedListText.find(folded) != std::string::npos) {
        best = 3;
    }
    return best;
}

}  // namespace

std::vector<NameForm> UnitNameForms(std::string_view listText) {
    std::vector<NameForm> forms;
    const std::string_view whole = Trim(listText);
    AddForm(forms, whole, NameFormKind::Whole);
    const std::vector<std::string_view> names = SplitOutsideBrackets(whole, ",=");
    if (names.size() > 1) {
        for (const std::string_view name : names) {
            AddForm(forms, name, NameFormKind::Whole);
        }
    }
    for (const std::string_view name : names) {
        AddNameForms(forms, Trim(name));
    }
    // Whole names first, each kind in the order found.
    std::stable_partition(forms.begin(), forms.end(),
                          [](const NameForm& form) { return form.kind == NameFormKind::Whole; });
    return forms;
}

std::string FoldName(std::string_view text) {
    // Signs a keyboard gives for the list's own characters.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kSameSigns{{
        {"\xC2\xB0", "\xEF\xBE\x9F"},  // degree sign -> halfwidth semi-voiced mark
        {"\xC2\xB5", "\xCE\xBC"},      // micro sign -> Greek small mu
    }};
    const std::string_view trimmed = Trim(text);
    std::string folded;
    folded.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size();) {
        bool replaced = false;
        for (const auto& [sign, listSign] : kSameSigns) {
            if (trimmed.compare(i, sign.size(), sign) == 0) {
                folded += listSign;
                i += sign.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            const char c = trimmed[i++];
            folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return folded;
}

bool GroupTakesPart(const UnitCatalogue& catalogue, int g) {
    if (g < 0 || g >= kGroupCount) {
        return false;
    }
    if (g >= kFirstUserGroup && g < kFirstUserGroup + kUserGroups) {
        return !Trim(catalogue.GroupName[static_cast<std::size_t>(g)]).empty();
    }
    return true;
}

UnitNameIndex::UnitNameIndex(const UnitCatalogue& catalogue) {
    for (int g = 0; g < kGroupCount; ++g) {
        if (!GroupTakesPart(catalogue, g)) {
            continue;
        }
        const int count = std::clamp<int>(catalogue.UnitCount[static_cast<std::size_t>(g)], 0, kUnitSlots);
        for (int i = 0; i < count; ++i) {
            if (g == kGroupVelocity && i == kWarpUnit) {
                continue;
            }
            const std::string& text = catalogue.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
            if (Trim(text).empty()) {
                continue;
            }
            IndexedUnit unit{g, i, text, FoldName(text), UnitNameForms(text), {}};
            for (const NameForm& form : unit.forms) {
                unit.foldedForms.push_back(FoldName(form.text));
            }
            units_.push_back(std::move(unit));
        }
    }
}

std::vector<int> UnitNameIndex::Match(int group, std::string_view name) const {
    const std::string_view trimmed = Trim(name);
    std::vector<int> best;
    if (trimmed.empty()) {
        return best;
    }
    const std::string folded = FoldName(trimmed);
    int bestRank = INT_MAX;
    for (const IndexedUnit& unit : units_) {
        if (unit.group != group) {
            continue;
        }
        const int rank = MatchRank(unit, trimmed, folded);
        if (rank < bestRank) {
            bestRank = rank;
            best.clear();
        }
        if (rank == bestRank && rank != INT_MAX) {
            best.push_back(unit.unit);
        }
    }
    return best;
}

std::vector<int> UnitNameIndex::GroupsNaming(std::string_view name, bool exactCase) const {
    const std::string_view trimmed = Trim(name);
    std::vector<int> groups;
    if (trimmed.empty()) {
        return groups;
    }
    const std::string folded = FoldName(trimmed);
    for (const IndexedUnit& unit : units_) {
        const int worst = exactCase ? kFirstOtherCaseRank - 1 : INT_MAX - 1;
        if ((groups.empty() || groups.back() != unit.group) && MatchRank(unit, trimmed, folded) <= worst) {
            groups.push_back(unit.group);
        }
    }
    return groups;
}

std::vector<FoundUnit> UnitNameIndex::Search(std::string_view query, std::size_t limit) const {
    const std::string_view trimmed = Trim(query);
    std::vector<FoundUnit> found;
    if (trimmed.empty() || limit == 0) {
        return found;
    }
    const std::string folded = FoldName(trimmed);
    // One pass collects the units of each rank in index order (group, then unit order).
    constexpr int kRanks = 4;
    std::array<std::vector<FoundUnit>, kRanks> byRank;
    for (const IndexedUnit& unit : units_) {
        const int rank = SearchRank(unit, trimmed, folded);
        if (rank < kRanks) {
            byRank[static_cast<std::size_t>(rank)].push_back(FoundUnit{unit.group, unit.unit});
        }
    }
    for (const auto& rank : byRank) {
        for (const FoundUnit& unit : rank) {
            if (found.size() == limit) {
                return found;
            }
            found.push_back(unit);
        }
    }
    return found;
}

}  // namespace halden
