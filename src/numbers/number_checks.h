// Checks of typed numbers: whether a text may be converted or calculated.
//
// Both return 0 when the text is accepted and 1 when it is rejected. A text with a comma is
// warned about through the given sink (the comma message, exclamation icon).
#pragma once

#include "numbers/message_sink.h"

#include <optional>
#include <string>
#include <string_view>

namespace halden {

/// The converter's check of its input text. Returns 0 accepted, 1 rejected.
int NonNumCheck(std::string_view text, MessageSink& sink);
/// The calculator's check of one operand text. Returns 0 accepted, 1 rejected.
int InvalidNumCheck(std::string_view text, MessageSink& sink);

/// A value given whole, as on the command line: the text read as ASCII (full-width digits, the
/// minus sign U+2212, no-break spaces), blanks around it dropped; it must then be non-empty, hold
/// no comma and pass InvalidNumCheck. The text to convert, or nothing when it is no number.
std::optional<std::string> FinishedOperand(std::string_view text);

}  // namespace halden
