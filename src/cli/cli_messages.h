// How the command line words what it prints on standard error: the program's name before each
// line, warnings from the core as one line each. Typed texts are quoted as the core's messages
// quote them (catalogue/unit_messages.h).
#pragma once

#include "numbers/message_sink.h"

#include <string>
#include <string_view>

namespace halden::cli {

inline constexpr std::string_view kProgram = "halducnv";

/// Turns each message of the core into one "halducnv: warning: ..." line of err.
class WarningSink final : public MessageSink {
public:
    explicit WarningSink(std::string& err) : err_(err) {}
    void Show(const Message& message) override;

private:
    std::string& err_;
};

}  // namespace halden::cli
