// Questions asked in one line, as people write them: "3 ft in cm", "5'11\" in cm", "1/2 inch to mm",
// "350F to C", "10 mi km", "1.8 m in ft+in". One reading serves the shell, the finder and the
// desktop search: the value (a number, a fraction, a mixed number, or several values in units of
// one group added up: "5 ft 11 in"), the unit it is in, an optional connector (in, to, into, as,
// >, ->, →, =; "in" only where a unit stands on both sides), and the unit or the pair of units
// ("ft+in", "lb+oz") to answer in. Units are named as the unit name reading names them, SI
// prefixes included. A question that is not complete, names an unknown or ambiguous unit, or
// mixes groups has no answer, never a guess: the reason says why, with units near a misspelt name.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace halden {

/// How answers are written: as the result box writes them.
struct QuestionOptions {
    int figure = 6;    // pnFigure: 4, 6, 8, or 7 for whole numbers
    int formFlag = 0;  // pnFormFlag: 0 normal, 1 scientific
    /// Where every unit is listed, said when a name names nothing and no name is near it.
    std::string_view listHint{};
};

enum class QuestionVerdict {
    Answered,
    NotAQuestion,   // it does not begin with a value (a plain name, a word, nothing)
    Incomplete,     // a value, but no unit to answer in ("3 ft", "3 ft in", "3 ft to")
    UnknownUnit,    // a name that names no unit
    AmbiguousUnit,  // a name that fits several units
    NoCommonGroup,  // units that no group holds together
    InputError,     // the value cannot be read or the result cannot be computed ("1/0", "1e400")
};

struct QuestionAnswer {
    QuestionVerdict verdict = QuestionVerdict::NotAQuestion;
    /// The answer with the unit as typed: "91.4400 cm", "5 ft 10.8661 in".
    std::string answer;
    /// The number as the result box writes it ("91.4400"); a mixed answer's whole text.
    std::string result;
    /// The question as understood, with the lists' unit names:
    /// "3 foot, feet (ft) = 91.4400 centimeter (cm)".
    std::string understood;
    /// Why there is no answer, as one line: "no unit is named "fot"; did you mean ...?".
    std::string reason;
    /// Units near a name that names nothing, or the candidates of an ambiguous name.
    std::vector<FoundUnit> suggestions;

    /// The group, and the list units of the first value and the (first) answer unit.
    int group = -1;
    int from = -1;
    int into = -1;
    /// One value in a unit of a list into a unit of the same list: the window can show the same
    /// conversion with its lists, the input box holding valueText.
    bool listUnits = false;
    std::string valueText;
};

/// Answers a one-line question with the units of catalogue c (named through index, which was built
/// from c). Any text is accepted; a question that has no answer says why in reason.
QuestionAnswer Answer(std::string_view question, const UnitCatalogue& c, const UnitNameIndex& index,
                      const QuestionOptions& options = {});

}  // namespace halden
