#include "cli/cli_convert.h"

#include "catalogue/all_units.h"
#include "catalogue/convert_command.h"
#include "catalogue/menu_texts.h"
#include "cli/cli_messages.h"
#include "numbers/characters.h"
#include "numbers/format_result.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace halden::cli {
namespace {

constexpr std::size_t kSuggestions = 5;
// The options a fresh start uses: 6 significant digits; no warp level chosen.
constexpr int kDefaultFigure = 6;
constexpr int kNoWarp = 0;

const std::string& GroupName(const RunUnits& run, int g) {
    return run.catalogue.GroupName[static_cast<std::size_t>(g)];
}
const std::string& UnitText(const RunUnits& run, int g, int i) {
    return run.catalogue.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
}

// The group names without the dots some end with ("Work Rate, Power....").
std::string_view BareGroupName(std::string_view name) {
    const std::size_t last = name.find_last_not_of(". ");
    return last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
}

void ListGroup(const RunUnits& run, int g, std::string_view indent, std::string& out) {
    for (const IndexedUnit& unit : run.index.units()) {
        if (unit.group == g && !unit.searchOnly) {
            out += std::string(indent) + unit.listText + "\n";
        }
    }
}

std::string UnitList(const RunUnits& run, int g, const std::vector<int>& units) {
    std::string names;
    for (const int i : units) {
        AppendListed(names, ", ", Quoted(UnitText(run, g, i)));
    }
    return names;
}

std::string GroupList(const RunUnits& run, const std::vector<int>& groups) {
    std::string names;
    for (const int g : groups) {
        AppendListed(names, "; ", GroupName(run, g));
    }
    return names;
}

// Units as "unit" (group), for a message.
std::string UnitsWithGroups(const RunUnits& run, const std::vector<FoundUnit>& units) {
    std::string names;
    for (const FoundUnit& unit : units) {
        AppendListed(names, ", ",
                     Quoted(UnitText(run, unit.group, unit.unit)) + " (" + GroupName(run, unit.group) + ")");
    }
    return names;
}

// The message for a name that names nothing (with the units near it) or, only when case is
// ignored, several units.
std::string NameFailure(const RunUnits& run, std::string_view name, const NamedUnits& named) {
    if (named.ambiguous) {
        return Quoted(name) + " fits several units: " + UnitsWithGroups(run, named.units) +
               " (give the name in its own letter case, or \"GROUP:NAME\")";
    }
    const std::vector<FoundUnit> near = run.index.Suggest(name, kSuggestions);
    return "no unit is named " + Quoted(name) +
           (near.empty() ? " (halducnv --list shows every unit)"
                         : "; did you mean " + UnitsWithGroups(run, near) + "?");
}

// Two units of one group to convert between.
struct UnitPair {
    int group = 0;
    int from = 0;
    int into = 0;
};

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
            error = NameFailure(run, name, *named);
            return std::nullopt;
        }
    }
    if (pair.group < 0) {
        error = Quoted(fromName) + " (" + GroupList(run, GroupsOf(pair.from)) + ") and " + Quoted(intoName) + " (" +
                GroupList(run, GroupsOf(pair.into)) + ") share no group";
        return std::nullopt;
    }
    const int g = pair.group;
    for (const auto& [name, units] : {std::pair{fromName, &pair.fromUnits}, std::pair{intoName, &pair.intoUnits}}) {
        if (units->size() > 1) {
            error = Quoted(name) + " fits several units of " + GroupName(run, g) + ": " + UnitList(run, g, *units);
            return std::nullopt;
        }
    }
    return UnitPair{g, pair.fromUnits[0], pair.intoUnits[0]};
}

// The one unit FROM stands for, in the first group that holds it (the given group only when there
// is one); an empty error means found.
std::optional<UnitPair> ResolveFrom(const RunUnits& run, std::optional<std::string_view> group,
                                    std::string_view fromName, std::string& error) {
    if (group && run.index.GroupNamed(*group) < 0) {
        error = "no group is named " + Quoted(*group) + " (halducnv --list shows every group)";
        return std::nullopt;
    }
    const std::string name = group ? std::string(*group) + ":" + std::string(fromName) : std::string(fromName);
    const NamedUnits named = run.index.Resolve(name);
    if (named.units.empty() || named.ambiguous) {
        error = NameFailure(run, name, named);
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
        error = Quoted(fromName) + " fits several units of " + GroupName(run, g) + ": " + UnitList(run, g, units);
        return std::nullopt;
    }
    return UnitPair{g, units.front(), units.front()};
}

