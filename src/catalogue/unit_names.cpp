#include "catalogue/unit_names.h"

#include "catalogue/menu_texts.h"
#include "catalogue/unit_aliases.h"
#include "numbers/characters.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

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

// Rank of the best form of a unit that equals a normalized name: 0 a whole name, 1 a short form or
// a further name; INT_MAX for none.
int ExactRank(const IndexedUnit& unit, std::string_view normal) {
    int best = INT_MAX;
    for (std::size_t f = 0; f < unit.forms.size(); ++f) {
        if (unit.normalForms[f] == normal) {
            best = std::min(best, unit.forms[f].kind == NameFormKind::Whole ? 0 : 1);
        }
    }
    return best;
}

bool FitsFolded(const IndexedUnit& unit, std::string_view folded) {
    return std::find(unit.foldedForms.begin(), unit.foldedForms.end(), folded) != unit.foldedForms.end();
}

// Rank of a unit for a search: 0 a form of its list text, 1 a further name, 2 either equal but for
// case, 3 one beginning with the text, 4 the list text containing it; INT_MAX when not found.
int SearchRank(const IndexedUnit& unit, std::string_view normal, std::string_view folded) {
    int best = INT_MAX;
    for (std::size_t f = 0; f < unit.forms.size() && best > 0; ++f) {
        const std::string& form = unit.foldedForms[f];
        if (unit.normalForms[f] == normal) {
            best = std::min(best, unit.forms[f].kind == NameFormKind::Alias ? 1 : 0);
        } else if (form == folded) {
            best = std::min(best, 2);
        } else if (form.size() > folded.size() && form.compare(0, folded.size(), folded) == 0) {
            best = std::min(best, 3);
        }
    }
    if (best == INT_MAX && unit.foldedListText.find(folded) != std::string::npos) {
        best = 4;
    }
    return best;
}

// The number of characters of a UTF-8 text (bytes that begin a character).
std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The number of single-byte edits (insert, delete, replace, swap of neighbours) between a and b,
// or limit + 1 when it is more than limit.
std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t limit) {
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) {
        return limit + 1;
    }
    std::vector<std::size_t> before(b.size() + 1);
    std::vector<std::size_t> previous(b.size() + 1);
    std::vector<std::size_t> current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        std::size_t rowBest = current[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replace = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
            rowBest = std::min(rowBest, current[j]);
        }
        if (rowBest > limit) {
            return limit + 1;
        }
        before.swap(previous);
        previous.swap(current);
    }
    return std::min(previous[b.size()], limit + 1);
}

// Signs a keyboard or another program gives for the lists' own characters, and how the lists
// write them. ASCII full-width forms and the blanks are read before (AsciiTypedText).
constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kListSigns{{
    {"\xC2\xB0", "\xEF\xBE\x9F"},  // degree sign -> halfwidth semi-voiced mark
    {"\xC2\xBA", "\xEF\xBE\x9F"},  // masculine ordinal, typed for a degree sign
    {"\xE2\x84\x83",
     "\xEF\xBE\x9F"
     "C"},  // degree Celsius
    {"\xE2\x84\x89",
     "\xEF\xBE\x9F"
     "F"},                         // degree Fahrenheit
    {"\xE2\x84\xAA", "K"},         // kelvin sign
    {"\xC2\xB5", "\xCE\xBC"},      // micro sign -> Greek small mu
    {"\xC3\x85", "\xE2\x84\xAB"},  // Latin capital A with ring -> angstrom sign
    {"\xC2\xB2", "^2"},            // superscript two
    {"\xC2\xB3", "^3"},            // superscript three
    {"\xC2\xB7", "-"},             // middle dot, as in N·m
    {"\xE2\x8B\x85", "-"},         // dot operator
    {"\xE2\x80\x90", "-"},         // hyphen
    {"\xE2\x80\x91", "-"},         // non-breaking hyphen
}};

void LowerAscii(std::string& text) {
    for (char& c : text) {
        c = AsciiLower(c);
    }
}

