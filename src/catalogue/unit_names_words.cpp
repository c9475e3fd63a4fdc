// The word names that may be typed in any letter case ("Meter", "TSUBO"), found once a name fits no form exactly.
#include "catalogue/unit_aliases.h"
#include "catalogue/unit_names.h"
#include "catalogue/unit_names_internal.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace halden {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiCapital(char c) { return c >= 'A' && c <= 'Z'; }

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

}  // namespace

const std::vector<UnitNameIndex::FormEntry>& UnitNameIndex::WordForms() const {
    // Made at the first name that no form fits exactly: most runs of the command line never need it.
    std::call_once(wordFormsMade_->once, [this] {
        // A prefix symbol on a symbol of a unit that takes that prefix ("mbar", "kbit").
        const auto prefixedSymbol = [this](std::string_view normal) {
            for (const auto& written : detail::PrefixStarts(false)) {
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

}  // namespace halden
