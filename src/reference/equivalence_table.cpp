#include "reference/equivalence_table.h"

namespace halden {

const std::array<EquivalenceRow, kEquivalenceRows>& EquivalenceTable() {
    static constexpr std::array<EquivalenceRow, kEquivalenceRows> kTable{{
        {"コンダクタンス", "siemens (S)", "1/Ω = A/V"},
        {"インダクタンス", "henry (H)", "Wb/A"},
        {"電荷、電気量", "coulomb (C)", "A-s"},
        {"電位、電圧", "volt (V)", "W/A"},
        {"静電容量", "farad (F)", "C/V"},
        {"電気抵抗", "ohm (Ω)", "1/S = V/A"},
        {"光束", "lumen (lm)", "cd-sr"},
        {"線量当量", "sievert (Sv) = J/kg", "100 rem"},
        {"吸収線量", "gray (Gy) = J/kg", "100 rad"},
    }};
    return kTable;
}

}  // namespace halden
