// Feeds arbitrary bytes, split at NUL bytes, as the program's arguments to the command line's
// option reading and to the choice between the command line and the window. A refusal is one
// line; a command line that is read names exactly one command, keeps its operands and option
// values as the arguments gave them, and is never handed to the window; the window gets only
// arguments made of its own options and their values.

#include "cli/cli_options.h"
#include "cli/command_line.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Command = halden::cli::Options::Command;

// How many first arguments are looked at one by one.
constexpr std::size_t kPrefixes = 32;

// Reading arguments never reaches beyond them: the words are copied into blocks of their own size
// so that the address sanitizer sees any read past one.
struct Arguments {
    std::vector<std::unique_ptr<char[]>> blocks;
    std::vector<std::string_view> words;
};

Arguments SplitAtNul(const std::uint8_t* data, std::size_t size) {
    Arguments args;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            const std::size_t length = i - start;
            args.blocks.push_back(std::make_unique<char[]>(length == 0 ? 1 : length));
            std::copy(data + start, data + i, args.blocks.back().get());
            args.words.emplace_back(args.blocks.back().get(), length);
            start = i + 1;
        }
    }
    return args;
}

// Whether text lies inside one of the arguments.
bool WithinArgument(const std::vector<std::string_view>& args, std::string_view text) {
    for (const std::string_view arg : args) {
        if (text.data() >= arg.data() && text.data() + text.size() <= arg.data() + arg.size()) {
            return true;
        }
    }
    return false;
}

bool OneLine(std::string_view text) { return text.find_first_of("\n\r\v\f") == std::string_view::npos; }

bool Converting(Command command) { return command == Command::Convert || command == Command::Batch; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Arguments split = SplitAtNul(data, size);
    const std::vector<std::string_view>& args = split.words;

    halden::cli::Options options;
    const std::string error = halden::cli::ParseArguments(args, options);
    if (!OneLine(error)) std::abort();

    // Reading the same arguments again gives the same.
    halden::cli::Options again;
    if (halden::cli::ParseArguments(args, again) != error || again.command != options.command ||
        again.operands != options.operands || again.figures != options.figures || again.group != options.group ||
        again.scientific != options.scientific || again.unbuffered != options.unbuffered) {
        std::abort();
    }

    if (error.empty()) {
        // Exactly one command: one named, or none with words, which ask a question.
        const bool question = options.commands == 0 && options.command == Command::Question;
        if (!(options.commands == 1 && options.command != Command::None && options.command != Command::Question) &&
            !(question && !options.operands.empty())) {
            std::abort();
        }
        // The options of conversions go with conversions only.
        if (!Converting(options.command) && (options.group || options.unbuffered)) std::abort();
        if (!Converting(options.command) && !question && (options.figures || options.scientific)) std::abort();
        // Operands are whole arguments, in their order; option values are taken from the arguments.
        std::size_t next = 0;
        for (const std::string_view operand : options.operands) {
            while (next < args.size() && args[next].data() != operand.data()) {
                ++next;
            }
            if (next == args.size() || args[next].size() != operand.size()) std::abort();
            ++next;
        }
        if ((options.figures && !WithinArgument(args, *options.figures)) ||
            (options.group && !WithinArgument(args, *options.group))) {
            std::abort();
        }
        // A command line the program reads is never taken for the window's options.
        if (!halden::WantsCommandLine(args)) std::abort();
    }
    if (options.figures) {
        const std::optional<int> figure = halden::cli::FigureOf(*options.figures);
        if (figure && *figure != 4 && *figure != 6 && *figure != 7 && *figure != 8) std::abort();
    }

    // Arguments made only of the window's options go to the window; once some first arguments
    // go to the command line, no further argument brings the window back (looked at for the
    // first arguments and for all of them).
    bool allToolkit = true;
    bool wanted = false;
    for (std::size_t n = 0; n <= args.size(); ++n) {
        if (n <= kPrefixes || n == args.size()) {
            const bool wants = halden::WantsCommandLine(std::span(args.data(), n));
            if ((wanted && !wants) || (allToolkit && wants)) std::abort();
            wanted = wants;
        }
        if (n < args.size()) {
            const std::optional<bool> takesValue = halden::cli::ToolkitOption(args[n]);
            allToolkit = allToolkit && takesValue.has_value();
            // A value given after "=" takes no next argument.
            if (takesValue && *takesValue && args[n].find('=') != std::string_view::npos) std::abort();
        }
    }
    // An argument that is no window option, put first, asks for the command line whatever follows.
    if (!args.empty() && !halden::cli::ToolkitOption(args.back())) {
        std::vector<std::string_view> moved(args);
        moved.insert(moved.begin(), args.back());
        if (!halden::WantsCommandLine(moved)) std::abort();
    }
    return 0;
}
