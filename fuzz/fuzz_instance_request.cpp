// Feeds arbitrary bytes to the reading of the one line a second start sends the running copy, and,
// with the kind chosen by the first byte and the rest as the question, to the writing of that line.
// A line read writes back to the same line; a line written reads back to the same request; a
// question read or written is UTF-8 (checked here on its own terms), not empty, of one line and at
// most 1000 bytes, and a question that is all of these is always sent.

#include "app/instance_request.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kLongestQuestion = 1000;

// UTF-8 as its standard defines it: shortest forms only, no surrogates, nothing past U+10FFFF.
bool WellFormedUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        const std::uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// Whether a question may travel in a request.
bool Sendable(std::string_view question) {
    return !question.empty() && question.size() <= kLongestQuestion &&
           question.find_first_of("\r\n") == std::string_view::npos && WellFormedUtf8(question);
}

bool Same(const halden::InstanceRequest& a, const halden::InstanceRequest& b) {
    return a.kind == b.kind && a.question == b.question;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes as a line received.
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    if (const std::optional<halden::InstanceRequest> read = halden::ReadInstanceRequest(line)) {
        if (line.size() > halden::kLongestInstanceRequest) std::abort();
        if (read->kind == halden::InstanceRequestKind::Raise) {
            if (!read->question.empty()) std::abort();
        } else if (!Sendable(read->question)) {
            std::abort();
        }
        const std::optional<std::string> written = halden::InstanceRequestLine(*read);
        if (!written || *written != line) std::abort();
    }

    // The bytes as a request to send: the kind, then the question.
    if (size == 0) {
        return 0;
    }
    halden::InstanceRequest request;
    request.kind = static_cast<halden::InstanceRequestKind>(data[0] % 3);
    request.question.assign(line.substr(1));
    const std::optional<std::string> sent = halden::InstanceRequestLine(request);
    if (request.kind == halden::InstanceRequestKind::Raise) {
        // A raise carries no question, whatever the request holds.
        if (!sent) std::abort();
        request.question.clear();
    } else if (sent.has_value() != Sendable(request.question)) {
        std::abort();  // a question that fits is sent whole; one that does not is refused, never cut
    }
    if (sent) {
        if (sent->size() > halden::kLongestInstanceRequest || sent->find('\n') != std::string::npos) std::abort();
        const std::optional<halden::InstanceRequest> back = halden::ReadInstanceRequest(*sent);
        if (!back || !Same(*back, request)) std::abort();
    }
    return 0;
}
