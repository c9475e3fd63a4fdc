// What the command line's unit files share: two units to convert between, result forms, converting and asking.
#pragma once

#include "catalogue/question.h"
#include "catalogue/unit_names.h"
#include "cli/cli_options.h"
#include "cli/command_line.h"
#include "numbers/message_sink.h"

#include <optional>
#include <string>
#include <string_view>

namespace halden::cli {

struct RunUnits;

namespace detail {

// Two units of one group to convert between.
struct UnitPair {
    int group = 0;
    int from = 0;
    int into = 0;
    // The sizes of prefixed units ("km", "mg") in the list units they are read as.
    UnitScale fromScale;
    UnitScale intoScale;
};

// How the results are written.
struct ResultForm {
    int figure = 6;
    int formFlag = 0;
};

// The answer to a one-line question, or why there is none: "Input error" (status 1) or the
// question's reason (status 2).
struct Asked {
    QuestionVerdict verdict = QuestionVerdict::NotAQuestion;
    std::optional<std::string> text;
    int status = 0;
    std::string error;
};

std::optional<UnitPair> ResolvePair(const RunUnits& run, std::optional<std::string_view> group,
                                    std::string_view fromName, std::string_view intoName, std::string& error);
std::optional<std::string> ConvertOne(const RunUnits& run, const UnitPair& pair, std::string_view value,
                                      ResultForm form, MessageSink& sink);
Asked Ask(const RunUnits& run, std::string_view question, ResultForm form);
void RunBatch(const Options& options, const RunUnits& run, const std::optional<UnitPair>& pair, ResultForm form,
              const BatchStreams& streams, CommandLineResult& result);

}  // namespace detail
}  // namespace halden::cli
