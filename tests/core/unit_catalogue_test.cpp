#include "catalogue/unit_catalogue.h"

#include "catalogue/unit_catalogue_build.h"
#include "shared/process_state.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace {

using halden::catalogue;

enum FactorKind { kConstant, kComputed };

struct UnitRow {
    int group;
    int index;
    const char* name;
    const char* factor;  // a constant exactly, a computed factor to 15 significant digits
    FactorKind kind;
};

// Every built-in unit with a factor, in build order, with the value its factor must have.
const UnitRow kUnits[] = {
    {0, 0, "meter (m)", "1", kConstant},
    {0, 1, "centimeter (cm)", "0.01", kConstant},
    {0, 2, "millimeter (mm)", "0.001", kConstant},
    {0, 3, "mile", "1609.344", kConstant},
    {0, 4, "nautical mile (n mile)", "1852", kConstant},
    {0, 5, "yard (yd)", "0.9144", kConstant},
    {0, 6, "foot, feet (ft)", "0.3048", kConstant},
    {0, 7, "inch (in)", "0.0254", kConstant},
    {0, 8, "fathom (fath)", "1.8288", kComputed},
    {0, 9, "chain", "20.1168", kComputed},
    {0, 10, "furlong", "201.168", kComputed},
    {0, 11, "micron (μ)", "1E-6", kConstant},
    {0, 12, "angstrom (Å)", "1E-10", kConstant},
    {0, 13, "Fermi (fm) = yukawa", "1E-15", kConstant},
    {0, 14, "X-unit", "1.00208E-13", kConstant},
    {0, 15, "lightyear, 光年", "9.46052961163394E+15", kConstant},
    {0, 16, "厘 [rin]", "0.000303030303030303", kComputed},
    {0, 17, "分 [bu]", "0.00303030303030303", kComputed},
    {0, 18, "寸 [sun]", "0.0303030303030303", kComputed},
    {0, 19, "尺 [shaku]", "0.303030303030303", kComputed},
    {0, 20, "間 [ken]= 歩 [bu]", "1.81818181818182", kComputed},
    {0, 21, "丈 [jou]", "3.03030303030303", kComputed},
    {0, 22, "段 [tan]", "10.9090909090909", kComputed},
    {0, 23, "町 [chou]", "109.090909090909", kComputed},
    {0, 24, "里 [ri]", "3927.27272727273", kComputed},
    {1, 0, "kilogram (kg)", "1", kConstant},
    {1, 1, "pound (lb)", "0.45359237", kConstant},
    {1, 2, "ounce (oz)", "0.028349523125", kComputed},
    {1, 3, "grain (gr)", "6.479891E-5", kComputed},
    {1, 4, "carat (car, ct)", "0.0002", kConstant},
    {1, 5, "slug = lbf-s^2/ft", "14.5939029372064", kComputed},
    {1, 6, "troy pound", "0.3732417216", kComputed},
    {1, 7, "troy ounce", "0.0311034768", kComputed},
    {1, 8, "ton, metric ton", "1000", kComputed},
    {1, 9, "ton [UK], long ton", "1016.0469088", kComputed},
    {1, 10, "ton [US], short ton", "907.18474", kComputed},
    {1, 11, "gamma (γ)", "1E-9", kConstant},
    {1, 12, "匁 [mon-me]", "0.00375", kConstant},
    {1, 13, "斤 [kin] [通常品]", "0.6", kComputed},
    {1, 14, "貫 [kan]", "3.75", kComputed},
    {2, 0, "square meter (m^2)", "1", kConstant},
    {2, 1, "are (a)", "100", kConstant},
    {2, 2, "hectare (ha)", "10000", kConstant},
    {2, 3, "acre", "4046.8564", kConstant},
    {2, 4, "square inch (in^2)", "0.00064516", kComputed},
    {2, 5, "square foot (ft^2)", "0.09290304", kComputed},
    {2, 6, "square yard (yd^2)", "0.83612736", kComputed},
    {2, 7, "mile^2", "2589988.110336", kComputed},
    {2, 8, "勺 [shaku]", "0.0330578512396694", kComputed},
    {2, 9, "合 [gou]", "0.330578512396694", kComputed},
    {2, 10, "尺坪 [shaku-tsubo]", "0.0918273645546373", kComputed},
    {2, 11, "坪 [tsubo] = 歩 [bu]", "3.30578512396694", kComputed},
    {2, 12, "畝 [se]", "99.1735537190083", kComputed},
    {2, 13, "段 = 反 [tan]", "991.735537190083", kComputed},
    {2, 14, "町 [chou]", "9917.35537190083", kComputed},
    {3, 0, "cubic meter (m^3)", "1", kConstant},
    {3, 1, "cubic centimeter (cc)", "1E-6", kConstant},
    {3, 2, "cubic inch (in^3)", "1.6387064E-5", kComputed},
    {3, 3, "cubic foot (ft^3)", "0.028316846592", kComputed},
    {3, 4, "cubic yard (yd^3)", "0.764554857984", kComputed},
    {3, 5, "liter (l)", "0.001", kConstant},
    {3, 6, "deciliter (dl)", "0.0001", kConstant},
    {3, 7, "米 gallon [液] (gal)", "0.003785412", kConstant},
    {3, 8, "米 barrel [液]", "0.119240478", kComputed},
    {3, 9, "米 barrel [石油]", "0.158987304", kComputed},
    {3, 10, "米 quart [液] (liq qt)", "0.000946353", kComputed},
    {3, 11, "米 pint [液] (liq pt)", "0.0004731765", kComputed},
    {3, 12, "米 ounce [液] (fl oz)", "2.957353125E-5", kComputed},
    {3, 13, "米 barrel [乾]", "0.115627130181818", kComputed},
    {3, 14, "米 bushel [乾] (bu)", "0.0352390721776623", kComputed},
    {3, 15, "米 peck [乾]", "0.00880976804441558", kComputed},
    {3, 16, "米 quart [乾] (dry qt)", "0.00110122100555195", kComputed},
    {3, 17, "米 pint [乾] (dry pt)", "0.000550610502775974", kComputed},
    {3, 18, "英 gallon [液] (gal)", "0.0045460919", kConstant},
    {3, 19, "英 barrel [液]", "0.1636593084", kComputed},
    {3, 20, "英 quart [液] (liq qt)", "0.001136522975", kComputed},
    {3, 21, "英 pint [液] (liq pt)", "0.0005682614875", kComputed},
    {3, 22, "英 ounce [液] (fl oz)", "2.8413074375E-5", kComputed},
    {3, 23, "英 bushel [乾] (bu)", "0.0363687352", kComputed},
    {3, 24, "勺 [shaku]", "1.80391E-5", kComputed},
    {3, 25, "合 [gou]", "0.000180391", kComputed},
    {3, 26, "升 [shou]", "0.00180391", kComputed},
    {3, 27, "斗 [to]", "0.0180391", kComputed},
    {3, 28, "才 [sai]", "0.0278264741074658", kComputed},
    {3, 29, "石 [koku]", "0.180391", kComputed},
    {3, 30, "立坪 [ryu-tsubo]", "6.01051840721262", kComputed},
    {4, 0, "Pa = N/m^2", "1", kConstant},
    {4, 1, "kPa", "1000", kConstant},
    {4, 2, "MPa", "1000000", kConstant},
    {4, 3, "kgf/mm^2", "9806650", kConstant},
    {4, 4, "kgf/cm^2", "98066.5", kConstant},
    {4, 5, "kgf/m^2", "9.80665", kConstant},
    {4, 6, "lbf/in^2, psi", "6894.75729316836", kComputed},
    {4, 7, "hPa", "100", kConstant},
    {4, 8, "bar", "100000", kConstant},
    {4, 9, "気圧 (atm)", "101325", kConstant},
    {4, 10, "mmHg = Torr", "133.322368421053", kComputed},
    {4, 11, "mmAq", "9.80665", kConstant},
    {4, 12, "lbf/ft^2", "47.8802589803358", kComputed},
    {5, 0, "W, J/s, N-m/s, V-A", "1", kConstant},
    {5, 1, "仏馬力 (PS)", "735.49875", kConstant},
    {5, 2, "kcal/h", "1.163", kConstant},
    {5, 3, "kgf-m/s", "9.80665", kConstant},
    {5, 4, "英馬力 (hp, HP)", "745.69987158227", kComputed},
    {5, 5, "英熱量毎時 (Btu/h)", "0.2930711", kConstant},
    {5, 6, "ft-lbf/s", "1.3558179483314", kComputed},
    {7, 0, "J, N-m, W-s", "1", kConstant},
    {7, 1, "kW-h", "3600000", kConstant},
    {7, 2, "cal [IT]", "4.1868", kConstant},
    {7, 3, "cal [計量法]", "4.18605", kConstant},
    {7, 4, "仏馬力時 (PS-h)", "2647795.5", kComputed},
    {7, 5, "erg", "1E-7", kConstant},
    {7, 6, "英熱量 (Btu)", "1055.056", kConstant},
    {7, 7, "ft-lbf", "1.3558179483314", kComputed},
    {7, 8, "電子Volt (eV)", "1.60219E-19", kConstant},
    {7, 9, "kgf-m", "9.80665", kConstant},
    {7, 10, "lbf-in", "0.112984829027617", kComputed},
    {8, 0, "newton (N)", "1", kConstant},
    {8, 1, "kgf", "9.80665", kConstant},
    {8, 2, "重量ポンド (lbf)", "4.4482216152605", kComputed},
    {8, 3, "dyne (dyn)", "1E-5", kConstant},
    {8, 4, "重量トン (tf)", "9806.65", kConstant},
    {8, 5, "poundal (pdl) = lb-ft/s^2", "0.138254954376", kComputed},
    {9, 0, "m/s", "1", kConstant},
    {9, 1, "km/h", "0.277777777777778", kComputed},
    {9, 2, "knot (kt, kn)", "0.514444444444444", kComputed},
    {9, 3, "mile/h", "0.44704", kComputed},
    {9, 4, "ft/s", "0.3048", kConstant},
    {9, 5, "in/s", "0.0254", kConstant},
    {9, 6, "光速 (c)", "299792458", kConstant},
    {9, 7, "Mach [0ﾟC, 1atm]", "331.68", kConstant},
    {9, 8, "Mach [20ﾟC, 1atm]", "343.61", kConstant},
    {9, 9, "音速 [純水中, 0ﾟC]", "1404", kConstant},
    {9, 10, "音速 [純水中, 20ﾟC]", "1483", kConstant},
    {9, 11, "音速 [海水中, 0ﾟC]", "1449.2", kConstant},
    {9, 12, "音速 [海水中, 20ﾟC]", "1563.5", kConstant},
    {9, 13, "Warp", "0", kConstant},
    {10, 0, "m/s^2", "1", kConstant},
    {10, 1, "Gal, galileo", "0.01", kConstant},
    {10, 2, "G", "9.80665", kConstant},
    {10, 3, "ft/s^2", "0.3048", kConstant},
    {10, 4, "in/s^2", "0.0254", kConstant},
    {11, 0, "kg/m^3", "1", kConstant},
    {11, 1, "kgf-s^2/m^4", "9.80665", kConstant},
    {11, 2, "kgf/m^3", "1", kConstant},
    {11, 3, "lb/ft^3", "16.0184633739601", kComputed},
    {11, 4, "lb/in^3", "27679.9047102031", kComputed},
    {11, 5, "slug/ft^3", "515.378818393196", kComputed},
    {11, 6, "g/cc, kg/liter", "1000", kConstant},
    {12, 0, "g/(kW-h)", "1", kConstant},
    {12, 1, "g/(PS-h)", "1.3596216173039", kComputed},
    {12, 2, "lb/(hp-h)", "608.277387841761", kComputed},
    {13, 0, "rad, steradian (sr)", "1", kConstant},
    {13, 1, "degree (度)", "0.0174532925199433", kComputed},
    {13, 2, "minute (分)", "0.000290888208665722", kComputed},
    {13, 3, "second (秒)", "4.84813681109536E-6", kComputed},
    {14, 0, "Pa-s", "1", kConstant},
    {14, 1, "poise (P)", "0.1", kConstant},
    {14, 2, "cP", "0.001", kConstant},
    {14, 3, "kgf-s/m^2", "9.80665", kConstant},
    {14, 4, "slug/(ft-s) = lbf-s/ft^2", "47.8802589803358", kComputed},
    {14, 5, "lb/(ft-s) = pdl-s/ft^2", "1.48816394356955", kComputed},
    {15, 0, "m^2/s", "1", kConstant},
    {15, 1, "stokes (St)", "0.0001", kConstant},
    {15, 2, "cSt", "1E-6", kConstant},
    {15, 3, "m^2/h", "0.000277777777777778", kComputed},
    {15, 4, "ft^2/h", "2.58064E-5", kComputed},
    {15, 5, "ft^2/s", "0.09290304", kComputed},
    {16, 0, "W/m^2", "1", kConstant},
    {16, 1, "kcal/(m^2-h)", "1.163", kConstant},
    {16, 2, "Btu/(ft^2-h)", "3.15459106612658", kComputed},
    {17, 0, "J/(kg-K)", "1", kConstant},
    {17, 1, "kcal/(kgf-K)", "4186.8", kComputed},
    {17, 2, "Btu/(lb-ﾟR)", "4186.8", kConstant},
    {17, 3, "kgf-m/(kgf-K)", "9.80665", kConstant},
    {17, 4, "ft-lbf/(lb-ﾟR)", "5.380320456", kComputed},
    {18, 0, "W/(m-K)", "1", kConstant},
    {18, 1, "kcal/(m-h-ﾟC)", "1.163", kConstant},
    {18, 2, "Btu/(ft-h-ﾟF)", "1.73073484251968", kComputed},
    {19, 0, "W/(m^2-K)", "1", kConstant},
    {19, 1, "kcal/(m^2-h-ﾟC)", "1.163", kConstant},
    {19, 2, "Btu/(ft^2-h-ﾟF)", "5.67826391902784", kComputed},
    {20, 0, "tesla (T) = Wb/m^2", "1", kConstant},
    {20, 1, "gauss (Gs, G)", "0.0001", kConstant},
    {20, 2, "gamma (γ)", "1E-9", kConstant},
    {21, 0, "A/m", "1", kConstant},
    {21, 1, "Oersted (Oe)", "79.5774715459477", kComputed},
    {22, 0, "weber (Wb) = V-s", "1", kConstant},
    {22, 1, "maxwell (Mx)", "1E-8", kConstant},
    {23, 0, "lux (lx) = lumen/m^2", "1", kConstant},
    {23, 1, "photo (ph)", "10000", kConstant},
    {24, 0, "candela/m^2 (cd/m^2)", "1", kConstant},
    {24, 1, "stilb (sb)", "10000", kConstant},
    {25, 0, "becquerel (Bq) = 1/s", "1", kConstant},
    {25, 1, "curie (Ci)", "37000000000", kConstant},
    {26, 0, "C/kg", "1", kConstant},
    {26, 1, "roentgen (R)", "0.000258", kConstant},
    {27, 0, "１, 一", "1", kConstant},
    {27, 1, "無量大数", "1E+88", kConstant},
    {27, 2, "不可思議 [fukashigi]", "1E+80", kConstant},
    {27, 3, "那由他 [nayuta]", "1E+72", kConstant},
    {27, 4, "阿僧祇 [asougi]", "1E+64", kConstant},
    {27, 5, "恒河沙 [gougasha]", "1E+56", kConstant},
    {27, 6, "極 [goku]", "1E+48", kConstant},
    {27, 7, "載 [sai]", "1E+44", kConstant},
    {27, 8, "正 [sei]", "1E+40", kConstant},
    {27, 9, "澗 [kan]", "1E+36", kConstant},
    {27, 10, "溝 [kou]", "1E+32", kConstant},
    {27, 11, "穣 [jou]", "1E+28", kConstant},
    {27, 12, "シ, yotta (Y)", "1E+24", kConstant},
    {27, 13, "zetta (Z)", "1E+21", kConstant},
    {27, 14, "垓 [gai]", "1E+20", kConstant},
    {27, 15, "exa (E)", "1E+18", kConstant},
    {27, 16, "京 [kei]", "1E+16", kConstant},
    {27, 17, "peta (P)", "1E+15", kConstant},
    {27, 18, "兆, Tera (T)", "1000000000000", kConstant},
    {27, 19, "giga (G)", "1000000000", kConstant},
    {27, 20, "億", "100000000", kConstant},
    {27, 21, "mega (M)", "1000000", kConstant},
    {27, 22, "kilo (k)", "1000", kConstant},
    {27, 23, "hecto (h)", "100", kConstant},
    {27, 24, "deca (da)", "10", kConstant},
    {27, 25, "分 [bu], deci (d)", "0.1", kConstant},
    {27, 26, "厘 [rin], centi (c)", "0.01", kConstant},
    {27, 27, "毛 [mou], milli (m)", "0.001", kConstant},
    {27, 28, "絲 [shi]", "0.0001", kConstant},
    {27, 29, "忽 [kotsu]", "1E-5", kConstant},
    {27, 30, "微 [bi], micro (μ)", "1E-6", kConstant},
    {27, 31, "繊 [sen]", "1E-7", kConstant},
    {27, 32, "沙 [sha]", "1E-8", kConstant},
    {27, 33, "塵 [jin], nano (n)", "1E-9", kConstant},
    {27, 34, "埃 [ai]", "1E-10", kConstant},
    {27, 35, "pico (p)", "1E-12", kConstant},
    {27, 36, "femto (f)", "1E-15", kConstant},
    {27, 37, "atto (a)", "1E-18", kConstant},
    {27, 38, "zepto (z)", "1E-21", kConstant},
    {27, 39, "yocto (y)", "1E-24", kConstant},
    {48, 0, "byte", "1", kConstant},
    {48, 1, "kilobyte (kB)", "1024", kConstant},
    {48, 2, "megabyte (MB)", "1048576", kConstant},
    {48, 3, "gigabyte (GB)", "1073741824", kConstant},
    {48, 4, "terabyte (TB)", "1099511627776", kConstant},
    {48, 5, "bit", "0.125", kConstant},
    {48, 6, "kilobit", "125", kConstant},
    {48, 7, "megabit", "125000", kConstant},
    {48, 8, "gibabit", "125000000", kConstant},
    {49, 0, "Decimal", "1", kConstant},
    {49, 1, "Binary", "1", kConstant},
    {49, 2, "Octal", "1", kConstant},
    {49, 3, "Hexadecimal", "1", kConstant},
    {50, 0, "twip (X)", "1", kConstant},
    {50, 2, "point", "20", kConstant},
    {50, 3, "character (X)", "120", kConstant},
    {50, 4, "character (Y)", "240", kConstant},
    {50, 5, "centimeter", "567", kConstant},
    {50, 6, "millimeter", "56.7", kConstant},
    {50, 7, "inch", "1440", kConstant},
    {50, 8, "Point Pica", "240", kConstant},
};

