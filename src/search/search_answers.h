// What the desktop's search box is answered: a question typed there ("3 ft in cm") gives the answer
// and a second result that opens the converter; anything else gives nothing, at once. Results are
// named by ids that hold the question itself, so that every call can be answered on its own.
#pragma once

#include "catalogue/question.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_names.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

/// The ids of the two results a question gives.
inline constexpr std::string_view kAnswerResult = "answer:";
inline constexpr std::string_view kOpenResult = "open:";

/// The units and the way results are written, for one service.
struct SearchTables {
    const UnitCatalogue& catalogue;
    const UnitNameIndex& index;
    QuestionOptions options;
};

/// The answered question text terms give (joined with blanks), or nothing when the text is no
/// complete question: a word, a plain number, an unknown or ambiguous unit, "3 ft to". A text that
/// does not begin like a number, or is longer than a question, is turned away without reading it.
std::optional<QuestionAnswer> SearchAnswer(std::string_view question, const SearchTables& tables);

/// The question terms stand for: the terms joined with single blanks.
std::string JoinedTerms(const std::vector<std::string>& terms);

/// The result ids for a question: the answer and "open", or none.
std::vector<std::string> SearchResultIds(std::string_view question, const SearchTables& tables);

/// What the search box shows for a result id.
struct SearchResultMeta {
    std::string id;
    std::string name;           // the answer ("91.4400 cm"), or "Open in Halden Unit Converter"
    std::string description;    // the question as understood, with the lists' unit names
    std::string clipboardText;  // what choosing the answer copies: the number as the result box writes it
};

/// The meta of a result id; nothing for an id that is not one of ours or no longer answers.
std::optional<SearchResultMeta> SearchResultMetaFor(std::string_view id, const SearchTables& tables);

/// The question a result id holds, and whether it is the "open" result; nothing for a foreign id.
std::optional<std::pair<std::string, bool>> QuestionOfResult(std::string_view id);

}  // namespace halden
