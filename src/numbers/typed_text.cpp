#include "numbers/typed_text.h"

#include <algorithm>

namespace halden {
namespace {

constexpr char32_t kFullWidthFirst = 0xFF01;  // "！", the full-width form of "!"
constexpr char32_t kFullWidthLast = 0xFF5E;   // "～", the full-width form of "~"
constexpr char32_t kFullWidthOffset = 0xFF01 - 0x21;

// The ASCII character a typed character stands for, or 0 when it stays as it is.
char AsciiOf(char32_t c) {
    if (c >= kFullWidthFirst && c <= kFullWidthLast) {
        return static_cast<char>(c - kFullWidthOffset);
    }
    switch (c) {
        case 0x00A0:  // no-break space
        case 0x2007:  // figure space
        case 0x202F:  // narrow no-break space
        case 0x3000:  // ideographic space
            return ' ';
        case 0x2212:  // minus sign
            return '-';
        default:
            return 0;
    }
}

// The code point of the well-formed two- or three-byte UTF-8 sequence at text[i] and its length;
// length 0 for anything else (the characters replaced are all of those lengths).
std::pair<char32_t, std::size_t> DecodeAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const auto continuation = [&](std::size_t k) { return k < text.size() && (byte(k) & 0xC0) == 0x80; };
    if ((byte(i) & 0xE0) == 0xC0 && continuation(i + 1)) {
        return {static_cast<char32_t>(((byte(i) & 0x1F) << 6) | (byte(i + 1) & 0x3F)), 2};
    }
    if ((byte(i) & 0xF0) == 0xE0 && continuation(i + 1) && continuation(i + 2)) {
        return {static_cast<char32_t>(((byte(i) & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F)),
                3};
    }
    return {0, 0};
}

constexpr bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string AsciiTypedText(std::string_view text) {
    // Every character replaced is a multi-byte one: plain ASCII is the answer as it stands.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(text);
    }
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto [code, length] = DecodeAt(text, i);
        if (const char c = length > 0 ? AsciiOf(code) : 0; c != 0) {
            ascii += c;
            i += length;
        } else {
            ascii += text[i++];
        }
    }
    return ascii;
}

std::string_view PastedLine(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsLineBreak(text[begin])) {
        ++begin;
    }
    std::size_t end = begin;
    while (end < text.size() && !IsLineBreak(text[end])) {
        ++end;
    }
    return text.substr(begin, end - begin);
}

}  // namespace halden