struct GroupRow {
    int group;
    const char* name;
    int count;
};

const GroupRow kGroups[] = {
    {0, "Length", 25},
    {1, "Mass, Weight", 15},
    {2, "Area", 15},
    {3, "Volume", 31},
    {4, "Stress, Pressure", 13},
    {5, "Work Rate, Power....", 7},
    {6, "Temperature", 4},
    {7, "Energy, Work, Moment, Torque....", 11},
    {8, "Force", 6},
    {9, "Velocity", 14},
    {10, "Acceleration", 5},
    {11, "Density", 7},
    {12, "Fuel Consumption", 3},
    {13, "Angle", 4},
    {14, "Viscosity", 6},
    {15, "Kinetic Viscosity", 6},
    {16, "Heat Flux", 3},
    {17, "Specific Heat", 5},
    {18, "Thermal Conductivity", 3},
    {19, "Heat Transfer Coefficient", 3},
    {20, "Magnetic Flux Density", 3},
    {21, "Magnetic Field Intensity", 2},
    {22, "Magnetic Flux", 2},
    {23, "Illuminance", 2},
    {24, "Luminance", 2},
    {25, "Radioactivity", 2},
    {26, "Exposed Dose (Exposure)", 2},
    {27, "Metric Prefixes", 40},
    {48, "Bit, Byte", 9},
    {49, "Hex, Oct, Bin", 4},
    {50, "Graphics Units", 9},
};

