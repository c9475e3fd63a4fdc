// The program's command line: conversions, unit lists, help and version from a shell.
//
//   halducnv --convert VALUE|- FROM INTO [--group GROUP] [--figures 4|6|8|integer] [--scientific]
//   halducnv --convert VALUE FROM [options]      (the value in every unit of the group)
//   halducnv --batch [--group GROUP] [--figures ...] [--scientific] [--unbuffered]
//   halducnv QUESTION... [--figures ...] [--scientific]   (words without a command: "3 ft in cm")
//   halducnv --list [GROUP]
//   halducnv -h|--help
//   halducnv -V|--version
//
// It runs without any window and without the window program's process-wide state: each run
// builds its own unit catalogue with the user units from the user units file, names units as the
// finder does (SI prefixes included), and converts list units through the same convert command
// as the main window, so that it prints what the result box would show; questions are read as
// the finder reads them. It never writes a file.
//
// Exit statuses: 0 done; 1 the result box would show "Input error" (that text goes to standard
// error); 2 a unit unknown, fitting several units of the group, or the two units in no common
// group, a question not complete, or a bad option; 3 the output could not be written. Every
// error is one line on standard error.
#pragma once

#include "storage/user_file.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

inline constexpr int kExitInputError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitOutput = 3;

/// What a run printed and its exit status.
struct CommandLineResult {
    int status = 0;
    std::string out;  // standard output
    std::string err;  // standard error
};

/// Where a run that converts many values (--convert - FROM INTO, --batch) reads its lines and
/// writes its answers, one at a time, so that a program talking to it through a pipe gets each
/// answer as its line is read.
struct BatchStreams {
    /// The next line of standard input without its line break; false at the end of input.
    std::function<bool(std::string& line)> readLine;
    /// Writes to standard output, flushing when asked; false when the write failed.
    std::function<bool(std::string_view text, bool flush)> write;
    /// Writes one message line to standard error.
    std::function<void(std::string_view text)> writeError;
};

/// Whether the arguments (without the program name) ask for the command line rather than the
/// window: any argument but the toolkit's own window options (-platform, -style, ...) does, so
/// that a mistyped option is refused on the terminal instead of opening a window.
bool WantsCommandLine(std::span<const std::string_view> args);
/// The same for main()'s arguments (argv[0] is the program).
bool WantsCommandLine(int argc, const char* const* argv);

/// Runs the command line for the arguments (without the program name). userFile holds the user
/// units file: a missing file means no user units; an unreadable or damaged one adds a one-line
/// warning to err and the run goes on with what could be read.
/// A run that converts many values reads and writes through streams (none: no input, and its
/// answers in the result); a failed write ends it with kExitOutput.
CommandLineResult RunCommandLine(std::span<const std::string_view> args, const UserFileContents& userFile,
                                 const BatchStreams* streams = nullptr);

/// The whole command line for main(): reads the user units file, runs, prints, returns the exit
/// status.
int CommandLineMain(int argc, const char* const* argv);

}  // namespace halden
