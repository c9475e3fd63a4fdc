#include "cli/cli_messages.h"

#include <algorithm>

namespace halden::cli {

void WarningSink::Show(const Message& message) {
    std::string line = message.text;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    err_ += std::string(kProgram) + ": warning: " + line + "\n";
}

}  // namespace halden::cli
