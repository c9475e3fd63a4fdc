#include "catalogue/question.h"

#include "catalogue/all_units.h"
#include "catalogue/convert_value.h"
#include "catalogue/unit_messages.h"
#include "numbers/characters.h"
#include "numbers/format_result.h"
#include "numbers/given_value.h"
#include "numbers/leading_number.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <deque>
#include <utility>

namespace halden {
namespace {

constexpr std::string_view kHowToAsk = "give a value, its unit and the unit to answer in, as in \"3 ft in cm\"";
// The longest question read: anything longer is no question typed by a person.
constexpr std::size_t kLongestQuestion = 400;

// Typographic signs people type or paste for the ASCII ones a question is read with.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kQuestionSigns{{
    {"\xE2\x80\xB2", "'"},     // prime: feet
    {"\xE2\x80\xB3", "\""},    // double prime: inches
    {"\xE2\x80\x99", "'"},     // right single quotation mark
    {"\xE2\x80\x9D", "\""},    // right double quotation mark
    {"\xE2\x86\x92", " -> "},  // rightwards arrow
    {"\t", " "},
}};

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

struct Token {
    std::string text;
    bool number = false;
};

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

// One value of the question and the name of its unit.
struct Term {
    std::string valueText;
    std::string unitName;
};

// The parts of a question: its values and the name or names to answer in.
struct Reading {
    std::vector<Term> terms;
    std::vector<std::string> targets;  // one, or two for a mixed answer ("ft+in")
};

// A name read once per question.
class NameCache {
public:
    explicit NameCache(const UnitNameIndex& index) : index_(index) {}
    const NamedUnits& Named(const std::string& name) {
        for (const auto& [text, named] : names_) {
            if (text == name) {
                return named;
            }
        }
        names_.emplace_back(name, index_.Resolve(name));
        return names_.back().second;
    }

private:
    const UnitNameIndex& index_;
    std::deque<std::pair<std::string, NamedUnits>> names_;  // stays in place as it grows
};

// A name resolved in the group a question is answered in.
struct GroupUnit {
    std::string typed;
    const NamedUnits* named = nullptr;
    int unit = -1;
};

// What a reading comes to: the group and each name's unit there, or why there is none.
struct Resolution {
    QuestionVerdict verdict = QuestionVerdict::Answered;
    std::string reason;
    std::vector<FoundUnit> suggestions;
    int group = -1;
    std::vector<GroupUnit> units;  // the terms' units, then the targets'
    int resolvedNames = 0;         // how many names named a unit: the better failure to report
    std::string failedName;        // a name that named no unit, or several when case is ignored
};

Resolution Resolve(const UnitCatalogue& c, NameCache& cache, const Reading& reading) {
    Resolution r;
    std::vector<std::string> names;
    for (const Term& term : reading.terms) {
        names.push_back(term.unitName);
    }
    names.insert(names.end(), reading.targets.begin(), reading.targets.end());
    std::vector<int> common;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const NamedUnits& named = cache.Named(names[n]);
        r.units.push_back(GroupUnit{names[n], &named, -1});
        if (named.units.empty() || named.ambiguous) {
            if (r.verdict == QuestionVerdict::Answered) {
                // Worded only for the reading reported: near names take a while to find.
                r.verdict = named.ambiguous ? QuestionVerdict::AmbiguousUnit : QuestionVerdict::UnknownUnit;
                r.failedName = names[n];
                r.suggestions = named.units;
            }
            continue;
        }
        ++r.resolvedNames;
        const std::vector<int> groups = GroupsOf(named);
        if (n == 0) {
            common = groups;
        } else {
            std::erase_if(common, [&](int g) { return std::find(groups.begin(), groups.end(), g) == groups.end(); });
        }
    }
    if (r.verdict != QuestionVerdict::Answered) {
        return r;
    }
    if (common.empty()) {
        // Named: the first unit and the first other that shares no group with it, else the last.
        r.verdict = QuestionVerdict::NoCommonGroup;
        const std::vector<int> first = GroupsOf(*r.units.front().named);
        std::size_t apart = r.units.size() - 1;
        for (std::size_t n = 1; n < r.units.size(); ++n) {
            const std::vector<int> other = GroupsOf(*r.units[n].named);
            if (std::find_first_of(first.begin(), first.end(), other.begin(), other.end()) == first.end()) {
                apart = n;
                break;
            }
        }
        r.reason = NoCommonGroupRefusal(c, names.front(), *r.units.front().named, names[apart], *r.units[apart].named);
        return r;
    }
    r.group = common.front();
    for (GroupUnit& unit : r.units) {
        std::vector<int> inGroup;
        for (const FoundUnit& found : unit.named->units) {
            if (found.group == r.group) {
                inGroup.push_back(found.unit);
            }
        }
        if (inGroup.size() > 1) {
            r.verdict = QuestionVerdict::AmbiguousUnit;
            r.reason = SeveralUnitsRefusal(c, unit.typed, r.group, inGroup);
            for (const int i : inGroup) {
                r.suggestions.push_back(FoundUnit{r.group, i});
            }
            return r;
        }
        unit.unit = inGroup.front();
    }
    return r;
}

