#include "numbers/given_value.h"

#include "numbers/characters.h"
#include "numbers/leading_number.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace halden {
namespace {

bool IsSign(char c) { return c == '+' || c == '-'; }

// Digits and periods only: no sign, no exponent, no blank. The number test decides the rest (at
// least one digit, at most one period).
bool IsPlainDecimal(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; });
}

bool IsDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// Whether the digits before the exponent hold one other than 0.
bool HoldsNonZeroDigit(std::string_view number) {
    const std::string_view mantissa = number.substr(0, number.find_first_of("Ee"));
    return mantissa.find_first_of("123456789") != std::string_view::npos;
}

// One number as the calculator takes a finished operand, with nothing around it. A number whose
// digits are not all zero but which reads as zero ("1e-400") is refused rather than taken as 0.
std::optional<double> NumberValue(std::string_view number) {
    const std::optional<std::string> operand = FinishedOperand(number);
    if (!operand || *operand != number) {
        return std::nullopt;
    }
    const std::optional<double> value = LeadingNumber(*operand);
    if (!value || !std::isfinite(*value) || (*value == 0 && HoldsNonZeroDigit(*operand))) {
        return std::nullopt;
    }
    return value;
}

// numerator/denominator, both plain decimals without sign or exponent. Nothing for a zero
// denominator, or a quotient beyond the range of a double or one that reads as zero although the
// numerator is not.
std::optional<double> FractionValue(std::string_view numerator, std::string_view denominator) {
    if (!IsPlainDecimal(numerator) || !IsPlainDecimal(denominator)) {
        return std::nullopt;
    }
    const std::optional<double> n = NumberValue(numerator);
    const std::optional<double> d = NumberValue(denominator);
    if (!n || !d || *d == 0) {
        return std::nullopt;
    }
    const double quotient = *n / *d;
    if (!std::isfinite(quotient) || (quotient == 0 && *n != 0)) {
        return std::nullopt;
    }
    return quotient;
}

// The blanks the leading-number reading skips wherever they stand.
bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Hands out the characters of a text that are not skipped blanks.
class TypedCursor {
public:
    explicit TypedCursor(std::string_view text) : text_(text) {}
    // The next character, or '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() && IsSkippedBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    bool AtEnd() { return Peek() == '\0' && pos_ == text_.size(); }
    void Advance() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<double> GivenValue(std::string_view text) {
    const std::string ascii = AsciiTypedText(text);
    const std::string_view given = TrimBlanks(ascii, kSpacesAndTabs);
    const std::size_t slash = given.find('/');
    if (slash == std::string_view::npos) {
        return NumberValue(given);
    }

    // A fraction, alone or after a whole number. The sign in front is the whole value's; the
    // denominator is everything after the slash, so a second slash or a blank there refuses it.
    std::string_view head = given.substr(0, slash);
    const std::string_view denominator = given.substr(slash + 1);
    const bool negative = !head.empty() && head.front() == '-';
    if (!head.empty() && IsSign(head.front())) {
        head.remove_prefix(1);
    }
    const std::size_t blank = head.find_first_of(kSpacesAndTabs);
    std::optional<double> value;
    if (blank == std::string_view::npos) {
        value = FractionValue(head, denominator);
    } else {
        // A mixed number: whole digits, blanks, then a fraction less than one ("1 3/2" is
        // refused rather than read as 2.5, which is more likely a slip than meant).
        const std::string_view whole = head.substr(0, blank);
        const std::string_view numerator = TrimBlanks(head.substr(blank), kSpacesAndTabs);
        const std::optional<double> units = IsDigits(whole) ? NumberValue(whole) : std::nullopt;
        const std::optional<double> part = FractionValue(numerator, denominator);
        if (units && part && *part < 1) {
            value = *units + *part;
        }
    }
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

TypedNumber TypedNumberState(std::string_view text) {
    TypedCursor cursor(text);
    if (IsSign(cursor.Peek())) {
        cursor.Advance();
    }
    bool digit = false;
    bool point = false;
    for (char c = cursor.Peek(); IsDigit(c) || (c == '.' && !point); c = cursor.Peek()) {
        digit = digit || IsDigit(c);
        point = point || c == '.';
        cursor.Advance();
    }
    if (cursor.AtEnd()) {
        // "", "-", "." and "-." still become numbers once a digit is typed.
        return digit ? TypedNumber::Complete : TypedNumber::Unfinished;
    }
    // Only an exponent may follow the digits, and only after at least one digit.
    if (const char c = cursor.Peek(); !digit || (c != 'E' && c != 'e')) {
        return TypedNumber::Never;
    }
    cursor.Advance();
    if (IsSign(cursor.Peek())) {
        cursor.Advance();
    }
    if (cursor.AtEnd()) {
        return TypedNumber::Unfinished;
    }
    while (IsDigit(cursor.Peek())) {
        cursor.Advance();
    }
    return cursor.AtEnd() ? TypedNumber::Complete : TypedNumber::Never;
}

}  // namespace halden
