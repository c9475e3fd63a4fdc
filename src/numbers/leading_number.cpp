#include "numbers/leading_number.h"

#include "numbers/characters.h"

#include <charconv>
#include <string>

namespace halden {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Walks the text, handing out the characters that are not skipped blanks.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}
    char Peek() {
        while (pos_ < text_.size() && IsSkipped(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Advance() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Hexadecimal digits (already without blanks) to the nearest double; nullopt beyond the range.
std::optional<double> HexDigitsToDouble(const std::string& hex) {
    std::size_t first = hex.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0.0;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(hex.data() + first, hex.data() + hex.size(), value, std::chars_format::hex);
    if (ec != std::errc{} || end != hex.data() + hex.size()) {
        return std::nullopt;
    }
    return value;
}

// Octal digits to hexadecimal digits of the same unsigned integer.
std::string OctalToHex(const std::string& octal) {
    std::string bits;
    bits.reserve(octal.size() * 3 + 3);
    for (char c : octal) {
        int v = c - '0';
        bits.push_back((v & 4) ? '1' : '0');
        bits.push_back((v & 2) ? '1' : '0');
        bits.push_back((v & 1) ? '1' : '0');
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    hex.reserve(bits.size() / 4);
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int v = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0');
        hex.push_back("0123456789abcdef"[v]);
    }
    return hex;
}

std::optional<double> ReadRadixInteger(Reader& reader, bool hex) {
    std::string digits;
    for (char c = reader.Peek(); c != '\0'; c = reader.Peek()) {
        bool ok = hex ? HexDigitValue(c) >= 0 : (c >= '0' && c <= '7');
        if (!ok) {
            break;
        }
        digits.push_back(c);
        reader.Advance();
    }
    return HexDigitsToDouble(hex ? digits : OctalToHex(digits));
}

// A decimal number that std::from_chars reported out of range: decide between overflow (a
// failure) and underflow (the nearest double, which for these magnitudes is zero).
std::optional<double> OutOfRange(std::string_view mantissa, long long exponent, bool negative) {
    long long firstNonZero = -1;
    long long pointPos = static_cast<long long>(mantissa.size());
    long long digitIndex = 0;
    for (char c : mantissa) {
        if (c == '.') {
            pointPos = digitIndex;
            continue;
        }
        if (c != '0' && firstNonZero < 0) {
            firstNonZero = digitIndex;
        }
        ++digitIndex;
    }
    if (mantissa.find('.') == std::string_view::npos) {
        pointPos = digitIndex;
    }
    if (firstNonZero < 0) {
        return negative ? -0.0 : 0.0;
    }
    long long magnitude = exponent + (pointPos - firstNonZero);
    if (magnitude <= 0) {
        return negative ? -0.0 : 0.0;
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> LeadingNumber(std::string_view text) {
    Reader reader(text);
    if (reader.Peek() == '&') {
        reader.Advance();
        char kind = reader.Peek();
        if (kind == 'H' || kind == 'h' || kind == 'O' || kind == 'o') {
            reader.Advance();
            return ReadRadixInteger(reader, kind == 'H' || kind == 'h');
        }
        return 0.0;
    }

    std::string number;
    bool negative = false;
    if (char c = reader.Peek(); c == '+' || c == '-') {
        negative = c == '-';
        if (negative) {
            number.push_back('-');
        }
        reader.Advance();
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c = reader.Peek(); IsDigit(c) || (c == '.' && !seenPoint); c = reader.Peek()) {
        seenPoint = seenPoint || c == '.';
        seenDigit = seenDigit || IsDigit(c);
        number.push_back(c);
        reader.Advance();
    }
    if (!seenDigit) {
        return 0.0;
    }
    const std::size_t mantissaEnd = number.size();

    // The exponent counts only when at least one digit follows the letter and its sign.
    long long exponent = 0;
    if (char c = reader.Peek(); c == 'E' || c == 'e') {
        reader.Advance();
        std::string exp;
        if (char s = reader.Peek(); s == '+' || s == '-') {
            exp.push_back(s);
            reader.Advance();
        }
        bool expDigit = false;
        for (char d = reader.Peek(); IsDigit(d); d = reader.Peek()) {
            expDigit = true;
            if (exponent < 1'000'000'000LL) {
                exponent = exponent * 10 + (d - '0');
            }
            exp.push_back(d);
            reader.Advance();
        }
        if (expDigit) {
            if (exp[0] == '-') {
                exponent = -exponent;
            }
            number.push_back('e');
            number += exp;
        }
    }

    double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        std::string_view mantissa(number.data() + (negative ? 1 : 0), mantissaEnd - (negative ? 1 : 0));
        return OutOfRange(mantissa, exponent, negative);
    }
    if (ec != std::errc{}) {
        return 0.0;
    }
    return value;
}

}  // namespace halden
