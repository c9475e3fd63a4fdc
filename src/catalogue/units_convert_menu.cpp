// The fourteen unit groups of the Convert menu: mechanical, thermal and Japanese traditional units.
#include "catalogue/unit_tables.h"

#include <cmath>

namespace halden::unit_tables {

namespace {

// Length
const UnitEntry kGroup0[] = {
    {"meter (m)", 1.0},
    {"centimeter (cm)", 0.01},
    {"millimeter (mm)", 0.001},
    {"mile", 1609.344},
    {"nautical mile (n mile)", 1852.0},
    {"yard (yd)", 0.9144},
    {"foot, feet (ft)", 0.3048},
    {"inch (in)", 0.0254},
    {"fathom (fath)", [](const Stored& f) { return f(0, 6) * 6; }},
    {"chain", [](const Stored& f) { return f(0, 5) * 22; }},
    {"furlong", [](const Stored& f) { return f(0, 5) * 220; }},
    {"micron (μ)", 1e-6},
    {"angstrom (Å)", 1e-10},
    {"Fermi (fm) = yukawa", 1e-15},
    {"X-unit", 1.00208e-13},
    {"lightyear, 光年", 9.46052961163394e15},
    {"厘 [rin]", 1.0 / 3300},
    {"分 [bu]", [](const Stored& f) { return f(0, 16) * 10; }},
    {"寸 [sun]", [](const Stored& f) { return f(0, 17) * 10; }},
    {"尺 [shaku]", [](const Stored& f) { return f(0, 18) * 10; }},
    {"間 [ken]= 歩 [bu]", [](const Stored& f) { return f(0, 19) * 6; }},
    {"丈 [jou]", [](const Stored& f) { return f(0, 19) * 10; }},
    {"段 [tan]", [](const Stored& f) { return f(0, 20) * 6; }},
    {"町 [chou]", [](const Stored& f) { return f(0, 20) * 60; }},
    {"里 [ri]", [](const Stored& f) { return f(0, 23) * 36; }},
};

// Mass, Weight
const UnitEntry kGroup1[] = {
    {"kilogram (kg)", 1.0},
    {"pound (lb)", 0.45359237},
    {"ounce (oz)", [](const Stored& f) { return f(1, 1) / 16; }},
    {"grain (gr)", [](const Stored& f) { return f(1, 1) / 7000; }},
    {"carat (car, ct)", 0.0002},
    {"slug = lbf-s^2/ft", [](const Stored& f) { return (f(1, 1) * 9.80665) / f(0, 6); }},
    {"troy pound", [](const Stored& f) { return f(1, 3) * 5760; }},
    {"troy ounce", [](const Stored& f) { return f(1, 6) / 12; }},
    {"ton, metric ton", [](const Stored& f) { return f(1, 0) * 1000; }},
    {"ton [UK], long ton", [](const Stored& f) { return f(1, 1) * 2240; }},
    {"ton [US], short ton", [](const Stored& f) { return f(1, 1) * 2000; }},
    {"gamma (γ)", 1e-9},
    {"匁 [mon-me]", 0.00375},
    {"斤 [kin] [通常品]", [](const Stored& f) { return f(1, 12) * 160; }},
    {"貫 [kan]", [](const Stored& f) { return f(1, 12) * 1000; }},
};

// Area
const UnitEntry kGroup2[] = {
    {"square meter (m^2)", 1.0},
    {"are (a)", 100.0},
    {"hectare (ha)", 10000.0},
    {"acre", 4046.8564},
    {"square inch (in^2)", [](const Stored& f) { return std::pow(f(0, 7), 2); }},
    {"square foot (ft^2)", [](const Stored& f) { return std::pow(f(0, 6), 2); }},
    {"square yard (yd^2)", [](const Stored& f) { return std::pow(f(0, 5), 2); }},
    {"mile^2", [](const Stored& f) { return std::pow(f(0, 3), 2); }},
    {"勺 [shaku]", [](const Stored& f) { return (std::pow(f(0, 19) * 6, 2)) / 100; }},
    {"合 [gou]", [](const Stored& f) { return f(2, 8) * 10; }},
    {"尺坪 [shaku-tsubo]", [](const Stored& f) { return std::pow(f(0, 19), 2); }},
    {"坪 [tsubo] = 歩 [bu]", [](const Stored& f) { return f(2, 9) * 10; }},
    {"畝 [se]", [](const Stored& f) { return f(2, 11) * 30; }},
    {"段 = 反 [tan]", [](const Stored& f) { return f(2, 12) * 10; }},
    {"町 [chou]", [](const Stored& f) { return f(2, 13) * 10; }},
};

// Volume
const UnitEntry kGroup3[] = {
    {"cubic meter (m^3)", 1.0},
    {"cubic centimeter (cc)", 1e-6},
    {"cubic inch (in^3)", [](const Stored& f) { return std::pow(f(0, 7), 3); }},
    {"cubic foot (ft^3)", [](const Stored& f) { return std::pow(f(0, 6), 3); }},
    {"cubic yard (yd^3)", [](const Stored& f) { return std::pow(f(0, 5), 3); }},
    {"liter (l)", 0.001},
    {"deciliter (dl)", 0.0001},
    {"米 gallon [液] (gal)", 0.003785412},
    {"米 barrel [液]", [](const Stored& f) { return f(3, 7) * 31.5; }},
    {"米 barrel [石油]", [](const Stored& f) { return f(3, 7) * 42; }},
    {"米 quart [液] (liq qt)", [](const Stored& f) { return f(3, 7) / 4; }},
    {"米 pint [液] (liq pt)", [](const Stored& f) { return f(3, 7) / 8; }},
    {"米 ounce [液] (fl oz)", [](const Stored& f) { return f(3, 7) / 128; }},
    {"米 barrel [乾]", [](const Stored& f) { return (f(3, 7) * 336) / 11; }},
    {"米 bushel [乾] (bu)", [](const Stored& f) { return (f(3, 7) * 107521) / 11550; }},
    {"米 peck [乾]", [](const Stored& f) { return (f(3, 7) * 107521) / 46200; }},
    {"米 quart [乾] (dry qt)", [](const Stored& f) { return (f(3, 7) * 107521) / 369600; }},
    {"米 pint [乾] (dry pt)", [](const Stored& f) { return (f(3, 7) * 107521) / 739200; }},
    {"英 gallon [液] (gal)", 0.0045460919},
    {"英 barrel [液]", [](const Stored& f) { return f(3, 18) * 36; }},
    {"英 quart [液] (liq qt)", [](const Stored& f) { return f(3, 18) / 4; }},
    {"英 pint [液] (liq pt)", [](const Stored& f) { return f(3, 18) / 8; }},
    {"英 ounce [液] (fl oz)", [](const Stored& f) { return f(3, 18) / 160; }},
    {"英 bushel [乾] (bu)", [](const Stored& f) { return f(3, 18) * 8; }},
    {"勺 [shaku]", [](const Stored& f) { return f(3, 5) * 0.0180391; }},
    {"合 [gou]", [](const Stored& f) { return f(3, 24) * 10; }},
    {"升 [shou]", [](const Stored& f) { return f(3, 25) * 10; }},
    {"斗 [to]", [](const Stored& f) { return f(3, 26) * 10; }},
    {"才 [sai]", [](const Stored& f) { return std::pow(f(0, 19), 3); }},
    {"石 [koku]", [](const Stored& f) { return f(3, 27) * 10; }},
    {"立坪 [ryu-tsubo]", [](const Stored& f) { return std::pow(f(0, 20), 3); }},
};

// Stress, Pressure
const UnitEntry kGroup4[] = {
    {"Pa = N/m^2", 1.0},
    {"kPa", 1000.0},
    {"MPa", 1000000.0},
    {"kgf/mm^2", 9806650.0},
    {"kgf/cm^2", 98066.5},
    {"kgf/m^2", 9.80665},
    {"lbf/in^2, psi", [](const Stored& f) { return (f(1, 1) * 9.80665) / (std::pow(f(0, 7), 2)); }},
    {"hPa", 100.0},
    {"bar", 100000.0},
    {"気圧 (atm)", 101325.0},
    {"mmHg = Torr", [](const Stored& f) { return f(4, 9) / 760; }},
    {"mmAq", 9.80665},
    {"lbf/ft^2", [](const Stored& f) { return (f(1, 1) * 9.80665) / (std::pow(f(0, 6), 2)); }},
};

// Work Rate, Power....
const UnitEntry kGroup5[] = {
    {"W, J/s, N-m/s, V-A", 1.0},
    {"仏馬力 (PS)", 735.49875},
    {"kcal/h", 1.163},
    {"kgf-m/s", 9.80665},
    {"英馬力 (hp, HP)", [](const Stored& f) { return ((f(0, 6) * f(1, 1)) * 9.80665) * 550; }},
    {"英熱量毎時 (Btu/h)", 0.2930711},
    {"ft-lbf/s", [](const Stored& f) { return f(5, 4) / 550; }},
};

// Temperature: only names here; the conversion uses the scales and offsets below.
const UnitEntry kGroup6[] = {
    {"Kelvin (K)", 0.0},
    {"deg Celsius (ﾟC)", 0.0},
    {"deg Fahrenheit (ﾟF)", 0.0},
    {"deg Rankine (ﾟR)", 0.0},
};

const AffineEntry kTemperatureRow[] = {
    {1.0, 0.0},
    {1.0, 273.15},
    {1.0 / 1.8, 459.67},
    {1.0 / 1.8, 0.0},
};

// Energy, Work, Moment, Torque....
const UnitEntry kGroup7[] = {
    {"J, N-m, W-s", 1.0},
    {"kW-h", 3600000.0},
    {"cal [IT]", 4.1868},
    {"cal [計量法]", 4.18605},
    {"仏馬力時 (PS-h)", [](const Stored& f) { return f(5, 1) * 3600; }},
    {"erg", 1e-7},
    {"英熱量 (Btu)", 1055.056},
    {"ft-lbf", [](const Stored& f) { return (f(0, 6) * 9.80665) * f(1, 1); }},
    {"電子Volt (eV)", 1.60219e-19},
    {"kgf-m", 9.80665},
    {"lbf-in", [](const Stored& f) { return (f(1, 1) * 9.80665) * f(0, 7); }},
};

// Force
const UnitEntry kGroup8[] = {
    {"newton (N)", 1.0},
    {"kgf", 9.80665},
    {"重量ポンド (lbf)", [](const Stored& f) { return f(1, 1) * 9.80665; }},
    {"dyne (dyn)", 1e-5},
    {"重量トン (tf)", 9806.65},
    {"poundal (pdl) = lb-ft/s^2", [](const Stored& f) { return f(0, 6) * f(1, 1); }},
};

// Velocity
const UnitEntry kGroup9[] = {
    {"m/s", 1.0},
    {"km/h", 1.0 / 3.6},
    {"knot (kt, kn)", [](const Stored& f) { return f(0, 4) / 3600; }},
    {"mile/h", [](const Stored& f) { return f(0, 3) / 3600; }},
    {"ft/s", 0.3048},
    {"in/s", 0.0254},
    {"光速 (c)", 299792458.0},
    {"Mach [0ﾟC, 1atm]", 331.68},
    {"Mach [20ﾟC, 1atm]", 343.61},
    {"音速 [純水中, 0ﾟC]", 1404.0},
    {"音速 [純水中, 20ﾟC]", 1483.0},
    {"音速 [海水中, 0ﾟC]", 1449.2},
    {"音速 [海水中, 20ﾟC]", 1563.5},
    {"Warp", 0.0},
};

// Acceleration
const UnitEntry kGroup10[] = {
    {"m/s^2", 1.0}, {"Gal, galileo", 0.01}, {"G", 9.80665}, {"ft/s^2", 0.3048}, {"in/s^2", 0.0254},
};

// Density
const UnitEntry kGroup11[] = {
    {"kg/m^3", 1.0},
    {"kgf-s^2/m^4", 9.80665},
    {"kgf/m^3", 1.0},
    {"lb/ft^3", [](const Stored& f) { return f(1, 1) / (std::pow(f(0, 6), 3)); }},
    {"lb/in^3", [](const Stored& f) { return f(1, 1) / (std::pow(f(0, 7), 3)); }},
    {"slug/ft^3", [](const Stored& f) { return f(1, 5) / (std::pow(f(0, 6), 3)); }},
    {"g/cc, kg/liter", 1000.0},
};

// Fuel Consumption
const UnitEntry kGroup12[] = {
    {"g/(kW-h)", 1.0},
    {"g/(PS-h)", [](const Stored& f) { return 1000 / f(5, 1); }},
    {"lb/(hp-h)", [](const Stored& f) { return (f(1, 1) / f(5, 4)) * 1000000; }},
};

// Angle
const UnitEntry kGroup13[] = {
    {"rad, steradian (sr)", 1.0},
    {"degree (度)", [](const Stored& f) { return f.pi / 180; }},
    {"minute (分)", [](const Stored& f) { return f.pi / 10800; }},
    {"second (秒)", [](const Stored& f) { return f.pi / 648000; }},
};

const GroupEntry kGroups[] = {
    {0, "Length", kGroup0},
    {1, "Mass, Weight", kGroup1},
    {2, "Area", kGroup2},
    {3, "Volume", kGroup3},
    {4, "Stress, Pressure", kGroup4},
    {5, "Work Rate, Power....", kGroup5},
    {6, "Temperature", kGroup6},
    {7, "Energy, Work, Moment, Torque....", kGroup7},
    {8, "Force", kGroup8},
    {9, "Velocity", kGroup9},
    {10, "Acceleration", kGroup10},
    {11, "Density", kGroup11},
    {12, "Fuel Consumption", kGroup12},
    {13, "Angle", kGroup13},
};

const WarpLevel kWarpLevels[] = {
    {"1", 1},    {"2", 10},   {"3", 39},     {"4", 102},    {"5", 214},    {"6", 392},     {"7", 656},
    {"8", 1024}, {"9", 1516}, {"9.2", 1649}, {"9.6", 1909}, {"9.9", 3053}, {"9.99", 7912}, {"9.9999", 199516},
};

}  // namespace

std::span<const GroupEntry> ConvertMenuGroups() { return kGroups; }
std::span<const AffineEntry> TemperatureScales() { return kTemperatureRow; }
std::span<const WarpLevel> WarpLevels() { return kWarpLevels; }

}  // namespace halden::unit_tables
