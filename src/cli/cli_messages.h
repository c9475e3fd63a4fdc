// How the command line words what it prints on standard error: the program's name before each
// line, typed texts in quotes on one line, warnings from the core as one line each.
#pragma once

#include "numbers/message_sink.h"

#include <string>
#include <string_view>

namespace halden::cli {

inline constexpr std::string_view kProgram = "halducnv";

/// Adds item to a list text, after separator unless the list is empty.
void AppendListed(std::string& list, std::string_view separator, const std::string& item);

/// A typed text in double quotes; control characters are written as \xHH so that a message stays
/// on one line.
std::string Quoted(std::string_view text);

/// Turns each message of the core into one "halducnv: warning: ..." line of err.
class WarningSink final : public MessageSink {
public:
    explicit WarningSink(std::string& err) : err_(err) {}
    void Show(const Message& message) override;

private:
    std::string& err_;
};

}  // namespace halden::cli
