// Where the core sends the messages a user has to read.
//
// The core never shows a window itself. A function that has something to tell the user is given
// a MessageSink; the program passes one that shows a message box with an OK button, the tests and
// the golden driver pass one that records what would have been shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace halden {

enum class MessageIcon { Information, Exclamation, Critical };

/// The title every message box of the program carries (note the leading blank).
inline constexpr std::string_view kMessageTitle = " Halden Unit Converter";

struct Message {
    std::string title;
    std::string text;  // lines joined by a carriage return alone
    MessageIcon icon = MessageIcon::Information;
    bool operator==(const Message&) const = default;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const Message& message) = 0;
};

/// Keeps every message in order; used by tests and by the golden driver to count messages.
class RecordingSink final : public MessageSink {
public:
    void Show(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

/// Drops every message; for callers that only want the answer (the benchmarks).
class NullSink final : public MessageSink {
public:
    void Show(const Message& /*message*/) override {}
};

}  // namespace halden
