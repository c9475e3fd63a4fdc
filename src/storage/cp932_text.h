// The text encoding of the user units file.
//
// Texts are stored in code page 932 (Shift_JIS as Windows extends it), so files written on Japanese
// systems read and save back byte for byte. A text with a character that code page 932 cannot
// hold is stored as the bytes EF BB BF followed by its UTF-8 bytes; those three bytes never begin
// a code page 932 text, so the reader can tell the two apart. In the program texts are UTF-8.
#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

namespace halden {

/// Converts texts between UTF-8 and the file's encoding. Each converter is opened when the first
/// text that needs it comes and kept for the codec's lifetime, so one file's 660 texts need at most
/// one set-up, and a file of ASCII texts none.
class Cp932Codec {
public:
    Cp932Codec();
    ~Cp932Codec();
    Cp932Codec(const Cp932Codec&) = delete;
    Cp932Codec& operator=(const Cp932Codec&) = delete;

    /// The UTF-8 text the stored bytes stand for. Bytes that are not valid code page 932 read as
    /// U+FFFD each; the reading never fails.
    std::string Decode(std::string_view stored);
    /// The bytes to store for a UTF-8 text: code page 932 when every character fits, otherwise
    /// EF BB BF and the text itself.
    std::string Encode(std::string_view text);

private:
    iconv_t ToUtf8();
    iconv_t FromUtf8();

    iconv_t to_utf8_ = nullptr;
    iconv_t from_utf8_ = nullptr;
};

/// Whether bytes form valid UTF-8 (no overlong forms, no surrogates, nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace halden
