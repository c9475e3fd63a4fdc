// --batch and --convert - FROM INTO: a value, VALUE FROM INTO or a question a line, an answer a line.
#include "cli/cli_convert.h"
#include "cli/cli_convert_internal.h"
#include "cli/cli_messages.h"
#include "numbers/characters.h"
#include "numbers/format_result.h"
#include "numbers/given_value.h"

#include <algorithm>
#include <string>
#include <vector>

namespace halden::cli {
namespace {

// The words of one --batch line: separated by tabs when it holds one (names may hold blanks
// then), else by blanks, with quotes and backslashes as a shell reads them.
std::vector<std::string> BatchWords(std::string_view line) {
    std::vector<std::string> words;
    if (line.find('\t') != std::string_view::npos) {
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); start <= line.size(); tab = line.find('\t', start)) {
            const std::string_view word = TrimBlanks(line.substr(start, tab - start), kSpaces);
            if (!word.empty()) {
                words.emplace_back(word);
            }
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        return words;
    }
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else if (c == '\\' && quote == '"' && i + 1 < line.size()) {
                word += line[++i];
            } else {
                word += c;
            }
        } else if (c == ' ' || c == '\r') {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            inWord = true;
            if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '\\' && i + 1 < line.size()) {
                word += line[++i];
            } else {
                word += c;
            }
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace

namespace detail {

// Converts a value a line: with a pair (--convert - FROM INTO) each line is a value, without
// one (--batch) each line is VALUE FROM INTO or, without --group, a question ("3 ft in cm"). A
// line of three words that begins with a value is VALUE FROM INTO; one of three words that does
// not ("FF hex dec", "350F to C") is a question only when the question has an answer. A line that
// fails gives an empty line and its message with the line number; the run goes on and ends with
// the worst status.
void RunBatch(const Options& options, const RunUnits& run, const std::optional<UnitPair>& pair, ResultForm form,
              const BatchStreams& streams, CommandLineResult& result) {
    // Warnings of the start (a damaged user units file) come before the answers.
    if (!result.err.empty()) {
        streams.writeError(result.err);
        result.err.clear();
    }
    std::string line;
    std::string answer;
    NullSink noMessages;
    for (long number = 1; streams.readLine(line); ++number) {
        std::optional<UnitPair> linePair = pair;
        std::string_view value = line;
        std::string error;
        int status = kExitUsage;
        std::optional<std::string> text;
        std::vector<std::string> words;  // value looks into the first
        if (!pair) {
            words = BatchWords(line);
            const bool threeWords = words.size() == 3;
            Asked asked;
            bool question = false;
            if (!options.group && !(threeWords && GivenValue(words[0]))) {
                asked = Ask(run, line, form);
                question = !threeWords || asked.verdict == QuestionVerdict::Answered;
            }
            if (question) {
                text = std::move(asked.text);
                error = std::move(asked.error);
                status = asked.status;
            } else if (!threeWords) {
                error = "give VALUE FROM INTO (quote a unit name that holds blanks, or separate by tabs)";
            } else {
                linePair = ResolvePair(run, options.group, words[1], words[2], error);
                value = words[0];
            }
        }
        if (linePair) {
            text = ConvertOne(run, *linePair, value, form, noMessages);
            if (!text) {
                error = std::string(kInputError);
                status = kExitInputError;
            }
        }
        answer.assign(text ? *text : std::string());
        answer += '\n';
        if (!streams.write(answer, options.unbuffered)) {
            result.status = kExitOutput;
            return;
        }
        if (!text) {
            result.status = std::max(result.status, status);
            streams.writeError(std::string(kProgram) + ": line " + std::to_string(number) + ": " + error + "\n");
        }
    }
}

}  // namespace detail
}  // namespace halden::cli