// How the results are written.
struct ResultForm {
    int figure = 6;
    int formFlag = 0;
};

// The result box's text for value in the pair's units, or nothing for "Input error". A value is
// read whole: what the result box lets pass while a number is still being typed ("-", "2e",
// "one") or reads only in part ("1,5") is no value here. The number bases keep their own digit
// rules. A unit into itself gives the value, as the result box never does (its blank entry).
std::optional<std::string> ConvertOne(const RunUnits& run, const UnitPair& pair, std::string_view value,
                                      ResultForm form, MessageSink& sink) {
    const std::optional<std::string> operand =
        pair.group == kGroupRadix ? std::optional<std::string>(AsciiTypedText(value)) : FinishedOperand(value);
    if (!operand) {
        return std::nullopt;
    }
    ConvertInput input;
    input.group = pair.group;
    input.from = pair.from;
    input.into = pair.into;
    input.text = *operand;
    input.pnFigure = form.figure;
    input.pnFormFlag = form.formFlag;
    std::string text;
    if (pair.group == kGroupRadix && pair.from == pair.into) {
        // The number bases write nothing for a base into itself; the table of every unit goes
        // through another base and back.
        text = AllUnitsResult(run.catalogue, kNoWarp, {pair.group, pair.from, input.text, form.figure, form.formFlag},
                              pair.into);
    } else {
        text = ConvertCommand(run.catalogue, kNoWarp, input, sink);
    }
    if (text == kInputError) {
        return std::nullopt;
    }
    return text;
}

std::optional<ResultForm> FormOf(const Options& options, CommandLineResult& result) {
    ResultForm form{kDefaultFigure, options.scientific ? 1 : 0};
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

// The words of one --batch line: separated by tabs when it holds one (names may hold blanks
// then), else by blanks, with quotes and backslashes as a shell reads them.
std::vector<std::string> BatchWords(std::string_view line) {
    std::vector<std::string> words;
    if (line.find('\t') != std::string_view::npos) {
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); start <= line.size(); tab = line.find('\t', start)) {
            const std::string_view word = TrimBlanks(line.substr(start, tab - start), kSpaces);
            if (!word.empty()) {
                words.emplace_back(word);
            }
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        return words;
    }
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else if (c == '\\' && quote == '"' && i + 1 < line.size()) {
                word += line[++i];
            } else {
                word += c;
            }
        } else if (c == ' ' || c == '\r') {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            inWord = true;
            if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '\\' && i + 1 < line.size()) {
                word += line[++i];
            } else {
                word += c;
            }
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

// Converts a value a line: with a pair (--convert - FROM INTO) each line is a value, without
// one (--batch) each line is VALUE FROM INTO. A line that fails gives an empty line and its
// message with the line number; the run goes on and ends with the worst status.
void RunBatch(const Options& options, const RunUnits& run, const std::optional<UnitPair>& pair, ResultForm form,
              const BatchStreams& streams, CommandLineResult& result) {
    // Warnings of the start (a damaged user units file) come before the answers.
    if (!result.err.empty()) {
        streams.writeError(result.err);
        result.err.clear();
    }
    std::string line;
    std::string answer;
    NullSink noMessages;
    for (long number = 1; streams.readLine(line); ++number) {
        std::optional<UnitPair> linePair = pair;
        std::string_view value = line;
        std::string error;
        std::vector<std::string> words;
        if (!pair) {
            words = BatchWords(line);
            if (words.size() != 3) {
                error = "give VALUE FROM INTO (quote a unit name that holds blanks, or separate by tabs)";
            } else {
                linePair = ResolvePair(run, options.group, words[1], words[2], error);
                value = words[0];
            }
        }
        std::optional<std::string> text;
        if (linePair) {
            text = ConvertOne(run, *linePair, value, form, noMessages);
            if (!text) {
                error = std::string(kInputError);
            }
        }
        answer.assign(text ? *text : std::string());
        answer += '\n';
        if (!streams.write(answer, options.unbuffered)) {
            result.status = kExitOutput;
            return;
        }
        if (!text) {
            result.status = std::max(result.status, linePair ? kExitInputError : kExitUsage);
            streams.writeError(std::string(kProgram) + ": line " + std::to_string(number) + ": " + error + "\n");
        }
    }
}