// Each name of an alias row ("a|b|c").
std::vector<std::string_view> AliasNames(std::string_view names) {
    std::vector<std::string_view> split;
    std::size_t start = 0;
    for (std::size_t bar = names.find('|'); bar != std::string_view::npos; bar = names.find('|', start)) {
        split.push_back(names.substr(start, bar - start));
        start = bar + 1;
    }
    split.push_back(names.substr(start));
    return split;
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

std::string NormalizeName(std::string_view text) {
    // Most names are printable ASCII with single blanks inside: those read as they stand.
    const bool plain = !text.empty() && text.front() != ' ' && text.back() != ' ' &&
                       std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\t'; }) &&
                       text.find("  ") == std::string_view::npos;
    if (plain) {
        return std::string(text);
    }
    const std::string ascii = AsciiTypedText(text);
    std::string normal;
    normal.reserve(ascii.size());
    bool blankPending = false;
    for (std::size_t i = 0; i < ascii.size();) {
        if (IsSpaceOrTab(ascii[i])) {
            blankPending = !normal.empty();
            ++i;
            continue;
        }
        if (blankPending) {
            normal += ' ';
            blankPending = false;
        }
        // Every sign replaced begins with one of three lead bytes: the rest goes straight through.
        const auto lead = static_cast<unsigned char>(ascii[i]);
        const auto sign = lead != 0xC2 && lead != 0xC3 && lead != 0xE2
                              ? kListSigns.end()
                              : std::find_if(kListSigns.begin(), kListSigns.end(), [&](const auto& pair) {
                                    return ascii.compare(i, pair.first.size(), pair.first) == 0;
                                });
        if (sign != kListSigns.end()) {
            normal += sign->second;
            i += sign->first.size();
        } else {
            normal += ascii[i++];
        }
    }
    return normal;
}

std::string FoldName(std::string_view text) {
    std::string folded = NormalizeName(text);
    LowerAscii(folded);
    return folded;
}

bool GroupTakesPart(const UnitCatalogue& catalogue, int g) {
    if (g < 0 || g >= kGroupCount) {
        return false;
    }
    if (IsUserGroup(g)) {
        return !Trim(catalogue.GroupName[static_cast<std::size_t>(g)]).empty();
    }
    return true;
}

UnitNameIndex::UnitNameIndex(const UnitCatalogue& catalogue) {
    // The further names' rows come in group order: each group looks only at its own.
    const std::span<const UnitAliasRow> aliasRows = UnitAliasRows();
    auto groupRows = aliasRows.begin();
    units_.reserve(kGroupCount * 8);
    for (int g = 0; g < kGroupCount; ++g) {
        while (groupRows != aliasRows.end() && groupRows->group < g) {
            ++groupRows;
        }
        if (!GroupTakesPart(catalogue, g)) {
            continue;
        }
        const int count = std::clamp<int>(catalogue.UnitCount[static_cast<std::size_t>(g)], 0, kUnitSlots);
        for (int i = 0; i < count; ++i) {
            const std::string& text = catalogue.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
            if (Trim(text).empty()) {
                continue;
            }
            IndexedUnit unit{g, i, text, FoldName(text), UnitNameForms(text), {}, {}};
            // Warp stands for the warp level chosen in its menu, which only the window has.
            unit.searchOnly = g == kGroupVelocity && i == kWarpUnit;
            if (!IsUserGroup(g)) {
                for (auto row = groupRows; row != aliasRows.end() && row->group == g; ++row) {
                    if (row->unit == text) {
                        for (const std::string_view alias : AliasNames(row->names)) {
                            AddForm(unit.forms, alias, NameFormKind::Alias);
                        }
                    }
                }
            }
            for (const NameForm& form : unit.forms) {
                unit.normalForms.push_back(NormalizeName(form.text));
                std::string folded = unit.normalForms.back();
                LowerAscii(folded);
                unit.foldedForms.push_back(std::move(folded));
            }
            units_.push_back(std::move(unit));
        }
        auto& names = groupNames_[static_cast<std::size_t>(g)];
        for (const std::string& name : {GroupMenuName(g), catalogue.GroupName[static_cast<std::size_t>(g)]}) {
            std::string folded = FoldName(name);
            while (!folded.empty() && (folded.back() == '.' || folded.back() == ' ')) {
                folded.pop_back();
            }
            if (!folded.empty()) {
                names.push_back(std::move(folded));
            }
        }
    }
}

std::vector<int> GroupsOf(const NamedUnits& named) {
    std::vector<int> groups;
    for (const FoundUnit& unit : named.units) {
        if (groups.empty() || groups.back() != unit.group) {
            groups.push_back(unit.group);
        }
    }
    return groups;
}

NamedPair UnitNameIndex::ResolvePair(std::string_view from, std::string_view into) const {
    NamedPair pair{Resolve(from), Resolve(into), -1, {}, {}};
    if (pair.from.ambiguous || pair.into.ambiguous) {
        return pair;
    }
    const std::vector<int> fromGroups = GroupsOf(pair.from);
    const std::vector<int> intoGroups = GroupsOf(pair.into);
    const auto common = std::find_first_of(fromGroups.begin(), fromGroups.end(), intoGroups.begin(), intoGroups.end());
    if (common == fromGroups.end()) {
        return pair;
    }
    pair.group = *common;
    for (const auto& [named, units] :
         {std::pair{&pair.from, &pair.fromUnits}, std::pair{&pair.into, &pair.intoUnits}}) {
        for (const FoundUnit& unit : named->units) {
            if (unit.group == pair.group) {
                units->push_back(unit.unit);
            }
        }
    }
    return pair;
}

int UnitNameIndex::GroupNamed(std::string_view text) const {
    const std::string folded = FoldName(text);
    for (std::size_t g = 0; g < groupNames_.size() && !folded.empty(); ++g) {
        const auto& names = groupNames_[g];
        if (std::find(names.begin(), names.end(), folded) != names.end()) {
            return static_cast<int>(g);
        }
    }
    return -1;
}

std::pair<std::string, int> UnitNameIndex::SplitGroup(std::string_view name) const {
    std::string normal = NormalizeName(name);
    for (std::size_t colon = normal.find(':'); colon != std::string::npos; colon = normal.find(':', colon + 1)) {
        if (const int g = GroupNamed(std::string_view(normal).substr(0, colon)); g >= 0) {
            return {NormalizeName(std::string_view(normal).substr(colon + 1)), g};
        }
    }
    return {std::move(normal), -1};
}

NamedUnits UnitNameIndex::Resolve(std::string_view name) const {
    const std::pair<std::string, int> split = SplitGroup(name);
    const std::string& normal = split.first;
    const int onlyGroup = split.second;
    NamedUnits named;
    if (normal.empty()) {
        return named;
    }
    const auto takesPart = [&](const IndexedUnit& unit) {
        return !unit.searchOnly && (onlyGroup < 0 || unit.group == onlyGroup);
    };
    // Exact forms: the best rank of each group.
    int group = -1;
    int groupRank = INT_MAX;
    std::size_t groupStart = 0;
    for (const IndexedUnit& unit : units_) {
        if (unit.group != group) {
            group = unit.group;
            groupStart = named.units.size();
            groupRank = INT_MAX;
        }
        const int rank = takesPart(unit) ? ExactRank(unit, normal) : INT_MAX;
        if (rank < groupRank) {
            named.units.resize(groupStart);
            groupRank = rank;
        }
        if (rank != INT_MAX && rank == groupRank) {
            named.units.push_back(FoundUnit{unit.group, unit.unit});
        }
    }
    if (!named.units.empty() || CharacterCount(normal) < 3) {
        return named;
    }
    // Case ignored, then a plural's "s" or "es" dropped: only a name that fits one unit is taken.
    std::string folded = normal;
    LowerAscii(folded);
    std::vector<std::string> readings{folded};
    if (CharacterCount(folded) >= 4 && folded.back() == 's') {
        readings.push_back(folded.substr(0, folded.size() - 1));
        if (folded.size() >= 5 && folded[folded.size() - 2] == 'e') {
            readings.push_back(folded.substr(0, folded.size() - 2));
        }
    }
    for (const std::string& reading : readings) {
        for (const IndexedUnit& unit : units_) {
            if (takesPart(unit) && FitsFolded(unit, reading)) {
                named.units.push_back(FoundUnit{unit.group, unit.unit});
            }
        }
        if (!named.units.empty()) {
            break;
        }
    }
    named.ambiguous = named.units.size() > 1;
    return named;
}

std::vector<FoundUnit> UnitNameIndex::Search(std::string_view query, std::size_t limit) const {
    const std::pair<std::string, int> split = SplitGroup(query);
    const std::string& normal = split.first;
    const int onlyGroup = split.second;
    std::vector<FoundUnit> found;
    if (normal.empty() || limit == 0) {
        return found;
    }
    std::string folded = normal;
    LowerAscii(folded);
    // One pass collects the units of each rank in index order (group, then unit order).
    constexpr int kRanks = 5;
    std::array<std::vector<FoundUnit>, kRanks> byRank;
    for (const IndexedUnit& unit : units_) {
        const int rank = onlyGroup < 0 || unit.group == onlyGroup ? SearchRank(unit, normal, folded) : INT_MAX;
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

std::vector<FoundUnit> UnitNameIndex::Suggest(std::string_view name, std::size_t limit) const {
    // Longer texts are no misspelt names; the bound keeps the work small whatever is typed.
    constexpr std::size_t kLongestName = 64;
    const std::string folded = FoldName(name);
    std::vector<FoundUnit> suggested;
    if (folded.empty() || limit == 0) {
        return suggested;
    }
    // One edit in three characters; a name of one or two characters is near only in another case.
    const std::size_t allowed = CharacterCount(folded) / 3;
    std::vector<std::pair<std::size_t, FoundUnit>> near;
    for (const IndexedUnit& unit : units_) {
        if (unit.searchOnly) {
            continue;
        }
        std::size_t best = allowed + 1;
        for (const std::string& form : unit.foldedForms) {
            if (folded.size() <= kLongestName) {
                best = std::min(best, EditDistance(folded, form, allowed));
            }
        }
        if (best <= allowed) {
            near.emplace_back(best, FoundUnit{unit.group, unit.unit});
        }
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const auto add = [&](const FoundUnit& unit) {
        if (suggested.size() < limit && std::find(suggested.begin(), suggested.end(), unit) == suggested.end()) {
            suggested.push_back(unit);
        }
    };
    for (const auto& [distance, unit] : near) {
        add(unit);
    }
    for (const FoundUnit& unit : Search(name, limit + 1)) {
        if (!(unit.group == kGroupVelocity && unit.unit == kWarpUnit)) {
            add(unit);
        }
    }
    return suggested;
}

}  // namespace halden
