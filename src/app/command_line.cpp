#include "app/command_line.h"

#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"
#include "numbers/characters.h"
#include "numbers/format_result.h"
#include "numbers/message_sink.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"
#include "shared/settings.h"
#include "storage/file_access.h"
#include "storage/my_path.h"
#include "storage/user_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace halden {
namespace {

constexpr std::string_view kProgram = "halducnv";
constexpr std::string_view kVersionText = "Halden Unit Converter 3.11\n";
// Without a screen the pixel of "Graphics Units" is that of a 96 dpi display.
constexpr std::int16_t kTwipsPerPixel = 15;
constexpr std::size_t kSuggestions = 5;
constexpr int kFigureInteger = 7;

constexpr std::string_view kHelpText =
    R"HELP(Usage: halducnv --convert VALUE FROM INTO [--group GROUP] [--figures 4|6|8|integer]
                        [--scientific]
       halducnv --convert - FROM INTO [options]   (a value a line from standard input)
       halducnv --batch [options]                 (VALUE FROM INTO a line)
       halducnv --list [GROUP]
       halducnv -h | --help
       halducnv -V | --version
       halducnv                  (no option: opens the converter window)

--convert VALUE FROM INTO
    Converts VALUE from the unit FROM into the unit INTO and prints the result
    exactly as the converter window's result box shows it: 6 significant
    digits in normal notation unless the options below say otherwise. The
    options saved by the window are not used. A unit into itself gives the
    value.
      halducnv --convert 3 mile m                               prints 4828.03
      halducnv --convert 100 "deg Celsius" "deg Fahrenheit"     prints 212.000
      halducnv --convert FF Hexadecimal Decimal                 prints 255
--convert - FROM INTO
    Reads one value a line from standard input and writes one result a line.
    A value that cannot be converted gives an empty line and "Input error"
    with its line number on standard error; the run goes on.
--batch
    Reads lines VALUE FROM INTO from standard input (names quoted as a shell
    would, or the three separated by tabs) and writes one result a line.
--unbuffered
    With --convert - or --batch: writes each result at once (for a program
    that talks to halducnv through a pipe); otherwise output goes in blocks.
--group GROUP
    Takes both units from that group ("Graphics Units", "Length").
--figures 4|6|8|integer
    Rounds to 4, 6 or 8 significant digits, or to a whole number.
--scientific
    Writes the result in scientific notation.
--list [GROUP]
    Lists every group with its units, or the units of one group
    (for example: halducnv --list Length).
-h, --help
    Shows this text.
-V, --version
    Shows the program's name and version.

Naming a unit: use its name as the unit lists show it ("meter (m)"), the name
before its brackets ("meter", "deg Celsius", "尺"), what its parentheses hold
("m", "kt"), what its square brackets hold ("shaku"), one of the names an
entry lists ("feet", "deci"), or a common name or spelling ("C", "degF",
"metre", "litre", "inches", "lbs", "m2", "sqft", "mph", "kph", "tsubo",
"US gal", "UK pint"). Full-width letters, "°C", "℃", "µm" and "m²" are read as
the lists write them. Letter case counts: "m" is the meter (or milli), "M" is
mega. A name of three or more letters in another case is used only when it
fits exactly one unit. Quote names that hold blanks. The two units are looked
up in the first group, in the window's group order, that holds both; your own
groups from Add Units take part. "GROUP:NAME" names a unit of one group
("Graphics Units:inch"). A name that fits several units of that group is
refused with the list of those units: choose one of them by its whole name.

VALUE is a whole number as the window's calculator reads it: digits with at
most one "." and an optional exponent ("1.5e-3"); no comma, nothing after it.

Exit status: 0 done; 1 a value cannot be converted ("Input error" on
standard error); 2 an unknown unit, a name that fits several units, two units
in no common group, or a bad option (a one-line message on standard error);
3 the output could not be written.

Files: your own units are read from HUC_USER.DAT in the program's folder
when it holds the program's files, otherwise from $XDG_CONFIG_HOME/halducnv/
(~/.config/halducnv/). Nothing is ever written.
)HELP";

/// A sink that turns each message into one warning line.
class WarningSink final : public MessageSink {
public:
    explicit WarningSink(std::string& err) : err_(err) {}
    void Show(const Message& message) override {
        std::string line = message.text;
        std::replace(line.begin(), line.end(), '\r', ' ');
        std::replace(line.begin(), line.end(), '\n', ' ');
        err_ += std::string(kProgram) + ": warning: " + line + "\n";
    }

private:
    std::string& err_;
};

