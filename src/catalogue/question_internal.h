// What the question files share: a question's words, the readings of its last words, and its units in a group.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_names.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

struct QuestionOptions;

namespace detail {

// One word of a question, and whether it is a number.
struct Token {
    std::string text;
    bool number = false;
};

// A name resolved in the group a question is answered in.
struct GroupUnit {
    std::string typed;
    const NamedUnits* named = nullptr;
    int unit = -1;
};

// The readings of the words after the last value: its unit, a connector or none, and the unit or
// the two units to answer in. "in" is a connector only where a unit stands on each side of it.
struct RunSplit {
    std::string unitName;
    std::vector<std::string> targets;
    bool connector = false;
};

// Reading a question (question_reading.cpp).
std::string Prepared(std::string_view question);
bool IsConnector(std::string_view word);
bool IsJoin(std::string_view word);
std::vector<Token> Tokens(std::string_view text);
std::string WordsBetween(const std::vector<Token>& tokens, std::size_t first, std::size_t last);
std::vector<RunSplit> RunSplits(const std::vector<Token>& run);

// Values in named units (question_values.cpp).
std::string InputBoxText(std::string_view typed, double value);
std::string ListName(const UnitCatalogue& c, int g, const GroupUnit& unit);
std::optional<double> ConvertUnit(const UnitCatalogue& c, int g, const GroupUnit& from, const GroupUnit& into,
                                  double x);
std::optional<std::string> MixedAnswer(const UnitCatalogue& c, int g, const GroupUnit& big, const GroupUnit& small,
                                       double total, const QuestionOptions& options);

}  // namespace detail
}  // namespace halden
