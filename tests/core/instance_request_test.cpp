#include "app/instance_request.h"

#include <gtest/gtest.h>
#include <string>

namespace halden {
namespace {

using Kind = InstanceRequestKind;

// Each line read as a request, or refused; what is read is what the sender writes for it, and a
// question the reader refuses is never sent either.
TEST(InstanceRequest, ReadsOnlyWholeRequestsOfOurs) {
    const std::string longest(1000, 'x');
    // Four bytes of UTF-8 (U+1F600) ending exactly at the limit.
    const std::string wideAtLimit = std::string(996, 'x') + "\xF0\x9F\x98\x80";
    struct Row {
        const char* name;
        std::string line;
        std::optional<Kind> kind;  // nothing: refused
    };
    const Row rows[] = {
        {"raise", "raise", Kind::Raise},
        {"show", "show 3 ft in cm", Kind::Show},
        {"find keeps the question's blanks", "find  m ", Kind::Find},
        {"question of 1000 bytes", "show " + longest, Kind::Show},
        {"wide character at the limit", "find " + wideAtLimit, Kind::Find},
        {"question of 1001 bytes", "show " + longest + "x", std::nullopt},
        {"line over the longest read", "raise" + std::string(1002, ' '), std::nullopt},
        {"cut character", "show " + wideAtLimit.substr(0, 998), std::nullopt},
        {"not UTF-8", "show \xFF ft", std::nullopt},
        {"empty question", "show ", std::nullopt},
        {"second line", "show 3 ft\nraise", std::nullopt},
        {"carriage return", "find m\r", std::nullopt},
        {"raise with more", "raise now", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<InstanceRequest> request = ReadInstanceRequest(row.line);
        ASSERT_EQ(request.has_value(), row.kind.has_value());
        if (request) {
            EXPECT_EQ(request->kind, *row.kind);
            EXPECT_EQ(request->question, row.kind == Kind::Raise ? "" : row.line.substr(5));
            EXPECT_EQ(InstanceRequestLine(*request), row.line);
        } else if (row.line.starts_with("show ")) {
            EXPECT_EQ(InstanceRequestLine({Kind::Show, row.line.substr(5)}), std::nullopt);
        }
    }
}

}  // namespace
}  // namespace halden
