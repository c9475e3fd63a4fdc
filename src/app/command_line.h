// The program's command line: conversions, unit lists, help and version from a shell.
//
//   halducnv --convert VALUE FROM INTO [--figures 4|6|8|integer] [--scientific]
//   halducnv --list [GROUP]
//   halducnv --help
//   halducnv --version
//
// It runs without any window: it builds the unit catalogue with the user units from the user
// units file, names units as the finder does, and converts through the same convert command as
// the main window, so that it prints what the result box would show. It never writes a file.
//
// Exit statuses: 0 done; 1 the result box would show "Input error" (that text goes to standard
// error); 2 a unit unknown, fitting several units of the group, or the two units in no common
// group, or a bad option. Every error is one line on standard error.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

inline constexpr int kExitInputError = 1;
inline constexpr int kExitUsage = 2;

/// The user units file as the command line found it.
struct UserFileContents {
    enum class State { Missing, Unreadable, Read };
    State state = State::Missing;
    std::string bytes;  // the file's bytes when State::Read
};

/// What a run printed and its exit status.
struct CommandLineResult {
    int status = 0;
    std::string out;  // standard output
    std::string err;  // standard error
};

/// Whether the arguments (without the program name) ask for the command line rather than the
/// window: one of them is --convert, --list, --help or --version (also in "--option=..." form).
bool WantsCommandLine(std::span<const std::string_view> args);
/// The same for main()'s arguments (argv[0] is the program).
bool WantsCommandLine(int argc, const char* const* argv);

/// Runs the command line for the arguments (without the program name). userFile holds the user
/// units file: a missing file means no user units; an unreadable or damaged one adds a one-line
/// warning to err and the run goes on with what could be read. Resets and rebuilds the
/// process-wide settings, state and catalogue.
CommandLineResult RunCommandLine(std::span<const std::string_view> args, const UserFileContents& userFile);

/// Reads the user units file from where the program keeps it (never creating anything).
UserFileContents ReadUserFile();

/// The whole command line for main(): reads the user units file, runs, prints, returns the exit
/// status.
int CommandLineMain(int argc, const char* const* argv);

}  // namespace halden
