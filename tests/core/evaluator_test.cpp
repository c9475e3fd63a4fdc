#include "calc/evaluator.h"

#include "numbers/message_sink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

constexpr double kAnyValue = 0;  // stands for "not compared" in rows that fail

struct CalcCase {
    const char* name;
    std::string expression;
    bool fails;
    bool wrote;
    double result;
    int errorCount;
    double tolerance = 0;  // 0: bit for bit
    int commaMessages = 0;
};

const double kPiTimesTwo = 3.14159265358979 * 2;

const CalcCase kCalcCases[] = {
    {"addition", "2+3", false, true, 5, 0},
    {"sign of the right operand", "3*-5", false, true, -15, 0},
    {"minus then negative", "5--3", false, true, 8, 0},
    {"leading sign stays with the first number", "-5-3", false, true, -8, 0},
    {"division", "10/4", false, true, 2.5, 0},
    {"power", "2^10", false, true, 1024, 0},
    {"negative power", "2^-1", false, true, 0.5, 0},
    {"exponent then operator", "1E3+2", false, true, 1002, 0},
    {"plus after E belongs to the number", "1E+3*2", false, true, 2000, 0},
    {"minus after lower-case e belongs to the number", "1e-3*2", false, true, 0.002, 0},
    {"number with exponent alone writes nothing", "2E-3", false, false, 0, 0},
    {"lone number writes nothing", "5", false, false, 0, 0},
    {"empty text writes nothing", "", false, false, 0, 0},
    {"blanks only write nothing", "   ", false, false, 0, 0},
    {"lone constant writes nothing", "PI", false, false, 0, 0},
    {"pi constant", "PI*2", false, true, kPiTimesTwo, 0},
    {"pi in lower case", "pi*2", false, true, kPiTimesTwo, 0},
    {"pi in mixed case", "Pi*2", false, true, kPiTimesTwo, 0},
    {"both operands pi", "PI-pi", false, true, 0, 0},
    {"pa constant", "PA*1", false, true, 3.141986363, 0},
    {"third pi stays letters", "PIxPIxSQRPI", false, true, 0, 1},
    {"second pi is replaced", "PIxSQRPI", false, true, std::sqrt(3.14159265358979), 0},
    {"second pa is replaced", "PAxSQRpa", false, true, std::sqrt(3.141986363), 0},
    {"sine in degrees", "SIN30", false, true, 0.5, 0, 1e-15},
    {"blank before the argument", "sin 30", false, true, 0.5, 0, 1e-15},
    {"argument before a name that ends the text", "30SIN", false, true, 0.5, 0, 1e-15},
    {"function wins over an operator before it", "2*SIN30", false, true, 0.5, 0, 1e-15},
    {"cosine in degrees", "COS60", false, true, 0.5, 0, 1e-15},
    {"tangent in degrees", "TAN45", false, true, 1, 0, 1e-15},
    {"square root of the magnitude", "SQR-16", false, true, 4, 0},
    {"logarithm of one", "LOG1", false, true, 0, 0},
    {"logarithm of the magnitude", "LOG-1", false, true, 0, 0},
    {"natural logarithm", "log 100", false, true, std::log(100.0), 0},
    {"function of pi", "COSPI", false, true, std::cos(3.14159265358979 * (4 * std::atan(1.0) / 180)), 0},
    {"first function in the text wins", "COS0SIN90", false, true, 1, 1},
    {"function name alone", "SIN", false, true, 0, 0},
    {"surrounding blanks are trimmed", "  2+3  ", false, true, 5, 0},
    {"blanks around the operator", "2 + 3", false, true, 5, 0},
    {"logarithm of zero fails", "LOG0", true, false, kAnyValue, 0},
    {"division by zero fails", "1/0", true, false, kAnyValue, 0},
    {"zero by zero fails", "0/0", true, false, kAnyValue, 0},
    {"overflow fails", "1E308*10", true, false, kAnyValue, 0},
    {"subtraction overflow fails", "-1E308-1E308", true, false, kAnyValue, 0},
    {"negative base to a fractional power fails", "-8^0.5", true, false, kAnyValue, 0},
    {"zero to a negative power fails", "0^-1", true, false, kAnyValue, 0},
    {"power overflow fails", "10^400", true, false, kAnyValue, 0},
    {"operand beyond the range fails", "1E400+1", true, false, kAnyValue, 0},
    {"zero to the zero is one", "0^0", false, true, 1, 0},
    {"negative base to a whole power", "-2^3", false, true, -8, 0},
    {"second operator only counts an error", "1+2+3", false, true, 3, 1},
    {"function followed by an operation", "SIN30+1", false, true, 0.5, 1, 1e-15},
    {"SQRT reads its argument as zero", "SQRT9", false, true, 0, 1},
    {"letters as an operand", "x+1", false, true, 1, 1},
    {"both operands bad", "a*b", false, true, 0, 2},
    {"comma operand warns and reads before the comma", "1,5+1", false, true, 2, 0, 0, 1},
    {"comma in both operands warns twice", "1,5*2,5", false, true, 2, 0, 0, 2},
    {"comma in a function argument", "SQR16,5", false, true, 4, 0, 0, 1},
};

