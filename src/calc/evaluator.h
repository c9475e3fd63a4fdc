// The calculator's expression evaluator: one function of one number, or one operation between
// two numbers; "PI" and "PA" as named constants.
#pragma once

#include "numbers/message_sink.h"

#include <optional>
#include <string>
#include <string_view>

namespace halden {

struct CalcOutputs {
    bool wrote = false;   // false for a lone number, a lone constant or an empty text
    double result = 0.0;  // 0 when nothing was written
    int errorCount = 0;   // rejected operands (InvalidNumCheck)
};

/// Evaluates expression. Returns std::nullopt for an arithmetic failure (division by zero, 0/0,
/// overflow, logarithm of 0 or of a negative number, a negative base to a fractional power):
/// never an infinite or NaN result. Comma warnings go to sink.
std::optional<CalcOutputs> Calc_1(std::string_view expression, MessageSink& sink);

/// source with the first occurrence of word replaced by replacement.
std::string ReplaceFirst(std::string_view source, std::string_view word, std::string_view replacement);

/// What the calculator's result box shows for expression: the calculator form of FormatResult
/// with the given options; nothing when the expression cannot be worked out.
std::optional<std::string> CalculatorResultText(std::string_view expression, int pnFigure, int pnFormFlag,
                                                MessageSink& sink);

}  // namespace halden
