// The coefficient text of a user unit, as the Add Units dialog shows and accepts it.
//
// A unit's coefficient is typed as one text: the factor alone ("2.54"), or the factor, a ";" and
// the offset ("1.8;32"). The first ";" divides the two parts. These functions build that text from
// a unit's stored factor and offset texts, and take an edited text apart again, checking each part
// the way the converter checks its input.
#pragma once

#include "numbers/message_sink.h"

#include <string>
#include <string_view>

namespace halden {

/// The separator between factor and offset in a coefficient text.
inline constexpr std::string_view kCoefSeparator = ";";

/// The piece of text before the first occurrence of separator (when `part` is 1) or after it (any
/// other value), compared character for character. The piece before is returned untrimmed (the
/// whole text when the separator is missing); the piece after is returned with blanks removed at
/// both ends (empty when the separator is missing). An empty separator is never found.
std::string SplitCoefText(std::string_view text, std::string_view separator, int part);

/// What a row's coefficient box shows for a unit: the factor text with blanks trimmed, followed by
/// ";" and the trimmed offset text only when that is not empty.
std::string CoefText(std::string_view factorText, std::string_view offsetText);

/// The outcome of editing one row's coefficient box.
struct CoefChangeResult {
    bool accepted = true;    // false: the box turns yellow
    std::string factorText;  // the row's working factor text afterwards
    std::string offsetText;  // the row's working offset text afterwards
};

/// Takes an edited coefficient box text apart: the factor part (trimmed) and the offset part are
/// checked with NonNumCheck, the offset only when the factor passes; an empty part passes. When
/// both pass they become the row's new texts, unless the box shows just what CoefText makes of the
/// last texts, which are then kept untrimmed; otherwise the row keeps lastFactorText and
/// lastOffsetText. Comma warnings of the checks go to sink.
CoefChangeResult CoefChange(std::string_view boxText, std::string_view lastFactorText, std::string_view lastOffsetText,
                            MessageSink& sink);

}  // namespace halden