double Parse(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string FifteenDigits(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, end);
}

class UnitCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        halden::ResetProcessState();
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
    }
    void TearDown() override { halden::ResetProcessState(); }
};

TEST_F(UnitCatalogueTest, EveryUnitHasItsNameAndFactor) {
    for (const UnitRow& row : kUnits) {
        SCOPED_TRACE(std::string(row.name) + " in group " + std::to_string(row.group));
        EXPECT_EQ(catalogue().UnitName[row.group][row.index], row.name);
        const double actual = catalogue().UnitFactor[row.group][row.index];
        const double stated = Parse(row.factor);
        if (row.kind == kConstant) {
            EXPECT_EQ(actual, stated);
        } else {
            EXPECT_EQ(FifteenDigits(actual), FifteenDigits(stated));
        }
    }
}

TEST_F(UnitCatalogueTest, EveryGroupHasItsNameAndCount) {
    for (const GroupRow& row : kGroups) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(catalogue().GroupName[row.group], row.name);
        EXPECT_EQ(catalogue().UnitCount[row.group], row.count);
        // Nothing is stored beyond the group's last unit.
        for (int i = row.count; i < halden::kUnitSlots; ++i) {
            EXPECT_TRUE(catalogue().UnitName[row.group][i].empty());
        }
    }
}

