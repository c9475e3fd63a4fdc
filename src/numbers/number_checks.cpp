#include "numbers/number_checks.h"

#include "numbers/characters.h"
#include "numbers/leading_number.h"
#include "numbers/typed_text.h"

#include <string>

namespace halden {
namespace {

constexpr std::string_view kCommaText = "This application recognizes only a period (dot) as decimal separator.";

// Warns about a comma when the text holds one; returns whether it did.
bool WarnAboutComma(std::string_view text, MessageSink& sink) {
    if (text.find(',') == std::string_view::npos) {
        return false;
    }
    sink.Show(Message{std::string(kMessageTitle), std::string(kCommaText), MessageIcon::Exclamation});
    return true;
}

// Whether the whole text is one number: blanks around it, an optional sign, digits with at most
// one period (at least one digit), an optional exponent (E or e, optional sign, digits), and a
// value within the range of a double. Nothing else is accepted.
bool PassesNumberTest(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpaceOrTab(text[begin])) {
        ++begin;
    }
    while (end > begin && IsSpaceOrTab(text[end - 1])) {
        --end;
    }
    std::string_view core = text.substr(begin, end - begin);

    std::size_t pos = 0;
    if (pos < core.size() && (core[pos] == '+' || core[pos] == '-')) {
        ++pos;
    }
    bool digit = false;
    bool point = false;
    for (; pos < core.size(); ++pos) {
        char c = core[pos];
        if (IsDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digit) {
        return false;
    }
    if (pos < core.size() && (core[pos] == 'E' || core[pos] == 'e')) {
        ++pos;
        if (pos < core.size() && (core[pos] == '+' || core[pos] == '-')) {
            ++pos;
        }
        bool expDigit = false;
        while (pos < core.size() && IsDigit(core[pos])) {
            expDigit = true;
            ++pos;
        }
        if (!expDigit) {
            return false;
        }
    }
    if (pos != core.size()) {
        return false;
    }
    // The syntax is plain, so the leading-number reading takes the whole text; it fails only
    // beyond the range of a double.
    return LeadingNumber(core).has_value();
}

}  // namespace

int InvalidNumCheck(std::string_view text, MessageSink& sink) {
    if (text.empty()) {
        return 0;
    }
    if (WarnAboutComma(text, sink)) {
        return 0;
    }
    return PassesNumberTest(text) ? 0 : 1;
}

int NonNumCheck(std::string_view text, MessageSink& sink) {
    if (text.empty()) {
        return 0;
    }
    if (WarnAboutComma(text, sink)) {
        return 0;
    }
    // A number still being typed passes quietly: a leading sign, or an exponent not yet finished.
    if (text.front() == '+' || text.front() == '-') {
        return 0;
    }
    const char last = AsciiLower(text.back());
    if (last == 'e') {
        return 0;
    }
    if (text.size() >= 2 && AsciiLower(text[text.size() - 2]) == 'e' && (last == '+' || last == '-')) {
        return 0;
    }
    return PassesNumberTest(text) ? 0 : 1;
}

std::optional<std::string> FinishedOperand(std::string_view text) {
    const std::string ascii = AsciiTypedText(text);
    const std::string_view operand = TrimBlanks(ascii, kSpacesAndTabs);
    NullSink noMessages;
    if (operand.empty() || operand.find(',') != std::string_view::npos || InvalidNumCheck(operand, noMessages) != 0) {
        return std::nullopt;
    }
    return std::string(operand);
}

}  // namespace halden
