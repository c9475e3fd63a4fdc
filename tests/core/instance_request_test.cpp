#include "app/instance_request.h"

#include <gtest/gtest.h>
#include <string>

namespace halden {
namespace {

using Kind = InstanceRequestKind;

TEST(InstanceRequest, ReadsOnlyWholeRequestsOfOurs) {
    const std::string longest(1000, 'x');
    // Four bytes of UTF-8 (U+1F600) ending exactly at the limit, and one cut in its middle.
    const std::string wideAtLimit = std::string(996, 'x') + "\xF0\x9F\x98\x80";
    struct Row {
        const char* name;
        std::string line;
        std::optional<Kind> kind;  // nothing: refused
        std::string question;
    };
    const Row rows[] = {
        {"raise", "raise", Kind::Raise, ""},
        {"show", "show 3 ft in cm", Kind::Show, "3 ft in cm"},
        {"find keeps the question's blanks", "find  m ", Kind::Find, " m "},
        {"question of 1000 bytes", "show " + longest, Kind::Show, longest},
        {"wide character at the limit", "find " + wideAtLimit, Kind::Find, wideAtLimit},
        {"question of 1001 bytes", "show " + longest + "x", std::nullopt, ""},
        {"line over the longest read", "show " + longest + "xx", std::nullopt, ""},
        {"cut character", "show " + wideAtLimit.substr(0, 998), std::nullopt, ""},
        {"not UTF-8", "show \xFF ft", std::nullopt, ""},
        {"surrogate", "show \xED\xA0\x80", std::nullopt, ""},
        {"empty question", "show ", std::nullopt, ""},
        {"word alone", "show", std::nullopt, ""},
        {"second line", "show 3 ft\nraise", std::nullopt, ""},
        {"carriage return", "raise\r", std::nullopt, ""},
        {"carriage return in a question", "find m\r", std::nullopt, ""},
        {"raise with more", "raise now", std::nullopt, ""},
        {"capitals", "RAISE", std::nullopt, ""},
        {"empty line", "", std::nullopt, ""},
        {"nul before the word", std::string("\0raise", 6), std::nullopt, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<InstanceRequest> request = ReadInstanceRequest(row.line);
        ASSERT_EQ(request.has_value(), row.kind.has_value());
        if (request) {
            EXPECT_EQ(request->kind, *row.kind);
            EXPECT_EQ(request->question, row.question);
            // What is read is what the sender writes for it.
            EXPECT_EQ(InstanceRequestLine(*request), row.line);
        }
    }
}

TEST(InstanceRequest, QuestionsThatCannotTravelAreRefusedNotCut) {
    struct Row {
        const char* name;
        InstanceRequest request;
    };
    const Row rows[] = {
        {"empty", {Kind::Show, ""}},
        {"1001 bytes", {Kind::Find, std::string(1001, 'x')}},
        {"line break", {Kind::Show, "3 ft\nraise"}},
        {"not UTF-8", {Kind::Find, "\xC3"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(InstanceRequestLine(row.request), std::nullopt);
    }
}

}  // namespace
}  // namespace halden
