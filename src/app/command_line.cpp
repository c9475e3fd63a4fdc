#include "app/command_line.h"

#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"
#include "numbers/format_result.h"
#include "numbers/message_sink.h"
#include "numbers/number_checks.h"
#include "numbers/typed_text.h"
#include "shared/settings.h"
#include "storage/file_access.h"
#include "storage/my_path.h"
#include "storage/user_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
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
    R"HELP(Usage: halducnv --convert VALUE FROM INTO [--figures 4|6|8|integer] [--scientific]
       halducnv --list [GROUP]
       halducnv --help
       halducnv --version
       halducnv                  (no option: opens the converter window)

--convert VALUE FROM INTO
    Converts VALUE from the unit FROM into the unit INTO and prints the result
    exactly as the converter window's result box shows it: 6 significant
    digits in normal notation unless the options below say otherwise. The
    options saved by the window are not used.
      halducnv --convert 3 mile m                               prints 4828.03
      halducnv --convert 100 "deg Celsius" "deg Fahrenheit"     prints 212.000
      halducnv --convert FF Hexadecimal Decimal                 prints 255
--figures 4|6|8|integer
    Rounds to 4, 6 or 8 significant digits, or to a whole number.
--scientific
    Writes the result in scientific notation.
--list [GROUP]
    Lists every group with its units, or the units of one group
    (for example: halducnv --list Length).
--help
    Shows this text.
--version
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