// The readings of the words after the last value: its unit, a connector or none, and the unit or
// the two units to answer in. "in" is a connector only where a unit stands on each side of it.
struct RunSplit {
    std::string unitName;
    std::vector<std::string> targets;
    bool connector = false;
};

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

// The value text as the converter's input box would hold it: as typed when it is a plain number,
// else the shortest text that reads back to the value.
std::string InputBoxText(std::string_view typed, double value) {
    if (const std::optional<std::string> plain = FinishedOperand(typed)) {
        return *plain;
    }
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), written.ptr);
}

// How the lists name a named unit in its group.
std::string ListName(const UnitCatalogue& c, int g, const GroupUnit& unit) {
    if (!unit.named->composedName.empty()) {
        return unit.named->composedName;
    }
    return c.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(unit.unit)];
}

QuestionAnswer Refused(QuestionVerdict verdict, std::string reason) {
    QuestionAnswer answer;
    answer.verdict = verdict;
    answer.reason = std::move(reason);
    return answer;
}

std::optional<double> ConvertUnit(const UnitCatalogue& c, int g, const GroupUnit& from, const GroupUnit& into,
                                  double x) {
    return ConvertScaled(c, g, from.unit, from.named->scale.up, from.named->scale.down, into.unit, into.named->scale.up,
                         into.named->scale.down, x);
}

// The answer in two units, the first whole ("5 ft 10.8661 in"): the rest of the first unit in the
// second, carried over when it rounds to a whole first unit.
std::optional<std::string> MixedAnswer(const UnitCatalogue& c, int g, const GroupUnit& big, const GroupUnit& small,
                                       double total, const QuestionOptions& options) {
    const double size = std::fabs(total);
    double whole = std::trunc(size);
    const std::optional<double> oneBig = ConvertUnit(c, g, big, small, 1.0);
    std::optional<double> rest = ConvertUnit(c, g, big, small, size - whole);
    if (!oneBig || !rest || whole >= 1e15) {
        return std::nullopt;
    }
    std::optional<std::string> restText = FormatResult(*rest, false, options.figure, options.formFlag);
    // Compared as written: 12 inches rounded from 11.9999 are a whole foot.
    const std::optional<std::string> oneBigText = FormatResult(*oneBig, false, options.figure, options.formFlag);
    if (restText && oneBigText &&
        LeadingNumber(*restText).value_or(0.0) >= LeadingNumber(*oneBigText).value_or(*oneBig)) {
        whole += 1.0;
        rest = 0.0;
    }
    if (*rest == 0.0) {
        restText = "0";  // the result box writes zero in exponent form; a whole number of feet has 0 inches
    }
    if (!restText) {
        return std::nullopt;
    }
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<long long>(whole));
    const std::string sign = total < 0 && (whole > 0 || *rest > 0) ? "-" : "";
    return sign + std::string(buffer.data(), written.ptr) + " " + big.typed + " " + *restText + " " + small.typed;
}

