// The command line's work on units: listing groups and units, converting one value, a value a
// line or VALUE FROM INTO lines, and answering questions ("3 ft in cm"), as the main window's
// result box would write the result.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_names.h"
#include "cli/cli_options.h"
#include "cli/command_line.h"

namespace halden::cli {

/// The tables one run reads: its own catalogue (the user's groups in it) and the names of its units.
struct RunUnits {
    const UnitCatalogue& catalogue;
    const UnitNameIndex& index;
};

/// Adds the one-line message to err and sets the status.
void Failure(CommandLineResult& result, int status, std::string_view message);

/// --list [GROUP].
void RunList(const Options& options, const RunUnits& units, CommandLineResult& result);
/// --convert VALUE FROM INTO, --convert - FROM INTO and --batch; the last two read and write
/// through streams (none: no input).
void RunConvert(const Options& options, const RunUnits& units, const BatchStreams* streams, CommandLineResult& result);
/// A question given as words without a command: its answer, or "Input error" (status 1) or why it
/// has none (status 2).
void RunQuestion(const Options& options, const RunUnits& units, CommandLineResult& result);
/// The command the options name, of those that work on units: --list, a question, --convert or
/// --batch (completion and help are the caller's).
void RunOnUnits(const Options& options, const RunUnits& units, const BatchStreams* streams, CommandLineResult& result);

}  // namespace halden::cli