Exit status: 0 done; 1 the value cannot be converted ("Input error" on
standard error); 2 an unknown unit, a name that fits several units, two units
in no common group, or a bad option (a one-line message on standard error).

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
    enum class Command { None, Convert, List, Help, Version };
    Command command = Command::None;
    int commands = 0;
    std::vector<std::string_view> operands;
    std::optional<std::string_view> figures;
    bool scientific = false;
};

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
    if (name == "--convert") {
        return Options::Command::Convert;
    }
    if (name == "--list") {
        return Options::Command::List;
    }
    if (name == "--help") {
        return Options::Command::Help;
    }
    if (name == "--version") {
        return Options::Command::Version;
    }
    return Options::Command::None;
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
        if (operandsOnly || arg.substr(0, 2) != "--") {
            // A lone "-" or a negative number such as -40 is an operand.
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
        } else if (name == "--figures") {
            if (value) {
                options.figures = *value;
            } else if (i + 1 < args.size()) {
                options.figures = args[++i];
            } else {
                return "option --figures needs 4, 6, 8 or integer";
            }
        } else if (name == "--scientific") {
            if (value) {
                return "option --scientific takes no value";
            }
            options.scientific = true;
        } else {
            return "unknown option " + Quoted(arg) + " (halducnv --help shows the options)";
        }
    }
    if (options.commands != 1) {
        return "give one of --convert, --list, --help or --version (halducnv --help shows how)";
    }
    const bool converting = options.command == Options::Command::Convert;
    if (!converting && (options.figures || options.scientific)) {
        return "--figures and --scientific go with --convert only";
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
std::optional<NamedUnits> ResolveUnit(const UnitNameIndex& index, std::string_view name, CommandLineResult& result) {
    NamedUnits named = index.Resolve(name);
    if (named.units.empty()) {
        std::string message = "no unit is named " + Quoted(name);
        const std::vector<FoundUnit> near = index.Suggest(name, kSuggestions);
        Failure(result, kExitUsage,
                near.empty() ? message + " (halducnv --list shows every unit)"
                             : message + "; did you mean " + UnitsWithGroups(near) + "?");
        return std::nullopt;
    }
    if (named.ambiguous) {
        Failure(result, kExitUsage,
                Quoted(name) + " fits several units: " + UnitsWithGroups(named.units) +
                    " (give the name in its own letter case, or \"GROUP:NAME\")");
        return std::nullopt;
    }
    return named;
}

void RunConvert(const Options& options, const UnitNameIndex& index, CommandLineResult& result) {
    if (options.operands.size() != 3) {
        Failure(result, kExitUsage, "--convert needs VALUE FROM INTO (quote a unit name that holds blanks)");
        return;
    }
    int figure = settings().pnFigure;
    if (options.figures) {
        const std::optional<int> chosen = FigureOf(*options.figures);
        if (!chosen) {
            Failure(result, kExitUsage, "--figures takes 4, 6, 8 or integer, not " + Quoted(*options.figures));
            return;
        }
        figure = *chosen;
    }
    const std::string_view value = options.operands[0];
    const std::string_view fromName = options.operands[1];
    const std::string_view intoName = options.operands[2];
    const std::optional<NamedUnits> from = ResolveUnit(index, fromName, result);
    if (!from) {
        return;
    }
    const std::optional<NamedUnits> into = ResolveUnit(index, intoName, result);
    if (!into) {
        return;
    }
    const std::vector<int> fromGroups = GroupsOf(*from);
    const std::vector<int> intoGroups = GroupsOf(*into);
    const auto common = std::find_first_of(fromGroups.begin(), fromGroups.end(), intoGroups.begin(), intoGroups.end());
    if (common == fromGroups.end()) {
        Failure(result, kExitUsage,
                Quoted(fromName) + " (" + GroupList(fromGroups) + ") and " + Quoted(intoName) + " (" +
                    GroupList(intoGroups) + ") share no group");
        return;
    }
    const int g = *common;
    const std::vector<int> fromUnits = UnitsIn(*from, g);
    const std::vector<int> intoUnits = UnitsIn(*into, g);
    for (const auto& [name, units] : {std::pair{fromName, fromUnits}, std::pair{intoName, intoUnits}}) {
        if (units.size() > 1) {
            Failure(result, kExitUsage,
                    Quoted(name) + " fits several units of " + GroupName(g) + ": " + UnitList(g, units));
            return;
        }
    }
    if (fromUnits[0] == intoUnits[0]) {
        Failure(
            result, kExitUsage,
            Quoted(fromName) + " and " + Quoted(intoName) + " are the same unit, " + Quoted(UnitText(g, fromUnits[0])));
        return;
    }
    // A value is read whole: what the result box lets pass while a number is still being typed
    // ("-", "2e", "one") or reads only in part ("1,5") is no value here. The number bases keep
    // their own digit rules.
    const std::optional<std::string> operand =
        g == kGroupRadix ? std::optional<std::string>(AsciiTypedText(value)) : FinishedOperand(value);
    if (!operand) {
        result.status = kExitInputError;
        result.err += std::string(kInputError) + "\n";
        return;
    }
    WarningSink sink(result.err);
    ConvertInput input;
    input.group = g;
    input.from = fromUnits[0];
    input.into = intoUnits[0];
    input.text = *operand;
    input.pnFigure = figure;
    input.pnFormFlag = options.scientific ? 1 : 0;
    const std::string text = ConvertCommand(halden::catalogue(), halden::state().WarpIdx, input, sink);
    if (text == kInputError) {
        result.status = kExitInputError;
        result.err += std::string(kInputError) + "\n";
        return;
    }
    result.out += text + "\n";
}

}  // namespace

bool WantsCommandLine(std::span<const std::string_view> args) {
    return std::any_of(args.begin(), args.end(), [](std::string_view arg) {
        return arg.substr(0, 2) == "--" && CommandOf(SplitOption(arg).first) != Options::Command::None;
    });
}

CommandLineResult RunCommandLine(std::span<const std::string_view> args, const UserFileContents& userFile) {
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
        RunConvert(options, index, result);
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

int CommandLineMain(int argc, const char* const* argv) {
    const std::vector<std::string_view> args = Arguments(argc, argv);
    const CommandLineResult result = RunCommandLine(args, ReadUserFile());
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    if (std::fflush(stdout) != 0 && result.status == 0) {
        // Output that could not be written (a full disk, a closed pipe) is no success.
        return kExitUsage;
    }
    return result.status;
}

}  // namespace halden
