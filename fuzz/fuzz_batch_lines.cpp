// Feeds arbitrary bytes as standard input to --batch (or to --convert - FROM INTO), with the
// options chosen by the first byte, on tables built once; the lines are split as the program's
// reader of standard input splits them. Each line read gets exactly one answer line; a line
// without an answer has one error line on standard error that names its line number, and the exit
// status is the worst of them; a line given again answers as it did the first time; a failed write
// ends the run with status 3.

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"
#include "cli/cli_convert.h"
#include "cli/cli_options.h"
#include "cli/command_line.h"
#include "fuzz_tables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using halden::fuzz::Tables;

// The command lines a run is given: questions and VALUE FROM INTO lines, in one group, with other
// figures, and a value a line between two fixed units (number bases and temperatures too).
const std::array<std::vector<std::string_view>, 8> kCommandLines{{
    {"--batch"},
    {"--batch", "--scientific", "--figures", "8"},
    {"--batch", "--group", "Length"},
    {"--batch", "--figures=integer", "--unbuffered"},
    {"--convert", "-", "ft", "m"},
    {"--convert", "-", "hex", "dec"},
    {"--convert", "-", "C", "F", "--figures", "4"},
    {"--convert", "-", "inch", "cm", "--scientific"},
}};

constexpr std::string_view kLinePrefix = "halducnv: line ";
constexpr std::string_view kInputError = "Input error";

struct Answer {
    std::string text;                  // without its line break
    std::optional<std::string> error;  // the message after "line N: ", when the line failed
};

// One line of output: its text and a line break at the end, with no other line break in it.
bool OneLine(std::string_view text) {
    return !text.empty() && text.back() == '\n' && text.find_first_of("\n\r\v\f") == text.size() - 1;
}

// What one run wrote: an answer a line, and its exit status.
struct Run {
    std::vector<std::string_view> lines;  // as read
    std::vector<Answer> answers;
    std::size_t reads = 0;
    bool readAfterFailure = false;
    int status = 0;
};

// The lines of input as the program's reader gives them: ended by LF, CR LF or CR alone, the
// last one also by the end of input when it holds anything.
std::vector<std::string_view> SplitLines(std::string_view input) {
    std::vector<std::string_view> lines;
    while (!input.empty()) {
        const std::size_t end = input.find_first_of("\r\n");
        lines.push_back(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = input[end] == '\r' && end + 1 < input.size() && input[end + 1] == '\n';
        input.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

// Runs the command line on the lines; writes fail from the answer numbered failAt (0: never).
Run RunLines(const Tables& tables, const halden::cli::Options& options, std::vector<std::string_view> lines,
             std::size_t failAt) {
    Run run;
    run.lines = std::move(lines);
    bool failed = false;
    halden::BatchStreams streams;
    streams.readLine = [&](std::string& line) {
        if (failed) {
            run.readAfterFailure = true;
        }
        if (run.reads == run.lines.size()) {
            return false;
        }
        line.assign(run.lines[run.reads++]);
        return true;
    };
    streams.write = [&](std::string_view text, bool) {
        // One answer a write.
        if (!OneLine(text)) std::abort();
        if (run.answers.size() + 1 == failAt) {
            failed = true;
            return false;
        }
        run.answers.push_back(Answer{std::string(text.substr(0, text.size() - 1)), std::nullopt});
        return true;
    };
    streams.writeError = [&](std::string_view text) {
        // "halducnv: line N: message", one line, for the line last answered.
        if (!OneLine(text)) std::abort();
        const std::string expected = std::string(kLinePrefix) + std::to_string(run.answers.size()) + ": ";
        if (!text.starts_with(expected) || run.answers.empty() || run.answers.back().error) std::abort();
        run.answers.back().error = std::string(text.substr(expected.size(), text.size() - expected.size() - 1));
    };
    halden::CommandLineResult result;
    halden::cli::RunOnUnits(options, halden::cli::RunUnits{*tables.catalogue, *tables.index}, &streams, result);
    // Every message of the run went out through the stream, in its place.
    if (!result.err.empty() || !result.out.empty()) std::abort();
    run.status = result.status;
    return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Tables tables;  // the name index is built once per process
    if (size < 1) {
        return 0;
    }
    const std::vector<std::string_view>& args = kCommandLines[data[0] % kCommandLines.size()];
    halden::cli::Options options;
    if (!halden::cli::ParseArguments(args, options).empty()) std::abort();
    // One run in sixteen has its output fail at the answer chosen by the same byte.
    const std::size_t failAt = (data[0] >> 3) % 16 == 15 ? 1 + (data[0] >> 7) : 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string_view> lines = SplitLines(input);
    // The first line once more at the end: nothing of one line may change the answer to another.
    if (!lines.empty()) {
        lines.push_back(lines.front());
    }
    const Run run = RunLines(tables, options, lines, failAt);

    if (run.readAfterFailure) std::abort();
    if (failAt != 0 && failAt <= run.lines.size()) {
        // The run stops at the failed write, with its own status.
        if (run.status != halden::kExitOutput || run.answers.size() != failAt - 1 || run.reads != failAt) std::abort();
        return 0;
    }
    // Every line read, and one answer for each.
    if (run.reads != run.lines.size() || run.answers.size() != run.lines.size()) std::abort();
    int worst = 0;
    for (const Answer& answer : run.answers) {
        if (answer.error) {
            // A line that fails answers with an empty line, and the status says how it failed.
            if (!answer.text.empty() || answer.error->empty()) std::abort();
            worst = std::max(worst, *answer.error == kInputError ? halden::kExitInputError : halden::kExitUsage);
        } else if (answer.text.empty()) {
            std::abort();  // a line answered has a value
        }
    }
    if (run.status != worst) std::abort();
    if (run.answers.empty()) {
        return 0;
    }
    const Answer& first = run.answers.front();
    const Answer& again = run.answers.back();
    if (first.text != again.text || first.error != again.error) std::abort();
    return 0;
}
