// What the unit name reading's files share: text helpers and the ways the prefixes are written.
#pragma once

#include "catalogue/unit_aliases.h"
#include "numbers/characters.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace halden::detail {

// The number of characters of a UTF-8 text (bytes that begin a character).
inline std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

inline void LowerAscii(std::string& text) {
    for (char& c : text) {
        c = AsciiLower(c);
    }
}

// Each piece of a "|"-separated list.
inline std::vector<std::string_view> SplitBars(std::string_view list) {
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

// Each way a prefix is written (its symbols, or its name) with the prefix, made once per process.
inline const std::vector<std::pair<std::string_view, const UnitPrefixRow*>>& PrefixStarts(bool byName) {
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

// A name in the plural reads as its singular: "kilometres", "inches".
inline std::vector<std::string_view> SingularReadings(std::string_view folded) {
    std::vector<std::string_view> readings{folded};
    if (folded.size() >= 4 && folded.back() == 's') {
        readings.push_back(folded.substr(0, folded.size() - 1));
        if (folded.size() >= 5 && folded[folded.size() - 2] == 'e') {
            readings.push_back(folded.substr(0, folded.size() - 2));
        }
    }
    return readings;
}

}  // namespace halden::detail