// "result<TAB>unit name" for every unit of the group, the texts the All Units window shows; a unit
// the value cannot be given in shows "Input error" as the window does.
void PrintEveryUnit(const RunUnits& run, const UnitPair& pair, std::string_view value, ResultForm form,
                    std::string& out) {
    NullSink quiet;
    const int count = TargetCount(run.catalogue, pair.group);
    for (int into = 0; into < count; ++into) {
        const std::optional<std::string> text =
            ConvertOne(run, UnitPair{pair.group, pair.from, into}, value, form, quiet);
        out += (text ? *text : std::string(kInputError)) + "\t" + UnitText(run, pair.group, into) + "\n";
    }
}

}  // namespace

void Failure(CommandLineResult& result, int status, std::string_view message) {
    result.status = status;
    result.err += std::string(kProgram) + ": " + std::string(message) + "\n";
}

void RunList(const Options& options, const RunUnits& run, CommandLineResult& result) {
    std::vector<int> groups;
    for (int g = 0; g < kGroupCount; ++g) {
        if (GroupTakesPart(run.catalogue, g)) {
            groups.push_back(g);
        }
    }
    if (options.operands.empty()) {
        for (const int g : groups) {
            result.out += GroupName(run, g) + "\n";
            ListGroup(run, g, "  ", result.out);
        }
        return;
    }
    if (options.operands.size() > 1) {
        Failure(result, kExitUsage, "--list takes one group name (quote a name that holds blanks)");
        return;
    }
    // A group is named as a unit is: its whole name or one of the names it lists.
    const std::string_view wanted = options.operands[0];
    const std::string folded = FoldName(wanted);
    std::vector<int> exact;
    std::vector<int> anyCase;
    for (const int g : groups) {
        for (const NameForm& form : UnitNameForms(BareGroupName(GroupName(run, g)))) {
            if (form.text == wanted || wanted == GroupName(run, g)) {
                exact.push_back(g);
                break;
            }
            if (FoldName(form.text) == folded) {
                anyCase.push_back(g);
                break;
            }
        }
    }
    // Failing a name, the menu's name for the group ("Graphics Units") or a part of a group's name
    // ("Prefixes", "temp"), case ignored.
    std::vector<int> found = exact.empty() ? anyCase : exact;
    if (const int named = run.index.GroupNamed(wanted); found.empty() && named >= 0) {
        found.push_back(named);
    }
    const auto holds = [&](int g) {
        return FoldName(GroupMenuName(g)).find(folded) != std::string::npos ||
               FoldName(GroupName(run, g)).find(folded) != std::string::npos;
    };
    if (found.empty() && !folded.empty()) {
        std::copy_if(groups.begin(), groups.end(), std::back_inserter(found), holds);
    }
    if (found.empty()) {
        Failure(result, kExitUsage, "no group is named " + Quoted(wanted) + " (halducnv --list shows every group)");
        return;
    }
    if (found.size() > 1) {
        std::string names;
        for (const int g : found) {
            AppendListed(names, ", ", Quoted(GroupName(run, g)));
        }
        Failure(result, kExitUsage, Quoted(wanted) + " fits several groups: " + names);
        return;
    }
    ListGroup(run, found[0], "", result.out);
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
    const std::optional<ResultForm> form = FormOf(options, result);
    if (!form) {
        return;
    }
    std::optional<UnitPair> pair;
    if (!batch) {
        std::string error;
        pair = everyUnit ? ResolveFrom(run, options.group, options.operands[1], error)
                         : ResolvePair(run, options.group, options.operands[1], options.operands[2], error);
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
            RunBatch(options, run, pair, *form, *streams, result);
        }
        return;
    }
    WarningSink sink(result.err);
    // The value in its own unit first: a value its unit cannot take is an input error.
    const std::optional<std::string> text = ConvertOne(run, *pair, options.operands[0], *form, sink);
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

}  // namespace halden::cli
