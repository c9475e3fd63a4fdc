#include "catalogue/unit_names.h"

#include "catalogue/menu_texts.h"
#include "catalogue/unit_aliases.h"
#include "numbers/characters.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <array>
#include <climits>
#include <iterator>
#include <mutex>
#include <span>
#include <tuple>

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

// Rank of a unit for a search: 0 a form of its list text, 1 a further name, 2 either equal but for
// case, 3 one beginning with the text, 4 the list text containing it; INT_MAX when not found.
int SearchRank(const IndexedUnit& unit, std::string_view normal, std::string_view folded) {
    int best = INT_MAX;
    for (std::size_t f = 0; f < unit.forms.size() && best > 0; ++f) {
        const std::string& form = unit.foldedForms[f];
        if (unit.normalForms[f] == normal) {
            best = std::min(
                best, unit.forms[f].kind == NameFormKind::Alias || unit.forms[f].kind == NameFormKind::Shared ? 1 : 0);
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

// Each piece of a "|"-separated list.
std::vector<std::string_view> SplitBars(std::string_view list) {
    std::vector<std::string_view> pieces;
    if (list.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t bar = list.find('|'); bar != std::string_view::npos; bar = list.find('|', start)) {
        pieces.push_back(list.substr(start, bar - start));
        start = bar + 1;
    }
    pieces.push_back(list.substr(start));
    return pieces;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiCapital(char c) { return c >= 'A' && c <= 'Z'; }

// Each way a prefix is written (its symbols, or its name) with the prefix, made once per process.
const std::vector<std::pair<std::string_view, const UnitPrefixRow*>>& PrefixStarts(bool byName) {
    static const auto starts = [] {
        std::array<std::vector<std::pair<std::string_view, const UnitPrefixRow*>>, 2> made;
        for (const UnitPrefixRow& prefix : UnitPrefixRows()) {
            for (const std::string_view symbol : SplitBars(prefix.symbols)) {
                made[0].emplace_back(symbol, &prefix);
            }
            made[1].emplace_back(prefix.name, &prefix);
        }
        return made;
    }();
    return starts[byName ? 1 : 0];
}

// The list texts the data rows name, read as typed names are read, made once per process: the
// rows spell a few signs as a keyboard gives them ("Å").
template <typename Row>
const std::vector<std::string>& NormalUnitTexts(std::span<const Row> rows) {
    static const std::vector<std::string> texts = [&] {
        std::vector<std::string> made;
        for (const Row& row : rows) {
            made.push_back(NormalizeName(row.unit));
        }
        return made;
    }();
    return texts;
}

// Whether a form is a word name, which may be typed in any letter case: at least three letters,
// nothing but letters, blanks, hyphens and characters beyond ASCII, each run of ASCII letters in
// small letters or capitalised ("Kelvin", "Point Pica"), and no prefixed symbol. Symbols and
// abbreviations ("MPa", "US gal", "m^2", "mbar") are not: their letter case is their meaning.
template <typename PrefixedSymbol>
bool IsWordName(std::string_view normal, const PrefixedSymbol& isPrefixedSymbol) {
    std::size_t letters = 0;
    std::size_t runStart = 0;
    bool inRun = false;
    for (std::size_t i = 0; i <= normal.size(); ++i) {
        const char c = i < normal.size() ? normal[i] : ' ';
        if (IsAsciiLetter(c)) {
            ++letters;
            if (!inRun) {
                inRun = true;
                runStart = i;
            } else if (IsAsciiCapital(c)) {
                return false;  // a capital inside a run of letters: "MPa", "kWh", "US"
            }
            continue;
        }
        if (inRun && i - runStart == 1 && IsAsciiCapital(normal[runStart])) {
            return false;  // a lone capital: "X-unit"
        }
        inRun = false;
        const bool allowed = c == ' ' || c == '-' || c == '\'' || static_cast<unsigned char>(c) >= 0x80;
        if (!allowed) {
            return false;
        }
    }
    return letters >= 3 && !isPrefixedSymbol(normal);
}

// 10^n or 2^n as a double: exact wherever the power is.
double PowerOf(int base, int n) {
    double value = 1.0;
    for (int i = 0; i < n; ++i) {
        value *= base;
    }
    return value;
}

// The size of a prefix raised to a unit's power, on top of the unit's own size.
UnitScale PrefixedScale(const PrefixableUnitRow& row, const UnitPrefixRow* prefix) {
    UnitScale scale{row.up, row.down};
    if (prefix == nullptr) {
        return scale;
    }
    const int exponent = prefix->exponent * row.power;
    const int base = prefix->kind == PrefixKind::Binary ? 2 : 10;
    if (exponent >= 0) {
        scale.up *= PowerOf(base, exponent);
    } else {
        scale.down *= PowerOf(base, -exponent);
    }
    return scale;
}

// How the lists would name a prefixed unit: "kilometer (km)", "square kilometer (km^2)", "stone".
std::string ComposedName(const PrefixableUnitRow& row, const UnitPrefixRow* prefix) {
    const std::string_view prefixName = prefix != nullptr ? prefix->name : std::string_view{};
    std::string name(SplitBars(row.names).front());
    if (const std::size_t star = name.find('*'); star != std::string::npos) {
        name.replace(star, 1, prefixName);
    } else {
        name.insert(0, prefixName);
    }
    const std::vector<std::string_view> symbols = SplitBars(row.symbols);
    if (!symbols.empty()) {
        name += " (";
        name += prefix != nullptr ? SplitBars(prefix->symbols).front() : std::string_view{};
        name += symbols.front();
        name += ")";
    }
    return name;
}

// A name in the plural reads as its singular: "kilometres", "inches".
std::vector<std::string_view> SingularReadings(std::string_view folded) {
    std::vector<std::string_view> readings{folded};
    if (folded.size() >= 4 && folded.back() == 's') {
        readings.push_back(folded.substr(0, folded.size() - 1));
        if (folded.size() >= 5 && folded[folded.size() - 2] == 'e') {
            readings.push_back(folded.substr(0, folded.size() - 2));
        }
    }
    return readings;
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
    const std::span<const std::string_view> notNames = NotUnitNames();
    units_.reserve(kGroupCount * 8);
    for (int g = 0; g < kGroupCount; ++g) {
        if (!GroupTakesPart(catalogue, g)) {
            continue;
        }
        const int count = std::clamp<int>(catalogue.UnitCount[static_cast<std::size_t>(g)], 0, kUnitSlots);
        for (int i = 0; i < count; ++i) {
            const std::string& text = catalogue.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
            if (Trim(text).empty()) {
                continue;
            }
            const std::string normalText = NormalizeName(text);
            std::string foldedText = normalText;
            LowerAscii(foldedText);
            IndexedUnit unit{g, i, text, std::move(foldedText), UnitNameForms(text), {}, {}};
            // Warp stands for the warp level chosen in its menu, which only the window has.
            unit.searchOnly = g == kGroupVelocity && i == kWarpUnit;
            if (!IsUserGroup(g)) {
                // The data rows name a unit by its list text, read as typed names are read.
                const std::span<const UnitAliasRow> aliasRows = UnitAliasRows();
                const std::vector<std::string>& aliasUnits = NormalUnitTexts(aliasRows);
                // The rows come in group order: only this group's are compared.
                const auto first =
                    std::lower_bound(aliasRows.begin(), aliasRows.end(), g,
                                     [](const UnitAliasRow& row, int group) { return row.group < group; });
                for (auto r = static_cast<std::size_t>(first - aliasRows.begin());
                     r < aliasRows.size() && aliasRows[r].group == g; ++r) {
                    if (aliasUnits[r] == normalText) {
                        for (const std::string_view alias : SplitBars(aliasRows[r].names)) {
                            AddForm(unit.forms, alias, NameFormKind::Alias);
                        }
                    }
                }
                const std::span<const SharedNameRow> sharedRows = SharedNameRows();
                static const std::vector<std::string> sharedUnits = [&] {
                    std::vector<std::string> made;
                    for (const SharedNameRow& row : sharedRows) {
                        made.push_back(NormalizeName(row.units));
                    }
                    return made;
                }();
                for (std::size_t r = 0; r < sharedRows.size(); ++r) {
                    if (sharedRows[r].group != g) {
                        continue;
                    }
                    // Each row's list texts, read as typed names are, between "|" marks.
                    const std::string bounded = "|" + sharedUnits[r] + "|";
                    if (bounded.find("|" + normalText + "|") != std::string::npos) {
                        for (const std::string_view name : SplitBars(sharedRows[r].names)) {
                            AddForm(unit.forms, name, NameFormKind::Shared);
                        }
                    }
                }
                std::erase_if(unit.forms, [&](const NameForm& form) {
                    return std::find(notNames.begin(), notNames.end(), form.text) != notNames.end();
                });
            }
            for (const NameForm& form : unit.forms) {
                unit.normalForms.push_back(NormalizeName(form.text));
                std::string folded = unit.normalForms.back();
                LowerAscii(folded);
                unit.foldedForms.push_back(std::move(folded));
            }
            units_.push_back(std::move(unit));
        }
        for (const std::string& name : {GroupMenuName(g), catalogue.GroupName[static_cast<std::size_t>(g)]}) {
            std::string folded = FoldName(name);
            while (!folded.empty() && (folded.back() == '.' || folded.back() == ' ')) {
                folded.pop_back();
            }
            if (folded.empty()) {
                continue;
            }
            for (const std::string_view part : SplitOutsideBrackets(folded, ",")) {
                if (const std::string_view trimmed = Trim(part); !trimmed.empty() && trimmed != folded) {
                    groupParts_[static_cast<std::size_t>(g)].emplace_back(trimmed);
                }
            }
            groupNames_[static_cast<std::size_t>(g)].push_back(std::move(folded));
        }
    }
    // The units are all in place now: the tables may point at their texts.
    IndexForms();
    IndexPrefixBases();
}

bool UnitNameIndex::FormOrder(const FormEntry& a, const FormEntry& b) {
    return std::tie(a.text, a.position, a.rank) < std::tie(b.text, b.position, b.rank);
}

void UnitNameIndex::IndexForms() {
    for (std::size_t position = 0; position < units_.size(); ++position) {
        const IndexedUnit& unit = units_[position];
        for (std::size_t f = 0; f < unit.forms.size() && !unit.searchOnly; ++f) {
            exactForms_.push_back(
                FormEntry{unit.normalForms[f], position, unit.forms[f].kind == NameFormKind::Whole ? 0 : 1});
        }
    }
    std::sort(exactForms_.begin(), exactForms_.end(),
              [](const FormEntry& a, const FormEntry& b) { return FormOrder(a, b); });
}

const std::vector<UnitNameIndex::FormEntry>& UnitNameIndex::WordForms() const {
    // Made at the first name that no form fits exactly: most runs of the command line never need it.
    std::call_once(wordFormsMade_->once, [this] {
        // A prefix symbol on a symbol of a unit that takes that prefix ("mbar", "kbit").
        const auto prefixedSymbol = [this](std::string_view normal) {
            for (const auto& written : PrefixStarts(false)) {
                const std::string_view start = written.first;
                const PrefixKind kind = written.second->kind;
                if (normal.size() <= start.size() || normal.compare(0, start.size(), start) != 0) {
                    continue;
                }
                const auto found = prefixSymbols_.find(std::string(normal.substr(start.size())));
                if (found != prefixSymbols_.end() &&
                    std::any_of(found->second.begin(), found->second.end(), [kind](const PrefixBase& base) {
                        return PrefixableUnitRows()[base.row].prefixes == kind;
                    })) {
                    return true;
                }
            }
            return false;
        };
        std::vector<FormEntry>& words = wordFormsMade_->forms;
        for (std::size_t position = 0; position < units_.size(); ++position) {
            const IndexedUnit& unit = units_[position];
            for (std::size_t f = 0; f < unit.forms.size() && !unit.searchOnly; ++f) {
                if (IsWordName(unit.normalForms[f], prefixedSymbol)) {
                    words.push_back(FormEntry{unit.foldedForms[f], position, 0});
                }
            }
        }
        std::sort(words.begin(), words.end(), [](const FormEntry& a, const FormEntry& b) { return FormOrder(a, b); });
    });
    return wordFormsMade_->forms;
}

std::span<const UnitNameIndex::FormEntry> UnitNameIndex::FormsNamed(const std::vector<FormEntry>& forms,
                                                                    std::string_view text) {
    const auto [first, last] = std::equal_range(forms.begin(), forms.end(), FormEntry{text, 0, 0},
                                                [](const FormEntry& a, const FormEntry& b) { return a.text < b.text; });
    return {first, last};
}

void UnitNameIndex::IndexPrefixBases() {
    const std::span<const PrefixableUnitRow> rows = PrefixableUnitRows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        PrefixBase base{{}, r};
        const std::string& normalUnit = NormalUnitTexts(rows)[r];
        for (std::size_t u = 0; u < units_.size(); ++u) {
            // A unit's first form is its whole list text.
            if (units_[u].group == rows[r].group && units_[u].normalForms.front() == normalUnit) {
                base.units.push_back(u);
            }
        }
        if (base.units.empty()) {
            continue;
        }
        for (const std::string_view symbol : SplitBars(rows[r].symbols)) {
            prefixSymbols_[NormalizeName(symbol)].push_back(base);
        }
        for (const std::string_view name : SplitBars(rows[r].names)) {
            const std::string folded = FoldName(name);
            if (const std::size_t star = folded.find('*'); star != std::string::npos) {
                infixNames_.push_back({{folded.substr(0, star), folded.substr(star + 1)}, base});
            } else {
                prefixNames_[folded].push_back(base);
            }
        }
    }
}

std::vector<UnitNameIndex::Composed> UnitNameIndex::Compose(std::string_view normal) const {
    std::vector<Composed> readings;
    const std::span<const PrefixableUnitRow> rows = PrefixableUnitRows();
    const auto add = [&](const PrefixBase& base, const UnitPrefixRow* prefix) {
        const PrefixableUnitRow& row = rows[base.row];
        if (prefix != nullptr ? prefix->kind != row.prefixes : row.up == 1.0 && row.down == 1.0) {
            return;  // a prefix the unit does not take, or the list unit itself (named exactly)
        }
        Composed reading{base.units, PrefixedScale(row, prefix), ComposedName(row, prefix)};
        const auto same = [&](const Composed& r) { return r.units == reading.units && r.scale == reading.scale; };
        if (std::none_of(readings.begin(), readings.end(), same)) {
            readings.push_back(std::move(reading));
        }
    };
    // Each prefix (or none) that the text begins with, and what is left for the unit.
    const auto eachPrefix = [&](std::string_view text, bool byName, const auto& withRest) {
        withRest(text, nullptr);
        for (const auto& [start, prefix] : PrefixStarts(byName)) {
            if (text.size() > start.size() && text.compare(0, start.size(), start) == 0) {
                withRest(text.substr(start.size()), prefix);
            }
        }
    };
    eachPrefix(normal, false, [&](std::string_view rest, const UnitPrefixRow* prefix) {
        if (const auto found = prefixSymbols_.find(std::string(rest)); found != prefixSymbols_.end()) {
            for (const PrefixBase& base : found->second) {
                add(base, prefix);
            }
        }
    });
    std::string folded(normal);
    LowerAscii(folded);
    eachPrefix(folded, true, [&](std::string_view rest, const UnitPrefixRow* prefix) {
        for (const std::string_view singular : SingularReadings(rest)) {
            if (const auto found = prefixNames_.find(std::string(singular)); found != prefixNames_.end()) {
                for (const PrefixBase& base : found->second) {
                    add(base, prefix);
                }
            }
        }
    });
    for (const auto& infix : infixNames_) {
        const std::string& before = infix.first.first;
        const std::string& after = infix.first.second;
        const PrefixBase& base = infix.second;
        if (folded.size() <= before.size() || folded.compare(0, before.size(), before) != 0) {
            continue;
        }
        eachPrefix(std::string_view(folded).substr(before.size()), true,
                   [&](std::string_view rest, const UnitPrefixRow* prefix) {
                       for (const std::string_view singular : SingularReadings(rest)) {
                           if (singular == after) {
                               add(base, prefix);
                           }
                       }
                   });
    }
    return readings;
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
    std::string folded = FoldName(text);
    // As the lists and messages print it, with the dots some names end with.
    while (!folded.empty() && (folded.back() == '.' || folded.back() == ' ')) {
        folded.pop_back();
    }
    if (folded.empty()) {
        return -1;
    }
    for (std::size_t g = 0; g < groupNames_.size(); ++g) {
        const auto& names = groupNames_[g];
        if (std::find(names.begin(), names.end(), folded) != names.end()) {
            return static_cast<int>(g);
        }
    }
    // One part of a name that lists several ("Mass" of "Mass, Weight"), when one group has it.
    int named = -1;
    for (std::size_t g = 0; g < groupParts_.size(); ++g) {
        const auto& parts = groupParts_[g];
        if (std::find(parts.begin(), parts.end(), folded) != parts.end()) {
            if (named >= 0 && named != static_cast<int>(g)) {
                return -1;
            }
            named = static_cast<int>(g);
        }
    }
    return named;
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
    const auto takesPart = [&](std::size_t position) { return onlyGroup < 0 || units_[position].group == onlyGroup; };
    const auto take = [&](std::size_t position) {
        const IndexedUnit& unit = units_[position];
        named.units.push_back(FoundUnit{unit.group, unit.unit});
    };
    // Exact forms: the best rank of each group (the hits come in index order).
    if (const std::span<const FormEntry> exact = FormsNamed(exactForms_, normal); !exact.empty()) {
        int group = -1;
        int groupRank = INT_MAX;
        std::size_t groupStart = 0;
        for (const auto& [text, position, rank] : exact) {
            if (!takesPart(position)) {
                continue;
            }
            if (units_[position].group != group) {
                group = units_[position].group;
                groupStart = named.units.size();
                groupRank = INT_MAX;
            }
            if (rank < groupRank) {
                named.units.resize(groupStart);
                groupRank = rank;
            }
            if (rank == groupRank) {
                take(position);
            }
        }
        if (!named.units.empty()) {
            return named;
        }
    }
    // A prefix on a unit that takes one; readings of different sizes name none of them.
    std::vector<std::size_t> positions;
    const std::vector<Composed> readings = Compose(normal);
    for (const Composed& reading : readings) {
        std::copy_if(reading.units.begin(), reading.units.end(), std::back_inserter(positions), takesPart);
        const bool sameSize = named.composedName.empty() || named.scale == reading.scale;
        if (named.composedName.empty() && !positions.empty()) {
            named.scale = reading.scale;
            named.composedName = reading.name;
        }
        named.ambiguous = named.ambiguous || !sameSize;
    }
    if (positions.empty() && CharacterCount(normal) >= 3) {
        // Case ignored, then a plural's "s" or "es" dropped: word names only.
        std::string folded = normal;
        LowerAscii(folded);
        for (const std::string_view reading : SingularReadings(folded)) {
            for (const FormEntry& word : FormsNamed(WordForms(), reading)) {
                if (takesPart(word.position)) {
                    positions.push_back(word.position);
                }
            }
            if (!positions.empty()) {
                break;
            }
        }
        named.ambiguous = positions.size() > 1;
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::for_each(positions.begin(), positions.end(), take);
    if (named.ambiguous) {
        named.scale = {};
        named.composedName.clear();
    }
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