struct Options {
    enum class Command { None, Convert, Batch, List, Help, Version };
    Command command = Command::None;
    int commands = 0;
    std::vector<std::string_view> operands;
    std::optional<std::string_view> figures;
    std::optional<std::string_view> group;
    bool scientific = false;
    bool unbuffered = false;
};

// Options the toolkit reads for a window program, and whether each takes the next argument as
// its value; they open the window as before.
constexpr std::array<std::pair<std::string_view, bool>, 27> kToolkitOptions{{
    {"-platform", true},      {"-platformpluginpath", true},
    {"-platformtheme", true}, {"-plugin", true},
    {"-style", true},         {"-stylesheet", true},
    {"-session", true},       {"-display", true},
    {"-geometry", true},      {"-title", true},
    {"-name", true},          {"-qwindowgeometry", true},
    {"-qwindowtitle", true},  {"-qwindowicon", true},
    {"-font", true},          {"-fn", true},
    {"-background", true},    {"-bg", true},
    {"-foreground", true},    {"-fg", true},
    {"-button", true},        {"-btn", true},
    {"-reverse", false},      {"-widgetcount", false},
    {"-nograb", false},       {"-dograb", false},
    {"-sync", false},
}};

// Adds item to a list text, after separator unless the list is empty.
void AppendListed(std::string& list, std::string_view separator, const std::string& item) {
    if (!list.empty()) {
        list += separator;
    }
    list += item;
}

// A typed text in double quotes; control characters are written as \xHH so that a message stays
// on one line.
std::string Quoted(std::string_view text) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0x0F];
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

void Failure(CommandLineResult& result, int status, std::string_view message) {
    result.status = status;
    result.err += std::string(kProgram) + ": " + std::string(message) + "\n";
}

// Splits "--name=value" into name and value.
std::pair<std::string_view, std::optional<std::string_view>> SplitOption(std::string_view arg) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string_view::npos) {
        return {arg, std::nullopt};
    }
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

Options::Command CommandOf(std::string_view name) {
    if (name == "--batch") {
        return Options::Command::Batch;
    }
    if (name == "--convert") {
        return Options::Command::Convert;
    }
    if (name == "--list") {
        return Options::Command::List;
    }
    if (name == "--help" || name == "-h") {
        return Options::Command::Help;
    }
    if (name == "--version" || name == "-V") {
        return Options::Command::Version;
    }
    return Options::Command::None;
}

// The value of an option given as "--name=value" or as the next argument.
std::optional<std::string_view> OptionValue(std::span<const std::string_view> args, std::size_t& i,
                                            std::optional<std::string_view> glued) {
    if (glued) {
        return glued;
    }
    if (i + 1 < args.size()) {
        return args[++i];
    }
    return std::nullopt;
}

// Reads the arguments; an empty error means they are well formed.
std::string ParseArguments(std::span<const std::string_view> args, Options& options) {
    bool operandsOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!operandsOnly && arg == "--") {
            operandsOnly = true;
            continue;
        }
        // "-" (standard input) and negative numbers such as -40 or -.5 are operands; "-x" is an option.
        const bool letterAfterDash =
            arg.size() > 1 && arg[0] == '-' && arg[1] != '-' && arg[1] != '.' && !IsDigit(arg[1]);
        if (operandsOnly || (arg.substr(0, 2) != "--" && !letterAfterDash)) {
            options.operands.push_back(arg);
            continue;
        }
        const auto [name, value] = SplitOption(arg);
        if (const Options::Command command = CommandOf(name); command != Options::Command::None) {
            if (value) {
                return "option " + std::string(name) + " takes no value";
            }
            options.command = command;
            ++options.commands;
        } else if (name == "--figures" || name == "--group") {
            const std::optional<std::string_view> given = OptionValue(args, i, value);
            if (!given) {
                return name == "--figures" ? "option --figures needs 4, 6, 8 or integer"
                                           : "option --group needs a group name";
            }
            (name == "--figures" ? options.figures : options.group) = given;
        } else if (name == "--scientific" || name == "--unbuffered") {
            if (value) {
                return "option " + std::string(name) + " takes no value";
            }
            (name == "--scientific" ? options.scientific : options.unbuffered) = true;
        } else {
            return "unknown option " + Quoted(arg) + " (halducnv --help shows the options)";
        }
    }
    if (options.commands != 1) {
        return "give one of --convert, --batch, --list, --help or --version (halducnv --help shows how)";
    }
    const bool converting = options.command == Options::Command::Convert || options.command == Options::Command::Batch;
    if (!converting && (options.figures || options.scientific || options.group || options.unbuffered)) {
        return "--group, --figures, --scientific and --unbuffered go with --convert or --batch only";
    }
    return {};
}

