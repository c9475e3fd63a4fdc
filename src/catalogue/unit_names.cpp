// The forms of a unit's list text, names read as the lists write them, and the index of every unit's forms.
#include "catalogue/unit_names.h"

#include "catalogue/menu_texts.h"
#include "catalogue/unit_aliases.h"
#include "catalogue/unit_names_internal.h"
#include "numbers/characters.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <array>
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
    detail::LowerAscii(folded);
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
            detail::LowerAscii(foldedText);
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
                        for (const std::string_view alias : detail::SplitBars(aliasRows[r].names)) {
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
                        for (const std::string_view name : detail::SplitBars(sharedRows[r].names)) {
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
                detail::LowerAscii(folded);
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
        for (const std::string_view symbol : detail::SplitBars(rows[r].symbols)) {
            prefixSymbols_[NormalizeName(symbol)].push_back(base);
        }
        for (const std::string_view name : detail::SplitBars(rows[r].names)) {
            const std::string folded = FoldName(name);
            if (const std::size_t star = folded.find('*'); star != std::string::npos) {
                infixNames_.push_back({{folded.substr(0, star), folded.substr(star + 1)}, base});
            } else {
                prefixNames_[folded].push_back(base);
            }
        }
    }
}

}  // namespace halden
