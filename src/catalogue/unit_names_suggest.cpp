// Search and suggestions: the units a search text finds, and units whose names are a few edits from a typed one.
#include "catalogue/unit_names.h"
#include "catalogue/unit_names_internal.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace halden {
namespace {

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

}  // namespace

std::vector<FoundUnit> UnitNameIndex::Search(std::string_view query, std::size_t limit) const {
    const std::pair<std::string, int> split = SplitGroup(query);
    const std::string& normal = split.first;
    const int onlyGroup = split.second;
    std::vector<FoundUnit> found;
    if (normal.empty() || limit == 0) {
        return found;
    }
    std::string folded = normal;
    detail::LowerAscii(folded);
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
    const std::size_t allowed = detail::CharacterCount(folded) / 3;
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