std::optional<int> FigureOf(std::string_view text) {
    if (text == "4" || text == "6" || text == "8") {
        return text[0] - '0';
    }
    if (FoldName(text) == "integer") {
        return kFigureInteger;
    }
    return std::nullopt;
}

const std::string& GroupName(int g) { return catalogue().GroupName[static_cast<std::size_t>(g)]; }
const std::string& UnitText(int g, int i) {
    return catalogue().UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
}

// The group names without the dots some end with ("Work Rate, Power....").
std::string_view BareGroupName(std::string_view name) {
    const std::size_t last = name.find_last_not_of(". ");
    return last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
}

void ListGroup(const UnitNameIndex& index, int g, std::string_view indent, std::string& out) {
    for (const IndexedUnit& unit : index.units()) {
        if (unit.group == g && !unit.searchOnly) {
            out += std::string(indent) + unit.listText + "\n";
        }
    }
}

void RunList(const Options& options, const UnitNameIndex& index, CommandLineResult& result) {
    std::vector<int> groups;
    for (int g = 0; g < kGroupCount; ++g) {
        if (GroupTakesPart(catalogue(), g)) {
            groups.push_back(g);
        }
    }
    if (options.operands.empty()) {
        for (const int g : groups) {
            result.out += GroupName(g) + "\n";
            ListGroup(index, g, "  ", result.out);
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
        for (const NameForm& form : UnitNameForms(BareGroupName(GroupName(g)))) {
            if (form.text == wanted || wanted == GroupName(g)) {
                exact.push_back(g);
                break;
            }
            if (FoldName(form.text) == folded) {
                anyCase.push_back(g);
                break;
            }
        }
    }
    const std::vector<int>& found = exact.empty() ? anyCase : exact;
    if (found.empty()) {
        Failure(result, kExitUsage, "no group is named " + Quoted(wanted) + " (halducnv --list shows every group)");
        return;
    }
    if (found.size() > 1) {
        std::string names;
        for (const int g : found) {
            AppendListed(names, ", ", Quoted(GroupName(g)));
        }
        Failure(result, kExitUsage, Quoted(wanted) + " fits several groups: " + names);
        return;
    }
    ListGroup(index, found[0], "", result.out);
}

std::string UnitList(int g, const std::vector<int>& units) {
    std::string names;
    for (const int i : units) {
        AppendListed(names, ", ", Quoted(UnitText(g, i)));
    }
    return names;
}

std::string GroupList(const std::vector<int>& groups) {
    std::string names;
    for (const int g : groups) {
        AppendListed(names, "; ", GroupName(g));
    }
    return names;
}

// Units as "unit" (group), for a message.
std::string UnitsWithGroups(const std::vector<FoundUnit>& units) {
    std::string names;
    for (const FoundUnit& unit : units) {
        AppendListed(names, ", ", Quoted(UnitText(unit.group, unit.unit)) + " (" + GroupName(unit.group) + ")");
    }
    return names;
}

// The groups that hold a unit of named, ascending, each once.
std::vector<int> GroupsOf(const NamedUnits& named) {
    std::vector<int> groups;
    for (const FoundUnit& unit : named.units) {
        if (groups.empty() || groups.back() != unit.group) {
            groups.push_back(unit.group);
        }
    }
    return groups;
}

std::vector<int> UnitsIn(const NamedUnits& named, int g) {
    std::vector<int> units;
    for (const FoundUnit& unit : named.units) {
        if (unit.group == g) {
            units.push_back(unit.unit);
        }
    }
    return units;
}

// What name stands for, or a failure: a name no unit has (with the units near it), or one that
// fits several units only when case is ignored.
std::optional<NamedUnits> ResolveUnit(const UnitNameIndex& index, std::string_view name, std::string& error) {
    NamedUnits named = index.Resolve(name);
    if (named.units.empty()) {
        error = "no unit is named " + Quoted(name);
        const std::vector<FoundUnit> near = index.Suggest(name, kSuggestions);
        error += near.empty() ? " (halducnv --list shows every unit)" : "; did you mean " + UnitsWithGroups(near) + "?";
        return std::nullopt;
    }
    if (named.ambiguous) {
        error = Quoted(name) + " fits several units: " + UnitsWithGroups(named.units) +
                " (give the name in its own letter case, or \"GROUP:NAME\")";
        return std::nullopt;
    }
    return named;
}

// Two units of one group to convert between.
struct UnitPair {
    int group = 0;
    int from = 0;
    int into = 0;
};

// The units FROM and INTO stand for, in the first group that holds both (the given group only
// when there is one); an empty error means found.
std::optional<UnitPair> ResolvePair(const UnitNameIndex& index, std::optional<std::string_view> group,
                                    std::string_view fromName, std::string_view intoName, std::string& error) {
    if (group && index.GroupNamed(*group) < 0) {
        error = "no group is named " + Quoted(*group) + " (halducnv --list shows every group)";
        return std::nullopt;
    }
    const auto inGroup = [&](std::string_view name) {
        return group ? std::string(*group) + ":" + std::string(name) : std::string(name);
    };
    const std::optional<NamedUnits> from = ResolveUnit(index, inGroup(fromName), error);
    if (!from) {
        return std::nullopt;
    }
    const std::optional<NamedUnits> into = ResolveUnit(index, inGroup(intoName), error);
    if (!into) {
        return std::nullopt;
    }
    const std::vector<int> fromGroups = GroupsOf(*from);
    const std::vector<int> intoGroups = GroupsOf(*into);
    const auto common = std::find_first_of(fromGroups.begin(), fromGroups.end(), intoGroups.begin(), intoGroups.end());
    if (common == fromGroups.end()) {
        error = Quoted(fromName) + " (" + GroupList(fromGroups) + ") and " + Quoted(intoName) + " (" +
                GroupList(intoGroups) + ") share no group";
        return std::nullopt;
    }
    const int g = *common;
    const std::vector<int> fromUnits = UnitsIn(*from, g);
    const std::vector<int> intoUnits = UnitsIn(*into, g);
    for (const auto& [name, units] : {std::pair{fromName, fromUnits}, std::pair{intoName, intoUnits}}) {
        if (units.size() > 1) {
            error = Quoted(name) + " fits several units of " + GroupName(g) + ": " + UnitList(g, units);
            return std::nullopt;
        }
    }
    return UnitPair{g, fromUnits[0], intoUnits[0]};
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
std::optional<std::string> ConvertOne(const UnitPair& pair, std::string_view value, ResultForm form,
                                      MessageSink& sink) {
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
    if (pair.group == kGroupRadix && pair.from == pair.into) {
        // The number bases write nothing for a base into itself: go through another base and back.
        constexpr int kDecimal = 0;
        constexpr int kHexadecimal = 3;
        input.into = pair.from == kDecimal ? kHexadecimal : kDecimal;
        const std::string between = ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink);
        if (between == kInputError || between.empty()) {
            return std::nullopt;
        }
        return ConvertOne(UnitPair{pair.group, input.into, pair.into}, between, form, sink);
    }
    std::string text = ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink);
    if (text == kInputError) {
        return std::nullopt;
    }
    return text;
}

