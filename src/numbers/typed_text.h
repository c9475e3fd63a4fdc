// Text as it arrives from a keyboard, an input method or another program, made readable by the
// number reading and the unit names: full-width forms and typographic signs as their ASCII forms,
// and pasted text cut to the one line a box holds.
#pragma once

#include <string>
#include <string_view>

namespace halden {

/// text (UTF-8) with the full-width ASCII forms U+FF01..U+FF5E as their ASCII characters, the
/// ideographic space and the no-break spaces as a space, and the minus sign U+2212 as "-". Every
/// replaced character becomes exactly one character, so positions counted in characters keep;
/// everything else, invalid bytes included, stays as it is.
std::string AsciiTypedText(std::string_view text);

/// What a single-line box takes of pasted or dropped text: line breaks (CR, LF) at either end
/// dropped; of text with a line break inside, the first line.
std::string_view PastedLine(std::string_view text);

}  // namespace halden
