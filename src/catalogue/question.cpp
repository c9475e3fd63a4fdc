#include "catalogue/question.h"

#include "catalogue/all_units.h"
#include "catalogue/question_internal.h"
#include "catalogue/unit_messages.h"
#include "numbers/format_result.h"
#include "numbers/given_value.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <utility>

namespace halden {
namespace {

constexpr std::string_view kHowToAsk = "give a value, its unit and the unit to answer in, as in \"3 ft in cm\"";
// The longest question read: anything longer is no question typed by a person.
constexpr std::size_t kLongestQuestion = 400;

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

// What a reading comes to: the group and each name's unit there, or why there is none.
struct Resolution {
    QuestionVerdict verdict = QuestionVerdict::Answered;
    std::string reason;
    std::vector<FoundUnit> suggestions;
    int group = -1;
    std::vector<detail::GroupUnit> units;  // the terms' units, then the targets'
    int resolvedNames = 0;                 // how many names named a unit: the better failure to report
    std::string failedName;                // a name that named no unit, or several when case is ignored
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
        r.units.push_back(detail::GroupUnit{names[n], &named, -1});
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
    for (detail::GroupUnit& unit : r.units) {
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

QuestionAnswer Refused(QuestionVerdict verdict, std::string reason) {
    QuestionAnswer answer;
    answer.verdict = verdict;
    answer.reason = std::move(reason);
    return answer;
}

QuestionAnswer Compute(const UnitCatalogue& c, const Reading& reading, const Resolution& r,
                       const QuestionOptions& options) {
    const int g = r.group;
    const std::size_t termCount = reading.terms.size();
    const detail::GroupUnit& target = r.units[termCount];
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
        AppendListed(given, " + ", reading.terms[t].valueText + " " + detail::ListName(c, g, r.units[t]));
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
                value ? detail::ConvertUnit(c, g, r.units[t], target, *value) : std::nullopt;
            if (!converted || !std::isfinite(total + *converted)) {
                return Refused(QuestionVerdict::InputError, std::string(kInputError));
            }
            total += *converted;
            if (t == 0) {
                answer.valueText = detail::InputBoxText(reading.terms[t].valueText, *value);
            }
        }
        const std::optional<std::string> text =
            mixed ? detail::MixedAnswer(c, g, target, r.units[termCount + 1], total, options)
                  : FormatResult(total, false, options.figure, options.formFlag);
        if (!text) {
            return Refused(QuestionVerdict::InputError, std::string(kInputError));
        }
        answer.result = *text;
    }
    answer.verdict = QuestionVerdict::Answered;
    if (mixed) {
        answer.answer = answer.result;
        const detail::GroupUnit& small = r.units[termCount + 1];
        answer.understood = given + " = " + answer.result;
        answer.understood.replace(answer.understood.rfind(small.typed), small.typed.size(),
                                  detail::ListName(c, g, small));
        const std::size_t bigAt = answer.understood.rfind(" " + target.typed + " ");
        answer.understood.replace(bigAt + 1, target.typed.size(), detail::ListName(c, g, target));
    } else {
        answer.answer = answer.result + " " + target.typed;
        answer.understood = given + " = " + answer.result + " " + detail::ListName(c, g, target);
    }
    // The number bases show nothing for a base into itself: the lists cannot show that one.
    answer.listUnits = termCount == 1 && !mixed && r.units.front().named->composedName.empty() &&
                       target.named->composedName.empty() && !(g == kGroupRadix && answer.from == answer.into);
    return answer;
}

}  // namespace

QuestionAnswer Answer(std::string_view question, const UnitCatalogue& c, const UnitNameIndex& index,
                      const QuestionOptions& options) {
    const std::string text = detail::Prepared(question.substr(0, std::min(question.size(), kLongestQuestion + 1)));
    const std::vector<detail::Token> tokens = detail::Tokens(text);
    if (tokens.empty() || !tokens.front().number || question.size() > kLongestQuestion) {
        return Refused(QuestionVerdict::NotAQuestion, std::string(kHowToAsk));
    }
    // The values, each with the words of its unit: "5 ft 11 in", "5 ft + 11 in", "1 1/2 in".
    Reading base;
    std::vector<detail::Token> run;
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
        term.unitName = detail::WordsBetween(tokens, first, i);
        base.terms.push_back(std::move(term));
        if (tokens[i].text == "+") {
            ++i;
        }
    }
    NameCache cache(index);
    std::optional<Resolution> best;
    std::optional<Reading> bestReading;
    std::vector<std::pair<Reading, Resolution>> answered;
    for (detail::RunSplit& split : detail::RunSplits(run)) {
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
        return Refused(QuestionVerdict::AmbiguousUnit, Quoted(detail::WordsBetween(run, 0, run.size())) +
                                                           " reads in more than one way: give the units apart, as in "
                                                           "\"3 ft in cm\"");
    }
    // No reading names units on both sides: a value with one unit and nothing to answer in is no
    // complete question; else the reading that named the most units says what is wrong.
    std::size_t named = run.size();
    while (named > 0 && (detail::IsConnector(run[named - 1].text) || detail::IsJoin(run[named - 1].text))) {
        --named;
    }
    const bool oneUnit = named > 0 && !cache.Named(detail::WordsBetween(run, 0, named)).units.empty();
    if (run.empty() || oneUnit || !best) {
        if (!run.empty() && !oneUnit && named > 0) {
            const std::string name = detail::WordsBetween(run, 0, named);
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
