#include "calc/evaluator.h"

#include "numbers/arithmetic.h"
#include "numbers/characters.h"
#include "numbers/format_result.h"
#include "numbers/leading_number.h"
#include "numbers/number_checks.h"

#include <cmath>

namespace halden {
namespace {

// The texts the named constants stand for: pi as four times the arc tangent of 1 written with
// 15 significant digits, and the fixed value of PA.
constexpr std::string_view kPiText = "3.14159265358979";
constexpr std::string_view kPaText = "3.141986363";

enum class Function { Sin, Cos, Tan, Sqr, Log };
enum class Operator { Add, Subtract, Multiply, Divide, Power };

struct FunctionName {
    std::string_view name;
    Function function;
};
// Searched in this order at each position.
constexpr FunctionName kFunctions[] = {{"SIN", Function::Sin},
                                       {"COS", Function::Cos},
                                       {"TAN", Function::Tan},
                                       {"SQR", Function::Sqr},
                                       {"LOG", Function::Log}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t FindIgnoringCase(std::string_view source, std::string_view word) {
    if (word.empty() || word.size() > source.size()) {
        return std::string_view::npos;
    }
    for (std::size_t p = 0; p + word.size() <= source.size(); ++p) {
        if (EqualsIgnoringCase(source.substr(p, word.size()), word)) {
            return p;
        }
    }
    return std::string_view::npos;
}

std::optional<double> ApplyFunction(Function function, double x) {
    const double radians = x * (Pi() / 180.0);
    switch (function) {
        case Function::Sin:
            return Finite(std::sin(radians));
        case Function::Cos:
            return Finite(std::cos(radians));
        case Function::Tan:
            return Finite(std::tan(radians));
        case Function::Sqr:
            return Finite(std::sqrt(std::fabs(x)));
        case Function::Log:
            // The logarithm of 0 has no value; std::log would give -inf.
            if (x == 0.0) {
                return std::nullopt;
            }
            return Finite(std::log(std::fabs(x)));
    }
    return std::nullopt;
}

std::optional<double> ApplyOperator(Operator op, double a, double b) {
    switch (op) {
        case Operator::Add:
            return Finite(a + b);
        case Operator::Subtract:
            return Finite(a - b);
        case Operator::Multiply:
            return Finite(a * b);
        case Operator::Divide:
            if (b == 0.0) {
                return std::nullopt;
            }
            return Finite(a / b);
        case Operator::Power:
            // A negative base to a fractional power gives NaN, 0 to a negative power infinity.
            return Finite(std::pow(a, b));
    }
    return std::nullopt;
}

std::optional<Operator> OperatorAt(std::string_view s, std::size_t i) {
    const char c = s[i];
    const char before = s[i - 1];
    const bool afterExponentLetter = before == 'E' || before == 'e';
    switch (c) {
        case '+':
            if (!afterExponentLetter) {
                return Operator::Add;
            }
            break;
        case '-':
            if (!afterExponentLetter) {
                return Operator::Subtract;
            }
            break;
        case '*':
            return Operator::Multiply;
        case '/':
            return Operator::Divide;
        case '^':
            return Operator::Power;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::string ReplaceFirst(std::string_view source, std::string_view word, std::string_view replacement) {
    const auto p = FindIgnoringCase(source, word);
    if (p == std::string_view::npos) {
        return std::string(source);
    }
    std::string result;
    result.reserve(source.size() - word.size() + replacement.size());
    result.append(source.substr(0, p));
    result.append(replacement);
    result.append(source.substr(p + word.size()));
    return result;
}

std::optional<CalcOutputs> Calc_1(std::string_view expression, MessageSink& sink) {
    std::string s(TrimBlanks(expression));
    // Only the first two occurrences of each constant are replaced.
    s = ReplaceFirst(s, "PI", kPiText);
    s = ReplaceFirst(s, "PI", kPiText);
    s = ReplaceFirst(s, "PA", kPaText);
    s = ReplaceFirst(s, "PA", kPaText);
    const std::size_t n = s.size();

    // The first function name anywhere in the text wins over everything else.
    for (std::size_t i = 0; i + 3 <= n; ++i) {
        const std::string_view three = std::string_view(s).substr(i, 3);
        for (const auto& f : kFunctions) {
            if (!EqualsIgnoringCase(three, f.name)) {
                continue;
            }
            // The argument follows the name; only a name at the very end takes the text before it.
            const std::string_view argument =
                i + 3 < n ? std::string_view(s).substr(i + 3) : std::string_view(s).substr(0, i);
            CalcOutputs out;
            out.errorCount = InvalidNumCheck(argument, sink);
            const auto x = LeadingNumber(argument);
            if (!x) {
                return std::nullopt;
            }
            const auto value = ApplyFunction(f.function, *x);
            if (!value) {
                return std::nullopt;
            }
            out.wrote = true;
            out.result = *value;
            return out;
        }
    }

    // The first character is never an operator, so a leading sign stays with the first number.
    for (std::size_t i = 1; i < n; ++i) {
        const auto op = OperatorAt(s, i);
        if (!op) {
            continue;
        }
        const std::string_view left = std::string_view(s).substr(0, i);
        const std::string_view right = std::string_view(s).substr(i + 1);
        CalcOutputs out;
        out.errorCount = InvalidNumCheck(left, sink);
        out.errorCount += InvalidNumCheck(right, sink);
        const auto a = LeadingNumber(left);
        const auto b = LeadingNumber(right);
        if (!a || !b) {
            return std::nullopt;
        }
        const auto value = ApplyOperator(*op, *a, *b);
        if (!value) {
            return std::nullopt;
        }
        out.wrote = true;
        out.result = *value;
        return out;
    }
    return CalcOutputs{};
}

std::optional<std::string> CalculatorResultText(std::string_view expression, int pnFigure, int pnFormFlag,
                                                MessageSink& sink) {
    // The result and error count start at 0, so an expression that writes nothing shows 0.
    double result = 0.0;
    int errorCount = 0;
    const auto outputs = Calc_1(expression, sink);
    if (!outputs) {
        return std::nullopt;
    }
    if (outputs->wrote) {
        result = outputs->result;
        errorCount = outputs->errorCount;
    }
    if (errorCount != 0) {
        return std::nullopt;
    }
    return FormatResult(result, true, pnFigure, pnFormFlag);
}

}  // namespace halden
