// What a typed name stands for, what two names stand for together, and which group a text names.
#include "catalogue/unit_names.h"
#include "catalogue/unit_names_internal.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace halden {

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
    if (positions.empty() && detail::CharacterCount(normal) >= 3) {
        // Case ignored, then a plural's "s" or "es" dropped: word names only.
        std::string folded = normal;
        detail::LowerAscii(folded);
        for (const std::string_view reading : detail::SingularReadings(folded)) {
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

}  // namespace halden
