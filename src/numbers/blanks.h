// Blanks around the texts the program reads: file lines, names, typed boxes.
#pragma once

#include <string_view>

namespace halden {

/// Spaces only: a tab typed into a box or kept in a file stays part of the text.
inline constexpr std::string_view kSpaces = " ";
/// Spaces and tabs, for matching names the user types.
inline constexpr std::string_view kSpacesAndTabs = " \t";

/// text without the blanks at either end; empty when it holds nothing else.
constexpr std::string_view TrimBlanks(std::string_view text, std::string_view blanks = kSpaces) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

/// Whether text is empty or holds only spaces.
constexpr bool IsBlank(std::string_view text) { return text.find_first_not_of(kSpaces) == std::string_view::npos; }

}  // namespace halden