QuestionAnswer Compute(const UnitCatalogue& c, const Reading& reading, const Resolution& r,
                       const QuestionOptions& options) {
    const int g = r.group;
    const std::size_t termCount = reading.terms.size();
    const GroupUnit& target = r.units[termCount];
    const bool mixed = reading.targets.size() == 2;
    const bool affine = g == kGroupTemperature || IsUserGroup(g);
    if ((termCount > 1 || mixed) && (affine || g == kGroupRadix)) {
        return Refused(QuestionVerdict::InputError,
                       "values in " + c.GroupName[static_cast<std::size_t>(g)] + " cannot be added up or split");
    }
    QuestionAnswer answer;
    answer.group = g;
    answer.from = r.units.front().unit;
    answer.into = target.unit;
    std::string given;
    double total = 0.0;
    for (std::size_t t = 0; t < termCount; ++t) {
        AppendListed(given, " + ", reading.terms[t].valueText + " " + ListName(c, g, r.units[t]));
    }
    if (g == kGroupRadix) {
        // The number bases read the value as text with their own digits.
        answer.result = AllUnitsResult(
            c, 0, {g, answer.from, reading.terms.front().valueText, options.figure, options.formFlag}, answer.into);
        if (answer.result == kInputError) {
            return Refused(QuestionVerdict::InputError, std::string(kInputError));
        }
        answer.valueText = reading.terms.front().valueText;
    } else {
        for (std::size_t t = 0; t < termCount; ++t) {
            const std::optional<double> value = GivenValue(reading.terms[t].valueText);
            const std::optional<double> converted =
                value ? ConvertUnit(c, g, r.units[t], target, *value) : std::nullopt;
            if (!converted || !std::isfinite(total + *converted)) {
                return Refused(QuestionVerdict::InputError, std::string(kInputError));
            }
            total += *converted;
            if (t == 0) {
                answer.valueText = InputBoxText(reading.terms[t].valueText, *value);
            }
        }
        const std::optional<std::string> text = mixed
                                                    ? MixedAnswer(c, g, target, r.units[termCount + 1], total, options)
                                                    : FormatResult(total, false, options.figure, options.formFlag);
        if (!text) {
            return Refused(QuestionVerdict::InputError, std::string(kInputError));
        }
        answer.result = *text;
    }
    answer.verdict = QuestionVerdict::Answered;
    if (mixed) {
        answer.answer = answer.result;
        const GroupUnit& small = r.units[termCount + 1];
        answer.understood = given + " = " + answer.result;
        answer.understood.replace(answer.understood.rfind(small.typed), small.typed.size(), ListName(c, g, small));
        const std::size_t bigAt = answer.understood.rfind(" " + target.typed + " ");
        answer.understood.replace(bigAt + 1, target.typed.size(), ListName(c, g, target));
    } else {
        answer.answer = answer.result + " " + target.typed;
        answer.understood = given + " = " + answer.result + " " + ListName(c, g, target);
    }
    // The number bases show nothing for a base into itself: the lists cannot show that one.
    answer.listUnits = termCount == 1 && !mixed && r.units.front().named->composedName.empty() &&
                       target.named->composedName.empty() && !(g == kGroupRadix && answer.from == answer.into);
    return answer;
}

}  // namespace