std::optional<ResultForm> FormOf(const Options& options, CommandLineResult& result) {
    ResultForm form{settings().pnFigure, options.scientific ? 1 : 0};
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
void RunBatch(const Options& options, const UnitNameIndex& index, const std::optional<UnitPair>& pair, ResultForm form,
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
                linePair = ResolvePair(index, options.group, words[1], words[2], error);
                value = words[0];
            }
        }
        std::optional<std::string> text;
        if (linePair) {
            text = ConvertOne(*linePair, value, form, noMessages);
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

void RunConvert(const Options& options, const UnitNameIndex& index, const BatchStreams* streams,
                CommandLineResult& result) {
    const bool batch = options.command == Options::Command::Batch;
    if (!batch && options.operands.size() != 3) {
        Failure(result, kExitUsage, "--convert needs VALUE FROM INTO (quote a unit name that holds blanks)");
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
        pair = ResolvePair(index, options.group, options.operands[1], options.operands[2], error);
        if (!pair) {
            Failure(result, kExitUsage, error);
            return;
        }
    }
    if (batch || options.operands[0] == "-") {
        if (streams != nullptr) {
            RunBatch(options, index, pair, *form, *streams, result);
        }
        return;
    }
    WarningSink sink(result.err);
    const std::optional<std::string> text = ConvertOne(*pair, options.operands[0], *form, sink);
    if (!text) {
        result.status = kExitInputError;
        result.err += std::string(kInputError) + "\n";
        return;
    }
    result.out += *text + "\n";
}

}  // namespace

bool WantsCommandLine(std::span<const std::string_view> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = args[i].substr(0, args[i].find('='));
        const auto option = std::find_if(kToolkitOptions.begin(), kToolkitOptions.end(),
                                         [&](const auto& known) { return known.first == name; });
        if (option == kToolkitOptions.end()) {
            return true;
        }
        if (option->second && name.size() == args[i].size()) {
            ++i;  // its value
        }
    }
    return false;
}

