// The command line as a program: its arguments, standard input and output, and its exit status.
#include "cli/cli_messages.h"
#include "cli/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace halden {
namespace {

std::vector<std::string_view> Arguments(int argc, const char* const* argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return args;
}

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

// Lines of standard input ended by LF, CR LF or CR alone, as files from any system end them. A
// line is handed on as soon as its end arrives, so that a program talking through a pipe gets
// each answer at once: the LF after a CR is skipped when it comes, not waited for.
class InputLines {
public:
    bool Next(std::string& line) {
        line.clear();
        while (true) {
            const int c = getc_unlocked(stdin);
            if (c == EOF) {
                return !line.empty();  // a last line without its line end
            }
            if (c == '\n' && skipLineFeed_) {
                skipLineFeed_ = false;
                continue;
            }
            skipLineFeed_ = c == '\r';
            if (c == '\n' || c == '\r') {
                return true;
            }
            line += static_cast<char>(c);
        }
    }

private:
    bool skipLineFeed_ = false;
};

}  // namespace

bool WantsCommandLine(int argc, const char* const* argv) { return WantsCommandLine(Arguments(argc, argv)); }

int CommandLineMain(int argc, const char* const* argv) {
    const std::vector<std::string_view> args = Arguments(argc, argv);
    Output output;
    InputLines input;
    BatchStreams streams;
    streams.readLine = [&input](std::string& line) { return input.Next(line); };
    streams.write = [&](std::string_view text, bool flush) { return output.Write(text, flush); };
    streams.writeError = [&](std::string_view text) {
        // Messages keep their place after the answers written before them.
        output.Flush(true);
        std::fwrite(text.data(), 1, text.size(), stderr);
    };
    CommandLineResult result = RunCommandLine(args, ReadUserFileContents(), &streams);
    output.Write(result.out, false);
    if (!output.Close()) {
        // Output that could not be written (a full disk, a closed pipe) is no success.
        result.err +=
            std::string(cli::kProgram) + ": cannot write the output: " + std::strerror(output.failure()) + "\n";
        result.status = kExitOutput;
    }
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return result.status;
}

}  // namespace halden