TEST_F(UnitCatalogueTest, TemperatureStoresAffineRowZeroAndNoFactors) {
    struct Row {
        const char* name;
        double scale;
        double offset;
    };
    const Row rows[] = {
        {"Kelvin (K)", 1, 0},
        {"deg Celsius (ﾟC)", 1, 273.15},
        {"deg Fahrenheit (ﾟF)", 1 / 1.8, 459.67},
        {"deg Rankine (ﾟR)", 1 / 1.8, 0},
    };
    for (int j = 0; j < 4; ++j) {
        SCOPED_TRACE(rows[j].name);
        EXPECT_EQ(catalogue().UnitName[halden::kGroupTemperature][j], rows[j].name);
        EXPECT_EQ(catalogue().UnitFactor[halden::kGroupTemperature][j], 0.0);
        EXPECT_EQ(catalogue().TempScale[0][j], rows[j].scale);
        EXPECT_EQ(catalogue().TempOffset[0][j], rows[j].offset);
    }
    EXPECT_EQ(FifteenDigits(catalogue().TempScale[0][2]), "0.555555555555556");
}

TEST_F(UnitCatalogueTest, FactorsFollowTheirStatedOrderOfOperations) {
    // Each step of the shaku chain is stored, so the result is not 1/330.
    EXPECT_EQ(catalogue().UnitFactor[0][19], ((1.0 / 3300 * 10) * 10) * 10);
    // The area shaku squares 6 shaku afresh rather than reading the stored ken.
    const double shaku = catalogue().UnitFactor[0][19];
    double sixShaku = shaku * 6;
    EXPECT_EQ(catalogue().UnitFactor[2][8], (sixShaku * sixShaku) / 100);
    EXPECT_EQ(catalogue().UnitFactor[1][5], (0.45359237 * 9.80665) / 0.3048);
    EXPECT_EQ(catalogue().UnitFactor[13][1], (4 * std::atan(1.0)) / 180);
    EXPECT_EQ(catalogue().UnitFactor[21][1], 250 / (4 * std::atan(1.0)));
    EXPECT_EQ(catalogue().UnitFactor[9][13], 0.0);
    EXPECT_EQ(catalogue().UnitFactor[11][2], catalogue().UnitFactor[11][0]);
    EXPECT_EQ(catalogue().UnitFactor[17][1], catalogue().UnitFactor[17][2]);
}