QuestionAnswer Answer(std::string_view question, const UnitCatalogue& c, const UnitNameIndex& index,
                      const QuestionOptions& options) {
    const std::string text = Prepared(question.substr(0, std::min(question.size(), kLongestQuestion + 1)));
    const std::vector<Token> tokens = Tokens(text);
    if (tokens.empty() || !tokens.front().number || question.size() > kLongestQuestion) {
        return Refused(QuestionVerdict::NotAQuestion, std::string(kHowToAsk));
    }
    // The values, each with the words of its unit: "5 ft 11 in", "5 ft + 11 in", "1 1/2 in".
    Reading base;
    std::vector<Token> run;
    for (std::size_t i = 0; i < tokens.size();) {
        Term term{tokens[i].text, {}};
        ++i;
        const bool fractionFollows = i < tokens.size() && tokens[i].number &&
                                     tokens[i].text.find('/') != std::string::npos &&
                                     term.valueText.find('/') == std::string::npos;
        if (fractionFollows) {
            term.valueText += " " + tokens[i++].text;
        }
        const std::size_t first = i;
        while (i < tokens.size() && !tokens[i].number &&
               !(tokens[i].text == "+" && i + 1 < tokens.size() && tokens[i + 1].number)) {
            ++i;
        }
        if (i == tokens.size()) {
            run.assign(tokens.begin() + static_cast<long>(first), tokens.end());
            base.terms.push_back(std::move(term));
            break;
        }
        if (first == i) {
            return Refused(QuestionVerdict::Incomplete, "the value " + Quoted(term.valueText) + " has no unit");
        }
        term.unitName = WordsBetween(tokens, first, i);
        base.terms.push_back(std::move(term));
        if (tokens[i].text == "+") {
            ++i;
        }
    }
    NameCache cache(index);
    std::optional<Resolution> best;
    std::optional<Reading> bestReading;
    std::vector<std::pair<Reading, Resolution>> answered;
    for (RunSplit& split : RunSplits(run)) {
        Reading reading = base;
        reading.terms.back().unitName = std::move(split.unitName);
        reading.targets = std::move(split.targets);
        Resolution r = Resolve(c, cache, reading);
        if (r.verdict == QuestionVerdict::Answered) {
            const auto same = [&](const auto& other) {
                const auto& [o, orr] = other;
                if (orr.group != r.group || orr.units.size() != r.units.size()) {
                    return false;
                }
                for (std::size_t u = 0; u < r.units.size(); ++u) {
                    if (orr.units[u].unit != r.units[u].unit ||
                        !(orr.units[u].named->scale == r.units[u].named->scale)) {
                        return false;
                    }
                }
                return true;
            };
            if (std::none_of(answered.begin(), answered.end(), same)) {
                answered.emplace_back(reading, std::move(r));
            }
        } else if (!best || r.resolvedNames > best->resolvedNames) {
            best = std::move(r);
            bestReading = reading;
        }
    }
    if (answered.size() == 1) {
        return Compute(c, answered.front().first, answered.front().second, options);
    }
    if (answered.size() > 1) {
        return Refused(QuestionVerdict::AmbiguousUnit, Quoted(WordsBetween(run, 0, run.size())) +
                                                           " reads in more than one way: give the units apart, as in "
                                                           "\"3 ft in cm\"");
    }
    // No reading names units on both sides: a value with one unit and nothing to answer in is no
    // complete question; else the reading that named the most units says what is wrong.
    std::size_t named = run.size();
    while (named > 0 && (IsConnector(run[named - 1].text) || IsJoin(run[named - 1].text))) {
        --named;
    }
    const bool oneUnit = named > 0 && !cache.Named(WordsBetween(run, 0, named)).units.empty();
    if (run.empty() || oneUnit || !best) {
        if (!run.empty() && !oneUnit && named > 0) {
            const std::string name = WordsBetween(run, 0, named);
            const NamedUnits& unit = cache.Named(name);
            QuestionAnswer refused = Refused(QuestionVerdict::UnknownUnit, {});
            refused.reason = NameRefusal(c, index, name, unit, options.listHint, &refused.suggestions);
            return refused;
        }
        return Refused(QuestionVerdict::Incomplete, std::string(kHowToAsk));
    }
    if (!best->failedName.empty()) {
        const NamedUnits& failed = cache.Named(best->failedName);
        best->reason = NameRefusal(c, index, best->failedName, failed, options.listHint, &best->suggestions);
    }
    QuestionAnswer refused = Refused(best->verdict, best->reason);
    refused.suggestions = best->suggestions;
    return refused;
}

}  // namespace halden
