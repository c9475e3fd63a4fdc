// The command line's arguments: which command, its operands and options, and which arguments
// are the toolkit's own (those open the window).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halden::cli {

struct Options {
    /// Question: no command, only words ("3 ft in cm").
    enum class Command { None, Convert, Batch, List, Help, Version, Complete, CompleteNames, CompleteGroups, Question };
    Command command = Command::None;
    int commands = 0;
    std::vector<std::string_view> operands;
    std::optional<std::string_view> figures;
    std::optional<std::string_view> group;
    bool scientific = false;
    bool unbuffered = false;
};

/// Reads the arguments (without the program name) into options; the one-line error, or an empty
/// text when they are well formed. Words without any command are a question.
std::string ParseArguments(std::span<const std::string_view> args, Options& options);

/// Whether an argument is one of the toolkit's window options, and whether it takes the next
/// argument as its value; nothing for any other argument.
std::optional<bool> ToolkitOption(std::string_view arg);

/// The pnFigure value of a --figures value (4, 6, 8, integer); nothing for any other text.
std::optional<int> FigureOf(std::string_view text);

}  // namespace halden::cli