TEST_F(UnitCatalogueTest, PixelIsTheScreensTwipsPerPixel) {
    for (std::int16_t tppx : {std::int16_t{15}, std::int16_t{12}, std::int16_t{1}}) {
        SCOPED_TRACE(tppx);
        halden::ResetProcessState();
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), tppx);
        EXPECT_EQ(catalogue().UnitName[50][1], "pixel");
        EXPECT_EQ(catalogue().UnitFactor[50][1], static_cast<double>(tppx));
    }
}

TEST_F(UnitCatalogueTest, WarpTableAndMenuCaptions) {
    const char* names[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "9.2", "9.6", "9.9", "9.99", "9.9999"};
    const double multiples[] = {1, 10, 39, 102, 214, 392, 656, 1024, 1516, 1649, 1909, 3053, 7912, 199516};
    for (int k = 0; k < halden::kWarpLevels; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(catalogue().WarpName[k], names[k]);
        EXPECT_EQ(catalogue().WarpSpeed[k], multiples[k] * 299792458.0);
        EXPECT_EQ(catalogue().WarpMenuCaption[k], std::string("Warp ") + names[k]);
    }
}

TEST_F(UnitCatalogueTest, BuildingTwiceGivesTheSameTables) {
    const halden::UnitCatalogue first = catalogue();
    halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
    for (int g = 0; g < halden::kGroupCount; ++g) {
        EXPECT_EQ(std::memcmp(first.UnitFactor[g].data(), catalogue().UnitFactor[g].data(),
                              sizeof(double) * halden::kUnitSlots),
                  0);
        EXPECT_EQ(first.UnitName[g], catalogue().UnitName[g]);
    }
    EXPECT_EQ(first.WarpSpeed, catalogue().WarpSpeed);
}

}  // namespace
