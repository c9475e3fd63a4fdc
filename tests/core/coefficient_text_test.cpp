// The coefficient text of the Add Units dialog: splitting, building and editing one row.

#include "storage/coefficient_text.h"

#include "numbers/message_sink.h"

#include <gtest/gtest.h>
#include <string>

namespace halden {
namespace {

struct SplitRow {
    const char* name;
    const char* text;
    const char* separator;
    int part;
    const char* expected;
};

TEST(SplitCoefText, PartsAroundTheFirstSeparator) {
    const SplitRow rows[] = {
        {"before keeps trailing blank", "1.8 ; 32", ";", 1, "1.8 "},
        {"before keeps leading blank", "  1.8;32", ";", 1, "  1.8"},
        {"after is trimmed", "1.8 ;  32  ", ";", 2, "32"},
        {"missing separator: whole text", " 5 ", ";", 1, " 5 "},
        {"missing separator: nothing after", "5", ";", 2, ""},
        {"only the first separator divides", "1;2;3", ";", 2, "2;3"},
        {"selector 0 means after", "1;2", ";", 0, "2"},
        {"selector 3 means after", "1;2", ";", 3, "2"},
        {"separator at the start", ";7", ";", 1, ""},
        {"separator at the end", "7;", ";", 2, ""},
        {"long separator skipped whole", "a::b", "::", 2, "b"},
        {"long separator, part before", "a::b", "::", 1, "a"},
        {"case counts", "1e5", "E", 2, ""},
        {"empty separator never found", "abc", "", 1, "abc"},
        {"empty separator, part after empty", "abc", "", 2, ""},
        {"tabs are not blanks", "1;\t2\t", ";", 2, "\t2\t"},
        {"multi-byte text before", "尺;3", ";", 1, "尺"},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SplitCoefText(row.text, row.separator, row.part), row.expected);
    }
}

struct CoefTextRow {
    const char* name;
    const char* factor;
    const char* offset;
    const char* expected;
};

TEST(CoefText, FactorAndOffsetJoinedOnlyWhenThereIsAnOffset) {
    const CoefTextRow rows[] = {
        {"factor alone", "5", "", "5"},
        {"factor and offset", "1.8", "32", "1.8;32"},
        {"both trimmed", "  1.8 ", " 32  ", "1.8;32"},
        {"blank offset leaves no separator", "2.54", "   ", "2.54"},
        {"offset 0 is still an offset", "2.54", "0", "2.54;0"},
        {"empty factor with offset", "", "3", ";3"},
        {"both empty", "", "", ""},
        {"blank factor becomes empty", "   ", "", ""},
    };
    for (const CoefTextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CoefText(row.factor, row.offset), row.expected);
    }
}

struct ChangeRow {
    const char* name;
    const char* box;
    bool accepted;
    const char* factor;  // working texts afterwards, starting from "L1" / "L2"
    const char* offset;
    std::size_t commaMessages;
};

TEST(CoefChange, AcceptedPartsReplaceTheRowRejectedOnesKeepIt) {
    const ChangeRow rows[] = {
        {"factor and offset", "2.54;0", true, "2.54", "0", 0},
        {"blanks around the separator", "1.8 ; 32", true, "1.8", "32", 0},
        {"lone factor clears the offset", "5", true, "5", "", 0},
        {"second separator rejected", "1;2;3", false, "L1", "L2", 0},
        {"bad factor rejected", "12x", false, "L1", "L2", 0},
        {"bad offset rejected", "3;abc", false, "L1", "L2", 0},
        {"beyond the double range rejected", "1E400", false, "L1", "L2", 0},
        {"empty box empties the row", "", true, "", "", 0},
        {"lone separator empties the row", ";", true, "", "", 0},
        {"half-typed exponent passes", "2e-", true, "2e-", "", 0},
        {"lone minus offset passes", "1;-", true, "1", "-", 0},
        {"comma warns and is taken", "1,5", true, "1,5", "", 1},
        {"commas in both parts warn twice", "1,5;2,5", true, "1,5", "2,5", 2},
        {"rejected factor skips the offset check", "1.2.3;1,5", false, "L1", "L2", 0},
        {"factor blanks trimmed before the check", "  4  ;", true, "4", "", 0},
    };
    for (const ChangeRow& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingSink sink;
        const CoefChangeResult result = CoefChange(row.box, "L1", "L2", sink);
        EXPECT_EQ(result.accepted, row.accepted);
        EXPECT_EQ(result.factorText, row.factor);
        EXPECT_EQ(result.offsetText, row.offset);
        EXPECT_EQ(sink.messages.size(), row.commaMessages);
        for (const Message& message : sink.messages) {
            EXPECT_EQ(message.icon, MessageIcon::Exclamation);
            EXPECT_EQ(message.title, kMessageTitle);
        }
    }
}

TEST(CoefChange, ShownTextReadsBackAsTheStoredTexts) {
    // What a row shows when a group is picked must give the same texts back when it is taken apart,
    // or switching groups would change the working copy: the row's own texts byte for byte, and
    // another row's texts trimmed.
    const std::pair<const char*, const char*> stored[] = {
        {"2.54", "0"}, {" 1.8", "32 "}, {"5", ""}, {"", "3"}, {"-", "-"}, {"1e3", "  "}, {"  7  ", ""},
    };
    for (const auto& [factor, offset] : stored) {
        SCOPED_TRACE(std::string(factor) + "|" + offset);
        RecordingSink sink;
        const CoefChangeResult own = CoefChange(CoefText(factor, offset), factor, offset, sink);
        ASSERT_TRUE(own.accepted);
        EXPECT_EQ(own.factorText, factor);
        EXPECT_EQ(own.offsetText, offset);
        const CoefChangeResult other = CoefChange(CoefText(factor, offset), "", "", sink);
        ASSERT_TRUE(other.accepted);
        EXPECT_EQ(other.factorText, CoefText(factor, "")) << "factor";
        EXPECT_EQ(CoefText(other.factorText, other.offsetText), CoefText(factor, offset));
    }
}

}  // namespace
}  // namespace halden