CommandLineResult RunCommandLine(std::span<const std::string_view> args, const UserFileContents& userFile,
                                 const BatchStreams* streams) {
    CommandLineResult result;
    Options options;
    if (const std::string error = ParseArguments(args, options); !error.empty()) {
        Failure(result, kExitUsage, error);
        return result;
    }
    if (options.command == Options::Command::Help || options.command == Options::Command::Version) {
        const bool help = options.command == Options::Command::Help;
        if (!options.operands.empty()) {
            Failure(result, kExitUsage, std::string(help ? "--help" : "--version") + " takes no operand");
            return result;
        }
        result.out = help ? kHelpText : kVersionText;
        return result;
    }

    ResetProcessState();
    state().Tppx = kTwipsPerPixel;
    state().Tppy = kTwipsPerPixel;
    // No file is the normal state (no warning); a file that is there but cannot be read warns.
    if (userFile.state == UserFileContents::State::Unreadable) {
        WarningSink sink(result.err);
        DatShowReadFailure(sink);
    } else if (userFile.state == UserFileContents::State::Read) {
        WarningSink sink(result.err);
        DatReadBytes(userFile.bytes, userUnits(), sink);
    }
    BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), kTwipsPerPixel);
    const UnitNameIndex index(catalogue());

    if (options.command == Options::Command::List) {
        RunList(options, index, result);
    } else {
        RunConvert(options, index, streams, result);
    }
    return result;
}

UserFileContents ReadUserFile() {
    const std::string path = MyPath() + "HUC_USER.DAT";
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return {};
    }
    UserFileContents contents;
    if (std::optional<std::string> bytes = ReadFileBytes(path, kUserFileMaxBytes)) {
        contents.state = UserFileContents::State::Read;
        contents.bytes = std::move(*bytes);
    } else {
        contents.state = UserFileContents::State::Unreadable;
    }
    return contents;
}

namespace {

std::vector<std::string_view> Arguments(int argc, const char* const* argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return args;
}

}  // namespace

bool WantsCommandLine(int argc, const char* const* argv) { return WantsCommandLine(Arguments(argc, argv)); }

namespace {

// Standard output written in blocks (or at once when asked), remembering the first failure.
class Output {
public:
    bool Write(std::string_view text, bool flush) {
        buffer_ += text;
        if (flush || buffer_.size() >= kBlock) {
            return Flush(flush);
        }
        return failed_ == 0;
    }
    bool Flush(bool toDevice) {
        if (failed_ == 0 && !buffer_.empty() &&
            std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
            failed_ = errno != 0 ? errno : EIO;
        }
        buffer_.clear();
        if (failed_ == 0 && toDevice && std::fflush(stdout) != 0) {
            failed_ = errno != 0 ? errno : EIO;
        }
        return failed_ == 0;
    }
    // Flushes and closes standard output; false, with the reason kept, when any write failed.
    bool Close() {
        Flush(true);
        errno = 0;
        if (std::fclose(stdout) != 0 && failed_ == 0) {
            failed_ = errno != 0 ? errno : EIO;
        }
        return failed_ == 0;
    }
    int failure() const { return failed_; }

private:
    static constexpr std::size_t kBlock = 64 * 1024;
    std::string buffer_;
    int failed_ = 0;
};

}  // namespace

int CommandLineMain(int argc, const char* const* argv) {
    const std::vector<std::string_view> args = Arguments(argc, argv);
    Output output;
    char* lineBuffer = nullptr;
    std::size_t lineCapacity = 0;
    BatchStreams streams;
    streams.readLine = [&](std::string& line) {
        const ssize_t length = ::getline(&lineBuffer, &lineCapacity, stdin);
        if (length < 0) {
            return false;
        }
        line.assign(lineBuffer, static_cast<std::size_t>(length));
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        return true;
    };
    streams.write = [&](std::string_view text, bool flush) { return output.Write(text, flush); };
    streams.writeError = [&](std::string_view text) {
        // Messages keep their place after the answers written before them.
        output.Flush(true);
        std::fwrite(text.data(), 1, text.size(), stderr);
    };
    CommandLineResult result = RunCommandLine(args, ReadUserFile(), &streams);
    std::free(lineBuffer);
    output.Write(result.out, false);
    if (!output.Close()) {
        // Output that could not be written (a full disk, a closed pipe) is no success.
        result.err += std::string(kProgram) + ": cannot write the output: " + std::strerror(output.failure()) + "\n";
        result.status = kExitOutput;
    }
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return result.status;
}

}  // namespace halden
