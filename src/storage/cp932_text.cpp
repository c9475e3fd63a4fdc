#include "storage/cp932_text.h"

#include <cerrno>
#include <cstdint>

namespace halden {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

void ResetConverter(iconv_t cd) {
    if (cd != reinterpret_cast<iconv_t>(-1)) {
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            length = 2;
            code = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            length = 3;
            code = b0 & 0x0F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            length = 4;
            code = b0 & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (b & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

Cp932Codec::Cp932Codec() = default;

Cp932Codec::~Cp932Codec() {
    for (iconv_t cd : {to_utf8_, from_utf8_}) {
        if (cd != nullptr && cd != reinterpret_cast<iconv_t>(-1)) {
            ::iconv_close(cd);
        }
    }
}

iconv_t Cp932Codec::ToUtf8() {
    if (to_utf8_ == nullptr) {
        to_utf8_ = ::iconv_open("UTF-8", "CP932");
    }
    return to_utf8_;
}

iconv_t Cp932Codec::FromUtf8() {
    if (from_utf8_ == nullptr) {
        from_utf8_ = ::iconv_open("CP932", "UTF-8");
    }
    return from_utf8_;
}

std::string Cp932Codec::Decode(std::string_view stored) {
    if (IsAscii(stored)) {
        return std::string(stored);
    }
    if (stored.starts_with(kUtf8Mark) && IsValidUtf8(stored.substr(kUtf8Mark.size()))) {
        return std::string(stored.substr(kUtf8Mark.size()));
    }
    std::string text;
    const iconv_t cd = ToUtf8();
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without a converter only the ASCII bytes can be read with certainty.
        for (const char c : stored) {
            if (static_cast<unsigned char>(c) < 0x80) {
                text += c;
            } else {
                text += kReplacement;
            }
        }
        return text;
    }
    ResetConverter(cd);
    text.reserve(stored.size() * 2);
    char* in = const_cast<char*>(stored.data());
    std::size_t in_left = stored.size();
    char buffer[1024];
    while (in_left > 0) {
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t result = ::iconv(cd, &in, &in_left, &out, &out_left);
        text.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ (a byte no character starts or continues with) or EINVAL (a lead byte at the
        // very end): that one byte reads as the replacement character and reading goes on.
        text += kReplacement;
        ++in;
        --in_left;
        ResetConverter(cd);
    }
    return text;
}

std::string Cp932Codec::Encode(std::string_view text) {
    if (IsAscii(text)) {
        return std::string(text);
    }
    auto escaped = [&] {
        std::string bytes(kUtf8Mark);
        bytes += text;
        return bytes;
    };
    const iconv_t cd = FromUtf8();
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return escaped();
    }
    ResetConverter(cd);
    std::string bytes;
    bytes.reserve(text.size());
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    char buffer[1024];
    while (in_left > 0) {
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t result = ::iconv(cd, &in, &in_left, &out, &out_left);
        bytes.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return escaped();
        }
    }
    // Some characters have a near neighbour in the code page that reads back as another
    // character; only bytes that read back as the very same text are kept.
    if (Decode(bytes) != text) {
        return escaped();
    }
    return bytes;
}

}  // namespace halden
