// Prefixed names ("km", "mPa", "kilometres", "MiB"): the list units they stand for, their size and their name.
#include "catalogue/unit_aliases.h"
#include "catalogue/unit_names.h"
#include "catalogue/unit_names_internal.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace halden {
namespace {

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
    std::string name(detail::SplitBars(row.names).front());
    if (const std::size_t star = name.find('*'); star != std::string::npos) {
        name.replace(star, 1, prefixName);
    } else {
        name.insert(0, prefixName);
    }
    const std::vector<std::string_view> symbols = detail::SplitBars(row.symbols);
    if (!symbols.empty()) {
        name += " (";
        name += prefix != nullptr ? detail::SplitBars(prefix->symbols).front() : std::string_view{};
        name += symbols.front();
        name += ")";
    }
    return name;
}

}  // namespace

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
        for (const auto& [start, prefix] : detail::PrefixStarts(byName)) {
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
    detail::LowerAscii(folded);
    eachPrefix(folded, true, [&](std::string_view rest, const UnitPrefixRow* prefix) {
        for (const std::string_view singular : detail::SingularReadings(rest)) {
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
                       for (const std::string_view singular : detail::SingularReadings(rest)) {
                           if (singular == after) {
                               add(base, prefix);
                           }
                       }
                   });
    }
    return readings;
}

}  // namespace halden