TEST(Calc_1, EvaluatesTheTable) {
    for (const auto& row : kCalcCases) {
        SCOPED_TRACE(row.name);
        halden::RecordingSink sink;
        const auto outputs = halden::Calc_1(row.expression, sink);
        EXPECT_EQ(sink.messages.size(), static_cast<std::size_t>(row.commaMessages));
        if (row.fails) {
            EXPECT_FALSE(outputs.has_value());
            continue;
        }
        ASSERT_TRUE(outputs.has_value());
        EXPECT_EQ(outputs->wrote, row.wrote);
        EXPECT_EQ(outputs->errorCount, row.errorCount);
        if (row.tolerance > 0) {
            EXPECT_NEAR(outputs->result, row.result, row.tolerance);
        } else {
            EXPECT_EQ(outputs->result, row.result);
        }
    }
}

struct ShownCase {
    const char* name;
    std::string expression;
    int pnFigure;
    int pnFormFlag;
    std::optional<std::string> shown;  // nothing: the window shows its "Input error"
};

const ShownCase kShownCases[] = {
    {"sum with six digits", "2+3", 6, 0, "5.00000"},
    {"empty input shows zero", "", 6, 0, "0.00000E+00"},
    {"lone number shows zero", "5", 6, 0, "0.00000E+00"},
    {"sine rounds to one half", "SIN30", 6, 0, "0.500000"},
    {"integer option", "10/4", 7, 0, "3"},
    {"scientific option", "10/4", 4, 1, "2.500E+00"},
    {"long plain text goes to exponent", "1.2345678E-6*1", 8, 0, "1.2345678E-06"},
    {"operand error", "1+2+3", 6, 0, std::nullopt},
    {"division by zero", "1/0", 6, 0, std::nullopt},
    {"logarithm of zero", "LOG0", 6, 0, std::nullopt},
    {"comma still calculates", "1,5+1", 6, 0, "2.00000"},
};

TEST(CalculatorResultText, ShowsWhatExecuteWrites) {
    for (const auto& row : kShownCases) {
        SCOPED_TRACE(row.name);
        halden::RecordingSink sink;
        EXPECT_EQ(halden::CalculatorResultText(row.expression, row.pnFigure, row.pnFormFlag, sink), row.shown);
    }
}

struct ReplaceCase {
    const char* name;
    std::string source, word, replacement, text;
};

const ReplaceCase kReplaceCases[] = {
    {"first occurrence only", "PIxPI", "PI", "3", "3xPI"},
    {"case ignored", "2*pI", "PI", "3.14", "2*3.14"},
    {"word at the end", "abPI", "pi", "!", "ab!"},
    {"word absent", "abc", "PI", "!", "abc"},
    {"word longer than the source", "P", "PI", "!", "P"},
    {"empty word leaves the source", "abc", "", "!", "abc"},
    {"empty source", "", "PI", "!", ""},
    {"replacement with the word in it is not searched again", "PI", "PI", "PIPI", "PIPI"},
};

TEST(ReplaceFirst, ReplacesTheFirstOccurrenceIgnoringCase) {
    for (const auto& row : kReplaceCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::ReplaceFirst(row.source, row.word, row.replacement), row.text);
    }
}

}  // namespace
