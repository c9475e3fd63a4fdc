#include "search/search_answers.h"

#include "numbers/characters.h"

namespace halden {
namespace {

constexpr std::string_view kOpenName = "Open in Halden Unit Converter";
// A search text longer than this is no question a person typed: turned away unread.
constexpr std::size_t kLongestSearch = 200;

// Whether text begins as a number does: a digit, or a sign or point before one.
bool BeginsLikeNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
    }
    return i < text.size() && IsDigit(text[i]);
}

}  // namespace

std::string JoinedTerms(const std::vector<std::string>& terms) {
    std::string joined;
    for (const std::string& term : terms) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += term;
        if (joined.size() > kLongestSearch) {
            break;
        }
    }
    return joined;
}

std::optional<QuestionAnswer> SearchAnswer(std::string_view question, const SearchTables& tables) {
    const std::string_view text = TrimBlanks(question, kSpacesAndTabs);
    if (text.size() > kLongestSearch || !BeginsLikeNumber(text)) {
        return std::nullopt;
    }
    QuestionAnswer answer = Answer(text, tables.catalogue, tables.index, tables.options);
    if (answer.verdict != QuestionVerdict::Answered) {
        return std::nullopt;
    }
    return answer;
}

std::vector<std::string> SearchResultIds(std::string_view question, const SearchTables& tables) {
    if (!SearchAnswer(question, tables)) {
        return {};
    }
    const std::string text(TrimBlanks(question, kSpacesAndTabs));
    return {std::string(kAnswerResult) + text, std::string(kOpenResult) + text};
}

std::optional<std::pair<std::string, bool>> QuestionOfResult(std::string_view id) {
    for (const std::string_view kind : {kAnswerResult, kOpenResult}) {
        if (id.substr(0, kind.size()) == kind) {
            return std::pair{std::string(id.substr(kind.size())), kind == kOpenResult};
        }
    }
    return std::nullopt;
}

std::optional<SearchResultMeta> SearchResultMetaFor(std::string_view id, const SearchTables& tables) {
    const std::optional<std::pair<std::string, bool>> question = QuestionOfResult(id);
    if (!question) {
        return std::nullopt;
    }
    const std::optional<QuestionAnswer> answer = SearchAnswer(question->first, tables);
    if (!answer) {
        return std::nullopt;
    }
    SearchResultMeta meta{std::string(id), answer->answer, answer->understood, answer->result};
    if (question->second) {
        meta.name = kOpenName;
        meta.clipboardText.clear();
    }
    return meta;
}

}  // namespace halden
