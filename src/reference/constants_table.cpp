#include "reference/constants_table.h"

#include "numbers/characters.h"

#include <cstddef>

namespace halden {
namespace {

constexpr std::size_t kFirstPageRows = 12;
// An empty entry goes before the 5th and the 9th row of each page.
constexpr std::size_t kRowsPerGroup = 4;

std::string_view ColumnText(const PhysicalConstant& row, ConstantsColumn column) {
    switch (column) {
        case ConstantsColumn::Quantity:
            return row.name;
        case ConstantsColumn::Symbol:
            return row.symbol;
        case ConstantsColumn::Unit:
            return row.unit;
        case ConstantsColumn::Value:
            return row.value;
    }
    return {};
}

std::string EntryAt(int page, ConstantsColumn column, int index) {
    if (index < 0) {
        return {};
    }
    const std::vector<std::string> entries = ConstantsPageEntries(page, column);
    if (static_cast<std::size_t>(index) >= entries.size()) {
        return {};
    }
    return entries[static_cast<std::size_t>(index)];
}

}  // namespace

const std::array<PhysicalConstant, kPhysicalConstantCount>& PhysicalConstants() {
    static const std::array<PhysicalConstant, kPhysicalConstantCount> table{{
        {"Avogadro定数", "ＮA", "mol^-1", "6.022 045 E+23"},
        {"Bohr半径", "α0", "m", "5.291 770 6 E-11"},
        {"Boltzmann定数", "ｋ", "J/K", "1.380 662 E-23"},
        {"Faraday定数", "Ｆ", "C/mol", "9.648 456 E+04"},
        {"Josephson周波数電圧比", "2e/h", "Hz/V", "4.835 939 E+14"},
        {"Planck定数", "ｈ", "J/Hz", "6.626 176 E-34"},
        {"Rydberg定数", "Ｒ∞", "m^-1", "1.097 373 177 E+07"},
        {"Stefan-Boltzmann定数", "σ", "W/(m^2-K^4)", "5.670 32 E-08"},
        {"気体定数", "Ｒ", "J/(mol-K)", "8.314 41"},
        {"原子質量単位", "ｕ", "kg", "1.660 565 5 E-27"},
        {"光速（真空中）", "ｃ", "m/s", "2.997 924 58 E+08"},
        {"中性子の質量（静止時）", "ｍn", "kg", "1.674 954 3 E-27"},
        {"電子の質量（静止時）", "ｍe", "kg", "9.109 534 E-31"},
        {"電子の磁気モーメント", "μe", "J/T", "9.284 832 E-24"},
        {"電子の電荷", "ｅ", "C", "1.602 189 2 E-19"},
        {"電子の比電荷", "e/m", "C/kg", "1.758 804 7 E+11"},
        {"万有引力定数", "Ｇ", "m^3/(s^2-kg)", "6.672 0 E-11"},
        {"微細構造定数", "α-1", " ", "1.370 360 4 E+2"},
        {"放射の第１定数", "ｃ1", "W-m^2", "3.741 832 E-16"},
        {"放射の第２定数", "ｃ2", "m-K", "1.438 786 E-02"},
        {"理想気体標準体積", "Ｖ0", "m^3/mol", "2.241 383 E-02"},
        {"陽子の質量（静止時）", "ｍp", "kg", "1.672 648 5 E-27"},
        {"陽子の磁気回転比", "γp", "Hz/T", "2.675 198 7 E+08"},
    }};
    return table;
}

std::vector<std::string> ConstantsPageEntries(int page, ConstantsColumn column) {
    const auto& table = PhysicalConstants();
    const std::size_t first = page == kConstantsSecondPage ? kFirstPageRows : 0;
    const std::size_t end = page == kConstantsSecondPage ? table.size() : kFirstPageRows;
    std::vector<std::string> entries;
    for (std::size_t row = first; row < end; ++row) {
        const std::size_t onPage = row - first;
        if (onPage != 0 && onPage % kRowsPerGroup == 0) {
            entries.emplace_back();
        }
        entries.emplace_back(ColumnText(table[row], column));
    }
    return entries;
}

std::string RemoveBlanks(std::string_view text) {
    std::string compact(text);
    const std::size_t startingLength = compact.size();
    for (std::size_t i = 0; i < startingLength && i < compact.size(); ++i) {
        if (compact[i] == ' ') {
            compact.erase(i, 1);
        }
    }
    return compact;
}

std::string ConstantsCopy(int page, int quantityIndex, int unitIndex, int valueIndex) {
    const std::string value = RemoveBlanks(TrimBlanks(EntryAt(page, ConstantsColumn::Value, valueIndex)));
    return EntryAt(page, ConstantsColumn::Quantity, quantityIndex) + EntryAt(page, ConstantsColumn::Unit, unitIndex) +
           value;
}

}  // namespace halden
