// One run of the command line: which arguments ask for it, and what a run prints.
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"
#include "cli/cli_complete.h"
#include "cli/cli_convert.h"
#include "cli/cli_help.h"
#include "cli/cli_messages.h"
#include "cli/cli_options.h"
#include "cli/command_line.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace halden {
namespace {

// Without a screen the pixel of "Graphics Units" is that of a 96 dpi display.
constexpr std::int16_t kTwipsPerPixel = 15;

}  // namespace

bool WantsCommandLine(std::span<const std::string_view> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::optional<bool> takesValue = cli::ToolkitOption(args[i]);
        if (!takesValue) {
            return true;
        }
        if (*takesValue) {
            ++i;  // its value
        }
    }
    return false;
}

CommandLineResult RunCommandLine(std::span<const std::string_view> args, const UserFileContents& userFile,
                                 const BatchStreams* streams) {
    CommandLineResult result;
    cli::Options options;
    if (const std::string error = cli::ParseArguments(args, options); !error.empty()) {
        cli::Failure(result, kExitUsage, error);
        return result;
    }
    if (options.command == cli::Options::Command::Help || options.command == cli::Options::Command::Version) {
        const bool help = options.command == cli::Options::Command::Help;
        if (!options.operands.empty()) {
            cli::Failure(result, kExitUsage, std::string(help ? "--help" : "--version") + " takes no operand");
            return result;
        }
        result.out = help ? cli::HelpText() : cli::VersionText();
        return result;
    }
    using Command = cli::Options::Command;
    const bool completing = options.command == Command::CompleteNames || options.command == Command::CompleteGroups;
    if (options.command == Command::Complete || completing) {
        const std::optional<std::string_view> script =
            options.operands.size() == 1 ? cli::CompletionScript(options.operands[0]) : std::nullopt;
        if (completing ? options.operands.size() > 1 : !script) {
            cli::Failure(result, kExitUsage,
                         completing ? "completion takes one prefix" : "--complete takes bash, zsh or fish");
            return result;
        }
        if (!completing) {
            result.out = *script;
            return result;
        }
    }

    // The tables of this run alone, large enough to live on the heap.
    const auto user = std::make_unique<UserUnits>();
    const auto catalogue = std::make_unique<UnitCatalogue>();
    // No file is the normal state (no warning); a file that is there but cannot be read warns.
    if (userFile.state == UserFileContents::State::Unreadable) {
        cli::WarningSink sink(result.err);
        DatShowReadFailure(sink);
    } else if (userFile.state == UserFileContents::State::Read) {
        cli::WarningSink sink(result.err);
        DatReadBytes(userFile.bytes, *user, sink);
    }
    BuildUnitCatalogue(*catalogue, *user, kTwipsPerPixel);
    const UnitNameIndex index(*catalogue);
    const cli::RunUnits units{*catalogue, index};

    if (completing) {
        // Names are offered quietly: a damaged user units file is the window's to report.
        result.err.clear();
        const std::string_view prefix = options.operands.empty() ? std::string_view{} : options.operands[0];
        result.out = options.command == Command::CompleteNames ? cli::UnitNamesBeginning(index, prefix)
                                                               : cli::GroupNamesBeginning(*catalogue, prefix);
    } else {
        cli::RunOnUnits(options, units, streams, result);
    }
    return result;
}

}  // namespace halden
