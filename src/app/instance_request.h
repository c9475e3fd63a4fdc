// What a second start of the window program asks the running copy, one line on the local socket:
// "raise" to come to the front, "show <question>" to come to the front and show the question in
// the lists where it can, "find <question>" to come to the front and open the unit finder holding
// it. The reading is pure so that anything a peer sends can be tried against it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halden {

enum class InstanceRequestKind { Raise, Show, Find };

struct InstanceRequest {
    InstanceRequestKind kind = InstanceRequestKind::Raise;
    std::string question;  ///< Show and Find only: one line of UTF-8, not empty
};

/// The longest request line read (without its line break).
inline constexpr std::size_t kLongestInstanceRequest = 1006;

/// The request one line holds (the bytes before "\n", which is not part of line): "raise",
/// "show <question>", "find <question>"; nothing for anything else (too long, not UTF-8, an empty
/// or multi-line question, unknown word). A question holds at most 1000 bytes.
std::optional<InstanceRequest> ReadInstanceRequest(std::string_view line);

/// The line for a request, without its line break; nothing when the question cannot be sent
/// (empty, longer than a request holds, a line break in it, not UTF-8). A question that does not
/// fit is refused whole, never cut.
std::optional<std::string> InstanceRequestLine(const InstanceRequest& request);

}  // namespace halden
