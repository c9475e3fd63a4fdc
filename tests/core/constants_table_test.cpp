#include "reference/constants_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using halden::ConstantsColumn;
using halden::ConstantsPageEntries;

TEST(ConstantsTable, PagesHoldTheirRowsWithSeparatorsBeforeTheFifthAndNinthRow) {
    struct PageCase {
        const char* name;
        int page;
        std::vector<std::string> quantities;
    };
    const PageCase cases[] = {
        {"first page",
         -1,
         {"Avogadro定数", "Bohr半径", "Boltzmann定数", "Faraday定数", "", "Josephson周波数電圧比", "Planck定数",
          "Rydberg定数", "Stefan-Boltzmann定数", "", "気体定数", "原子質量単位", "光速（真空中）",
          "中性子の質量（静止時）"}},
        {"second page",
         1,
         {"電子の質量（静止時）", "電子の磁気モーメント", "電子の電荷", "電子の比電荷", "", "万有引力定数",
          "微細構造定数", "放射の第１定数", "放射の第２定数", "", "理想気体標準体積", "陽子の質量（静止時）",
          "陽子の磁気回転比"}},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ConstantsPageEntries(c.page, ConstantsColumn::Quantity), c.quantities);
    }
}

TEST(ConstantsTable, ColumnsStayAlignedRowForRow) {
    // Every column of a page has its separators at the same places, so the row a user reads
    // across the four lists is one constant.
    for (int page : {-1, 1}) {
        const auto names = ConstantsPageEntries(page, ConstantsColumn::Quantity);
        for (ConstantsColumn column : {ConstantsColumn::Symbol, ConstantsColumn::Unit, ConstantsColumn::Value}) {
            const auto entries = ConstantsPageEntries(page, column);
            ASSERT_EQ(entries.size(), names.size());
            for (std::size_t i = 0; i < entries.size(); ++i) {
                EXPECT_EQ(entries[i].empty(), names[i].empty()) << "page " << page << " entry " << i;
            }
        }
    }
}

TEST(ConstantsTable, FullWidthLettersAndTheBlankUnitAreExact) {
    const auto& table = halden::PhysicalConstants();
    EXPECT_EQ(table[0].symbol,
              "\xEF\xBC\xAE"
              "A");  // full-width N, ASCII A
    EXPECT_EQ(table[11].symbol,
              "\xEF\xBD\x8D"
              "n");  // full-width m, ASCII n
    EXPECT_EQ(table[17].unit, " ");
    EXPECT_EQ(table[17].value, "1.370 360 4 E+2");
    EXPECT_EQ(table[22].name, "陽子の磁気回転比");
}

TEST(ConstantsTable, EveryValueCopiesWithoutBlanks) {
    // The values group their decimals with single blanks; the one-pass removal must leave none.
    for (const auto& row : halden::PhysicalConstants()) {
        const std::string compact = halden::RemoveBlanks(row.value);
        EXPECT_EQ(compact.find(' '), std::string::npos) << row.value;
        EXPECT_EQ(compact.size() + static_cast<std::size_t>(std::count(row.value.begin(), row.value.end(), ' ')),
                  row.value.size());
    }
}

}  // namespace
