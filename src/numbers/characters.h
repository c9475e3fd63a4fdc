// Characters of the texts the program reads: decimal and hexadecimal digits, ASCII letter case,
// and the blanks around file lines, names and typed boxes. Two blank rules hold, each by its own
// name: spaces only (texts typed into a box or kept in a file, where a tab is part of the text),
// and spaces or tabs (numbers and unit names being read).
#pragma once

#include <string_view>

namespace halden {

/// Whether c is one of the ASCII digits 0 to 9.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// The value of a hexadecimal digit (0-9, a-f, A-F); -1 for any other character.
constexpr int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

/// c in lower case when it is an ASCII capital letter; any other byte unchanged.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

/// c in upper case when it is an ASCII small letter; any other byte unchanged.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

/// Whether c is a space or a tab.
constexpr bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

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

/// Whether text is empty or holds only spaces (a tab counts as text).
constexpr bool IsSpacesOnly(std::string_view text) { return text.find_first_not_of(kSpaces) == std::string_view::npos; }

}  // namespace halden
