#include "cli/cli_convert.h"

#include "catalogue/all_units.h"
#include "catalogue/convert_command.h"
#include "catalogue/convert_value.h"
#include "catalogue/question.h"
#include "catalogue/unit_messages.h"
#include "cli/cli_convert_internal.h"
#include "cli/cli_messages.h"
#include "numbers/format_result.h"
#include "numbers/given_value.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"

#include <string>
#include <vector>

namespace halden::cli {
namespace {

// The options a fresh start uses: 6 significant digits; no warp level chosen.
constexpr int kDefaultFigure = 6;
constexpr int kNoWarp = 0;
// Where a name that names nothing, and is near no name, sends the user.
constexpr std::string_view kEveryUnitHint = "halducnv --list shows every unit";

const std::string& UnitText(const RunUnits& run, int g, int i) {
    return run.catalogue.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
}

}  // namespace

namespace detail {

// The units FROM and INTO stand for, in the first group that holds both (the given group only
// when there is one); an empty error means found.
std::optional<UnitPair> ResolvePair(const RunUnits& run, std::optional<std::string_view> group,
                                    std::string_view fromName, std::string_view intoName, std::string& error) {
    if (group && run.index.GroupNamed(*group) < 0) {
        error = "no group is named " + Quoted(*group) + " (halducnv --list shows every group)";
        return std::nullopt;
    }
    const auto inGroup = [&](std::string_view name) {
        return group ? std::string(*group) + ":" + std::string(name) : std::string(name);
    };
    const NamedPair pair = run.index.ResolvePair(inGroup(fromName), inGroup(intoName));
    for (const auto& [name, named] :
         {std::pair{inGroup(fromName), &pair.from}, std::pair{inGroup(intoName), &pair.into}}) {
        if (named->units.empty() || named->ambiguous) {
            error = NameRefusal(run.catalogue, run.index, name, *named, kEveryUnitHint);
            return std::nullopt;
        }
    }
    if (pair.group < 0) {
        error = NoCommonGroupRefusal(run.catalogue, fromName, pair.from, intoName, pair.into);
        return std::nullopt;
    }
    const int g = pair.group;
    for (const auto& [name, units] : {std::pair{fromName, &pair.fromUnits}, std::pair{intoName, &pair.intoUnits}}) {
        if (units->size() > 1) {
            error = SeveralUnitsRefusal(run.catalogue, name, g, *units);
            return std::nullopt;
        }
    }
    return UnitPair{g, pair.fromUnits[0], pair.intoUnits[0], pair.from.scale, pair.into.scale};
}

// The result box's text for value in the pair's units, or nothing for "Input error". A value is
// read whole: what the result box lets pass while a number is still being typed ("-", "2e",
// "one") or reads only in part ("1,5") is no value here, nor is one too small for a double
// ("1e-400"); fractions and mixed numbers ("1/2", "1 1/2") are. The number bases keep their own
// digit rules. A unit into itself gives the value, as the result box never does (its blank entry).
std::optional<std::string> ConvertOne(const RunUnits& run, const UnitPair& pair, std::string_view value,
                                      ResultForm form, MessageSink& sink) {
    ConvertInput input;
    input.group = pair.group;
    input.from = pair.from;
    input.into = pair.into;
    input.pnFigure = form.figure;
    input.pnFormFlag = form.formFlag;
    std::string text;
    if (pair.group == kGroupRadix) {
        const std::string digits = AsciiTypedText(value);
        input.text = digits;
        // The number bases write nothing for a base into itself; the table of every unit goes
        // through another base and back.
        text = pair.from == pair.into
                   ? AllUnitsResult(run.catalogue, kNoWarp,
                                    {pair.group, pair.from, input.text, form.figure, form.formFlag}, pair.into)
                   : ConvertCommand(run.catalogue, kNoWarp, input, sink);
        return text == kInputError ? std::nullopt : std::optional<std::string>(text);
    }
    const std::optional<double> given = GivenValue(value);
    if (!given) {
        return std::nullopt;
    }
    const std::optional<std::string> operand = FinishedOperand(value);
    if (operand && pair.fromScale == UnitScale{} && pair.intoScale == UnitScale{}) {
        // A number between list units: what the result box shows for it.
        input.text = *operand;
        text = ConvertCommand(run.catalogue, kNoWarp, input, sink);
        return text == kInputError ? std::nullopt : std::optional<std::string>(text);
    }
    // A prefixed unit, or a fraction: the value through the sizes of the units, written as the
    // result box writes a result.
    const std::optional<double> converted =
        ConvertScaled(run.catalogue, pair.group, pair.from, pair.fromScale.up, pair.fromScale.down, pair.into,
                      pair.intoScale.up, pair.intoScale.down, *given);
    return converted ? FormatResult(*converted, false, form.figure, form.formFlag) : std::nullopt;
}

Asked Ask(const RunUnits& run, std::string_view question, ResultForm form) {
    const QuestionAnswer answer =
        Answer(question, run.catalogue, run.index, QuestionOptions{form.figure, form.formFlag, kEveryUnitHint});
    Asked asked{answer.verdict, std::nullopt, 0, {}};
    if (answer.verdict == QuestionVerdict::Answered) {
        asked.text = answer.answer;
    } else if (answer.verdict == QuestionVerdict::InputError) {
        asked.status = kExitInputError;
        asked.error = std::string(kInputError);
    } else {
        asked.status = kExitUsage;
        asked.error = answer.reason;
    }
    return asked;
}

}  // namespace detail

namespace {

// The one unit FROM stands for, in the first group that holds it (the given group only when there
// is one); an empty error means found.
std::optional<detail::UnitPair> ResolveFrom(const RunUnits& run, std::optional<std::string_view> group,
                                            std::string_view fromName, std::string& error) {
    if (group && run.index.GroupNamed(*group) < 0) {
        error = "no group is named " + Quoted(*group) + " (halducnv --list shows every group)";
        return std::nullopt;
    }
    const std::string name = group ? std::string(*group) + ":" + std::string(fromName) : std::string(fromName);
    const NamedUnits named = run.index.Resolve(name);
    if (named.units.empty() || named.ambiguous) {
        error = NameRefusal(run.catalogue, run.index, name, named, kEveryUnitHint);
        return std::nullopt;
    }
    const int g = named.units.front().group;
    std::vector<int> units;
    for (const FoundUnit& unit : named.units) {
        if (unit.group == g) {
            units.push_back(unit.unit);
        }
    }
    if (units.size() > 1) {
        error = SeveralUnitsRefusal(run.catalogue, fromName, g, units);
        return std::nullopt;
    }
    return detail::UnitPair{g, units.front(), units.front(), named.scale, named.scale};
}

std::optional<detail::ResultForm> FormOf(const Options& options, CommandLineResult& result) {
    detail::ResultForm form{kDefaultFigure, options.scientific ? 1 : 0};
    if (options.figures) {
        const std::optional<int> chosen = FigureOf(*options.figures);
        if (!chosen) {
            Failure(result, kExitUsage, "--figures takes 4, 6, 8 or integer, not " + Quoted(*options.figures));
            return std::nullopt;
        }
        form.figure = *chosen;
    }
    return form;
}

// "result<TAB>unit name" for every unit of the group, the texts the All Units window shows; a unit
// the value cannot be given in shows "Input error" as the window does.
void PrintEveryUnit(const RunUnits& run, const detail::UnitPair& pair, std::string_view value, detail::ResultForm form,
                    std::string& out) {
    NullSink quiet;
    const int count = TargetCount(run.catalogue, pair.group);
    for (int into = 0; into < count; ++into) {
        const std::optional<std::string> text = detail::ConvertOne(
            run, detail::UnitPair{pair.group, pair.from, into, pair.fromScale, {}}, value, form, quiet);
        out += (text ? *text : std::string(kInputError)) + "\t" + UnitText(run, pair.group, into) + "\n";
    }
}

}  // namespace

void Failure(CommandLineResult& result, int status, std::string_view message) {
    result.status = status;
    result.err += std::string(kProgram) + ": " + std::string(message) + "\n";
}

void RunConvert(const Options& options, const RunUnits& run, const BatchStreams* streams, CommandLineResult& result) {
    const bool batch = options.command == Options::Command::Batch;
    const bool everyUnit = !batch && options.operands.size() == 2 && options.operands[0] != "-";
    if (!batch && !everyUnit && options.operands.size() != 3) {
        Failure(result, kExitUsage, "--convert needs VALUE FROM [INTO] (quote a unit name that holds blanks)");
        return;
    }
    if (batch && !options.operands.empty()) {
        Failure(result, kExitUsage, "--batch reads VALUE FROM INTO from standard input and takes no operand");
        return;
    }
    const std::optional<detail::ResultForm> form = FormOf(options, result);
    if (!form) {
        return;
    }
    std::optional<detail::UnitPair> pair;
    if (!batch) {
        std::string error;
        pair = everyUnit ? ResolveFrom(run, options.group, options.operands[1], error)
                         : detail::ResolvePair(run, options.group, options.operands[1], options.operands[2], error);
        if (!pair) {
            Failure(result, kExitUsage, error);
            return;
        }
    }
    if (pair && pair->group == kGroupRadix && (options.figures || options.scientific)) {
        result.err += std::string(kProgram) + ": warning: --figures and --scientific do not apply to number bases\n";
    }
    if (batch || options.operands[0] == "-") {
        if (streams != nullptr) {
            detail::RunBatch(options, run, pair, *form, *streams, result);
        }
        return;
    }
    WarningSink sink(result.err);
    // The value in its own unit first: a value its unit cannot take is an input error.
    const std::optional<std::string> text = detail::ConvertOne(run, *pair, options.operands[0], *form, sink);
    if (text && everyUnit) {
        PrintEveryUnit(run, *pair, options.operands[0], *form, result.out);
        return;
    }
    if (!text) {
        result.status = kExitInputError;
        result.err += std::string(kProgram) + ": " + std::string(kInputError) + "\n";
        return;
    }
    result.out += *text + "\n";
}

void RunQuestion(const Options& options, const RunUnits& run, CommandLineResult& result) {
    const std::optional<detail::ResultForm> form = FormOf(options, result);
    if (!form) {
        return;
    }
    std::string question;
    for (const std::string_view word : options.operands) {
        AppendListed(question, " ", std::string(word));
    }
    const detail::Asked asked = detail::Ask(run, question, *form);
    if (!asked.text) {
        Failure(result, asked.status, asked.error);
        return;
    }
    result.out += *asked.text + "\n";
}

void RunOnUnits(const Options& options, const RunUnits& units, const BatchStreams* streams, CommandLineResult& result) {
    if (options.command == Options::Command::List) {
        RunList(options, units, result);
    } else if (options.command == Options::Command::Question) {
        RunQuestion(options, units, result);
    } else {
        RunConvert(options, units, streams, result);
    }
}

}  // namespace halden::cli
