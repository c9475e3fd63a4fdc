#include "cli/cli_messages.h"

#include <algorithm>

namespace halden::cli {

void AppendListed(std::string& list, std::string_view separator, const std::string& item) {
    if (!list.empty()) {
        list += separator;
    }
    list += item;
}

std::string Quoted(std::string_view text) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0x0F];
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

void WarningSink::Show(const Message& message) {
    std::string line = message.text;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    err_ += std::string(kProgram) + ": warning: " + line + "\n";
}

}  // namespace halden::cli
