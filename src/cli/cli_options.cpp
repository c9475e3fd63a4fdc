#include "cli/cli_options.h"

#include "catalogue/unit_messages.h"
#include "catalogue/unit_names.h"
#include "numbers/characters.h"

#include <algorithm>
#include <array>

namespace halden::cli {
namespace {

constexpr int kFigureInteger = 7;

// Options that open the window, and whether each takes the next argument as its value: those the
// toolkit reads for a window program, and the question the desktop's search hands the window to
// show in the lists or in the unit finder.
constexpr std::array<std::pair<std::string_view, bool>, 29> kToolkitOptions{{
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
    {"-reverse", false},      {"--show-question", true},
    {"-widgetcount", false},  {"--find-question", true},
    {"-nograb", false},       {"-dograb", false},
    {"-sync", false},
}};

// Splits "--name=value" into name and value.
std::pair<std::string_view, std::optional<std::string_view>> SplitOption(std::string_view arg) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string_view::npos) {
        return {arg, std::nullopt};
    }
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

// Each command and the options that ask for it.
constexpr std::array<std::pair<std::string_view, Options::Command>, 10> kCommands{{
    {"--convert", Options::Command::Convert},
    {"--batch", Options::Command::Batch},
    {"--list", Options::Command::List},
    {"--help", Options::Command::Help},
    {"-h", Options::Command::Help},
    {"--version", Options::Command::Version},
    {"-V", Options::Command::Version},
    {"--complete", Options::Command::Complete},
    {"--complete-names", Options::Command::CompleteNames},
    {"--complete-groups", Options::Command::CompleteGroups},
}};

Options::Command CommandOf(std::string_view name) {
    const auto command =
        std::find_if(kCommands.begin(), kCommands.end(), [&](const auto& known) { return known.first == name; });
    return command != kCommands.end() ? command->second : Options::Command::None;
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

}  // namespace

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
    if (options.commands == 0 && !options.operands.empty()) {
        // Bare words ask a question ("3 ft in cm"), which names its own units.
        options.command = Options::Command::Question;
        if (options.group || options.unbuffered) {
            return "--group and --unbuffered go with --convert or --batch only, not with a question";
        }
        return {};
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

std::optional<bool> ToolkitOption(std::string_view arg) {
    const std::string_view name = arg.substr(0, arg.find('='));
    const auto option = std::find_if(kToolkitOptions.begin(), kToolkitOptions.end(),
                                     [&](const auto& known) { return known.first == name; });
    if (option == kToolkitOptions.end()) {
        return std::nullopt;
    }
    return option->second && name.size() == arg.size();
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

}  // namespace halden::cli
