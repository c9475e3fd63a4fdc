#include "catalogue/radix.h"

#include "numbers/characters.h"
#include "numbers/format_result.h"
#include "numbers/leading_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace halden {
namespace {

constexpr std::int64_t kLongMax = std::numeric_limits<std::int32_t>::max();

enum Radix { kDecimal = 0, kBinary = 1, kOctal = 2, kHexadecimal = 3 };

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsBinaryDigit(char c) { return c == '0' || c == '1'; }

template <typename Predicate>
bool AllOf(std::string_view s, Predicate isAllowed) {
    for (auto it = s.rbegin(); it != s.rend(); ++it) {
        if (!isAllowed(*it)) {
            return false;
        }
    }
    return true;
}

// A text of decimal digits as a signed 32-bit integer; the empty text and values beyond
// 2147483647 are failures. Leading zeros do not count against the range.
std::optional<std::int64_t> DecimalLong(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kLongMax) {
            return std::nullopt;
        }
    }
    return value;
}

std::string InBase(std::int64_t value, int base) {
    char buffer[40];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, base);
    (void)ec;
    std::string text(buffer, end);
    for (char& c : text) {
        c = AsciiUpper(c);
    }
    return text;
}

std::optional<std::string> DecimalInto(std::string_view s, int base) {
    if (!AllOf(s, IsDigit)) {
        return std::string(kInputError);
    }
    const std::optional<std::int64_t> value = DecimalLong(s);
    if (!value) {
        return std::nullopt;
    }
    return InBase(*value, base);
}

std::optional<std::string> FromDecimal(int into, std::string_view s) {
    switch (into) {
        case kBinary:
            return FmtDecToBin(s);
        case kOctal:
            return FmtDecToOct(s);
        case kHexadecimal:
            return FmtDecToHex(s);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> IntoDecimal(int from, std::string_view s) {
    switch (from) {
        case kBinary:
            return FmtBinToDec(s);
        case kOctal:
            return FmtOctToDec(s);
        case kHexadecimal:
            return FmtHexToDec(s);
        default:
            return std::nullopt;
    }
}

bool IsRadixUnit(int index) { return index >= kDecimal && index <= kHexadecimal; }

}  // namespace

std::optional<std::string> FmtDecToHex(std::string_view s) { return DecimalInto(s, 16); }

std::optional<std::string> FmtDecToOct(std::string_view s) { return DecimalInto(s, 8); }

std::optional<std::string> FmtDecToBin(std::string_view s) {
    if (!AllOf(s, IsDigit)) {
        return std::string(kInputError);
    }
    const std::optional<double> read = LeadingNumber(s);
    if (!read) {
        return std::nullopt;
    }
    const double magnitude = std::nearbyint(std::fabs(*read));
    if (magnitude > static_cast<double>(kLongMax)) {
        return std::nullopt;
    }
    const auto n = static_cast<std::int64_t>(magnitude);
    if (n > 65535) {
        return std::string(kInputError);
    }
    std::string bits(16, '0');
    for (int k = 15; k >= 0; --k) {
        if ((n >> k) & 1) {
            bits[static_cast<std::size_t>(15 - k)] = '1';
        }
    }
    return bits;
}

std::optional<std::string> FmtBinToDec(std::string_view s) {
    if (s.size() > 16 || !AllOf(s, IsBinaryDigit)) {
        return std::string(kInputError);
    }
    std::int64_t acc = 0;
    for (char c : s) {
        acc = acc * 2 + (c - '0');
    }
    return std::to_string(acc);
}

std::optional<std::string> FmtOctToDec(std::string_view s) {
    if (s.size() > 11 || !AllOf(s, IsOctalDigit)) {
        return std::string(kInputError);
    }
    // Eleven octal digits reach 2^33 - 1, well inside 64 bits; the 32-bit limit is checked after.
    std::int64_t acc = 0;
    for (char c : s) {
        acc = acc * 8 + (c - '0');
    }
    if (acc > kLongMax) {
        return std::nullopt;
    }
    return std::to_string(acc);
}

std::optional<std::string> FmtHexToDec(std::string_view s) {
    if (s.size() > 8 || !AllOf(s, [](char c) { return HexDigitValue(c) >= 0; })) {
        return std::string(kInputError);
    }
    // Eight hexadecimal digits stay below 2^32, so the sum is exact.
    std::int64_t acc = 0;
    for (char c : s) {
        acc = acc * 16 + HexDigitValue(c);
    }
    return std::to_string(acc);
}

std::optional<std::string> T_FormatNumber(int from, int into, std::string_view text) {
    if (!IsRadixUnit(from)) {
        return std::nullopt;
    }
    if (from == kDecimal) {
        if (!IsRadixUnit(into) || into == kDecimal) {
            return std::nullopt;
        }
        return FromDecimal(into, text).value_or(std::string(kInputError));
    }
    // The decimal intermediate is worked out before the target notation is looked at, so an
    // octal value beyond the 32-bit range shows "Input error" whatever the target.
    const std::optional<std::string> tmpRet = IntoDecimal(from, text);
    if (!tmpRet) {
        return std::string(kInputError);
    }
    if (!IsRadixUnit(into) || into == from) {
        return std::nullopt;
    }
    if (into == kDecimal) {
        return *tmpRet;
    }
    return FromDecimal(into, *tmpRet).value_or(std::string(kInputError));
}

}  // namespace halden
