// Reading a question: its signs as ASCII, its words, and the readings of the words after its last value.
#include "catalogue/question_internal.h"
#include "catalogue/unit_messages.h"
#include "numbers/characters.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace halden {
namespace {

// Typographic signs people type or paste for the ASCII ones a question is read with.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kQuestionSigns{{
    {"\xE2\x80\xB2", "'"},     // prime: feet
    {"\xE2\x80\xB3", "\""},    // double prime: inches
    {"\xE2\x80\x99", "'"},     // right single quotation mark
    {"\xE2\x80\x9D", "\""},    // right double quotation mark
    {"\xE2\x86\x92", " -> "},  // rightwards arrow
    {"\t", " "},
}};

// The length of the number a text begins with: a sign, digits with at most one period, an
// exponent only where digits follow it, and a "/" with digits for a fraction; 0 when none.
std::size_t NumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const auto digits = [&](bool allowPoint) {
        const std::size_t start = i;
        bool point = false;
        bool digit = false;
        while (i < text.size() && (IsDigit(text[i]) || (allowPoint && !point && text[i] == '.'))) {
            point = point || text[i] == '.';
            digit = digit || IsDigit(text[i]);
            ++i;
        }
        if (!digit) {
            i = start;
        }
        return digit;
    };
    if (!digits(true)) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const std::size_t mark = i++;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (!digits(false)) {
            i = mark;
        }
    }
    if (i + 1 < text.size() && text[i] == '/' && IsDigit(text[i + 1])) {
        const std::size_t mark = i++;
        if (!digits(true)) {
            i = mark;
        }
    }
    return i;
}

}  // namespace

namespace detail {

std::string Prepared(std::string_view question) {
    std::string text = AsciiTypedText(question);
    for (const auto& [sign, ascii] : kQuestionSigns) {
        for (std::size_t at = text.find(sign); at != std::string::npos; at = text.find(sign, at + ascii.size())) {
            text.replace(at, sign.size(), ascii);
        }
    }
    return text;
}

bool IsConnector(std::string_view word) {
    static constexpr std::array<std::string_view, 7> kConnectors{"in", "to", "into", "as", ">", "->", "="};
    return std::find(kConnectors.begin(), kConnectors.end(), word) != kConnectors.end();
}

bool IsJoin(std::string_view word) { return word == "+" || word == ";"; }

// The question's words: numbers apart from units glued to them ("350F", "6/3m"), connectors and
// joins apart ("m>cm", "ft+in"), feet and inches written with quote marks as the units' names.
std::vector<Token> Tokens(std::string_view text) {
    std::vector<Token> tokens;
    std::string word;
    const auto endWord = [&] {
        if (!word.empty()) {
            tokens.push_back(Token{std::move(word), false});
            word.clear();
        }
    };
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const bool wordStart = word.empty();
        const bool signedNumber = (c == '+' || c == '-') && i + 1 < text.size() &&
                                  (IsDigit(text[i + 1]) || text[i + 1] == '.') &&
                                  (tokens.empty() || !tokens.back().number || wordStart);
        if (wordStart && (IsDigit(c) || c == '.' || signedNumber)) {
            if (const std::size_t length = NumberLength(text.substr(i)); length > 0) {
                tokens.push_back(Token{std::string(text.substr(i, length)), true});
                i += length;
                // Feet and inches by their marks: 5'11", 6'.
                while (i < text.size() && text[i] == ' ') {
                    ++i;
                }
                if (i < text.size() && (text[i] == '\'' || text[i] == '"')) {
                    tokens.push_back(Token{text[i] == '\'' ? "ft" : "in", false});
                    ++i;
                }
                continue;
            }
        }
        if (c == ' ') {
            endWord();
            ++i;
        } else if (text.compare(i, 2, "->") == 0) {
            endWord();
            tokens.push_back(Token{"->", false});
            i += 2;
        } else if (c == '>' || c == '=' || c == '+' || c == ';') {
            endWord();
            tokens.push_back(Token{std::string(1, c), false});
            ++i;
        } else {
            word += c;
            ++i;
        }
    }
    endWord();
    return tokens;
}

// The words from first to last, as typed between them (one blank each).
std::string WordsBetween(const std::vector<Token>& tokens, std::size_t first, std::size_t last) {
    std::string joined;
    for (std::size_t i = first; i < last; ++i) {
        AppendListed(joined, " ", tokens[i].text);
    }
    return joined;
}

std::vector<RunSplit> RunSplits(const std::vector<Token>& run) {
    std::vector<RunSplit> splits;
    // "3 ft in" asks nothing yet: a connector at the end is one, unless another one comes before.
    const bool endsInConnector = !run.empty() && IsConnector(run.back().text);
    const auto targetsOf = [&](std::size_t first) {
        std::vector<std::string> targets;
        std::size_t start = first;
        for (std::size_t i = first; i <= run.size(); ++i) {
            if (i == run.size() || IsJoin(run[i].text)) {
                targets.push_back(WordsBetween(run, start, i));
                start = i + 1;
            }
        }
        return targets;
    };
    for (std::size_t i = 1; i < run.size(); ++i) {
        std::vector<std::pair<std::vector<std::string>, bool>> rights;
        if (IsConnector(run[i].text) && i + 1 < run.size()) {
            rights.emplace_back(targetsOf(i + 1), true);
        }
        if (!IsJoin(run[i].text) && !endsInConnector) {
            rights.emplace_back(targetsOf(i), false);
        }
        for (auto& [targets, connector] : rights) {
            const bool complete = targets.size() <= 2 && std::none_of(targets.begin(), targets.end(),
                                                                      [](const std::string& t) { return t.empty(); });
            if (complete) {
                splits.push_back(RunSplit{WordsBetween(run, 0, i), std::move(targets), connector});
            }
        }
    }
    return splits;
}

}  // namespace detail
}  // namespace halden
