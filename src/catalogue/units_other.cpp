// The Other Units groups, Metric Prefixes and the three Computer groups.
#include "catalogue/unit_tables.h"

#include <cmath>

namespace halden::unit_tables {

namespace {

// Viscosity
const UnitEntry kGroup14[] = {
    {"Pa-s", 1.0},
    {"poise (P)", 0.1},
    {"cP", 0.001},
    {"kgf-s/m^2", 9.80665},
    {"slug/(ft-s) = lbf-s/ft^2", [](const Stored& f) { return f(1, 5) / f(0, 6); }},
    {"lb/(ft-s) = pdl-s/ft^2", [](const Stored& f) { return f(1, 1) / f(0, 6); }},
};

// Kinetic Viscosity
const UnitEntry kGroup15[] = {
    {"m^2/s", 1.0},
    {"stokes (St)", 0.0001},
    {"cSt", 1e-6},
    {"m^2/h", 1.0 / 3600},
    {"ft^2/h", [](const Stored& f) { return (std::pow(f(0, 6), 2)) / 3600; }},
    {"ft^2/s", [](const Stored& f) { return std::pow(f(0, 6), 2); }},
};

// Heat Flux
const UnitEntry kGroup16[] = {
    {"W/m^2", 1.0},
    {"kcal/(m^2-h)", 1.163},
    {"Btu/(ft^2-h)", [](const Stored& f) { return f(5, 5) / (std::pow(f(0, 6), 2)); }},
};

// Specific Heat
const UnitEntry kGroup17[] = {
    {"J/(kg-K)", 1.0},
    {"kcal/(kgf-K)", [](const Stored& f) { return f(7, 2) * 1000; }},
    {"Btu/(lb-ﾟR)", 4186.8},
    {"kgf-m/(kgf-K)", 9.80665},
    {"ft-lbf/(lb-ﾟR)", [](const Stored& f) { return (f(7, 7) / f(1, 1)) * 1.8; }},
};

// Thermal Conductivity
const UnitEntry kGroup18[] = {
    {"W/(m-K)", 1.0},
    {"kcal/(m-h-ﾟC)", 1.163},
    {"Btu/(ft-h-ﾟF)", [](const Stored& f) { return (f(5, 5) / f(0, 6)) * 1.8; }},
};

// Heat Transfer Coefficient
const UnitEntry kGroup19[] = {
    {"W/(m^2-K)", 1.0},
    {"kcal/(m^2-h-ﾟC)", 1.163},
    {"Btu/(ft^2-h-ﾟF)", [](const Stored& f) { return (f(5, 5) / (std::pow(f(0, 6), 2))) * 1.8; }},
};

// Magnetic Flux Density
const UnitEntry kGroup20[] = {
    {"tesla (T) = Wb/m^2", 1.0},
    {"gauss (Gs, G)", 0.0001},
    {"gamma (γ)", 1e-9},
};

// Magnetic Field Intensity
const UnitEntry kGroup21[] = {
    {"A/m", 1.0},
    {"Oersted (Oe)", [](const Stored& f) { return 250 / f.pi; }},
};

// Magnetic Flux
const UnitEntry kGroup22[] = {
    {"weber (Wb) = V-s", 1.0},
    {"maxwell (Mx)", 1e-8},
};

// Illuminance
const UnitEntry kGroup23[] = {
    {"lux (lx) = lumen/m^2", 1.0},
    {"photo (ph)", 10000.0},
};

// Luminance
const UnitEntry kGroup24[] = {
    {"candela/m^2 (cd/m^2)", 1.0},
    {"stilb (sb)", 10000.0},
};

// Radioactivity
const UnitEntry kGroup25[] = {
    {"becquerel (Bq) = 1/s", 1.0},
    {"curie (Ci)", 37000000000.0},
};

// Exposed Dose (Exposure)
const UnitEntry kGroup26[] = {
    {"C/kg", 1.0},
    {"roentgen (R)", 0.000258},
};

// Metric Prefixes
const UnitEntry kGroup27[] = {
    {"１, 一", 1.0},
    {"無量大数", 1e88},
    {"不可思議 [fukashigi]", 1e80},
    {"那由他 [nayuta]", 1e72},
    {"阿僧祇 [asougi]", 1e64},
    {"恒河沙 [gougasha]", 1e56},
    {"極 [goku]", 1e48},
    {"載 [sai]", 1e44},
    {"正 [sei]", 1e40},
    {"澗 [kan]", 1e36},
    {"溝 [kou]", 1e32},
    {"穣 [jou]", 1e28},
    {"シ, yotta (Y)", 1e24},
    {"zetta (Z)", 1e21},
    {"垓 [gai]", 1e20},
    {"exa (E)", 1e18},
    {"京 [kei]", 1e16},
    {"peta (P)", 1e15},
    {"兆, Tera (T)", 1000000000000.0},
    {"giga (G)", 1000000000.0},
    {"億", 100000000.0},
    {"mega (M)", 1000000.0},
    {"kilo (k)", 1000.0},
    {"hecto (h)", 100.0},
    {"deca (da)", 10.0},
    {"分 [bu], deci (d)", 0.1},
    {"厘 [rin], centi (c)", 0.01},
    {"毛 [mou], milli (m)", 0.001},
    {"絲 [shi]", 0.0001},
    {"忽 [kotsu]", 1e-5},
    {"微 [bi], micro (μ)", 1e-6},
    {"繊 [sen]", 1e-7},
    {"沙 [sha]", 1e-8},
    {"塵 [jin], nano (n)", 1e-9},
    {"埃 [ai]", 1e-10},
    {"pico (p)", 1e-12},
    {"femto (f)", 1e-15},
    {"atto (a)", 1e-18},
    {"zepto (z)", 1e-21},
    {"yocto (y)", 1e-24},
};

// Bit, Byte
const UnitEntry kGroup48[] = {
    {"byte", 1.0},
    {"kilobyte (kB)", 1024.0},
    {"megabyte (MB)", 1048576.0},
    {"gigabyte (GB)", 1073741824.0},
    {"terabyte (TB)", 1099511627776.0},
    {"bit", 0.125},
    {"kilobit", 125.0},
    {"megabit", 125000.0},
    {"gibabit", 125000000.0},
};

// Hex, Oct, Bin
const UnitEntry kGroup49[] = {
    {"Decimal", 1.0},
    {"Binary", 1.0},
    {"Octal", 1.0},
    {"Hexadecimal", 1.0},
};

// Graphics Units
const UnitEntry kGroup50[] = {
    {"twip (X)", 1.0},        {"pixel", [](const Stored& f) { return f.tppx; }},
    {"point", 20.0},          {"character (X)", 120.0},
    {"character (Y)", 240.0}, {"centimeter", 567.0},
    {"millimeter", 56.7},     {"inch", 1440.0},
    {"Point Pica", 240.0},
};

const GroupEntry kOtherGroups[] = {
    {14, "Viscosity", kGroup14},
    {15, "Kinetic Viscosity", kGroup15},
    {16, "Heat Flux", kGroup16},
    {17, "Specific Heat", kGroup17},
    {18, "Thermal Conductivity", kGroup18},
    {19, "Heat Transfer Coefficient", kGroup19},
    {20, "Magnetic Flux Density", kGroup20},
    {21, "Magnetic Field Intensity", kGroup21},
    {22, "Magnetic Flux", kGroup22},
    {23, "Illuminance", kGroup23},
    {24, "Luminance", kGroup24},
    {25, "Radioactivity", kGroup25},
    {26, "Exposed Dose (Exposure)", kGroup26},
    {27, "Metric Prefixes", kGroup27},
};

const GroupEntry kComputerGroups[] = {
    {48, "Bit, Byte", kGroup48},
    {49, "Hex, Oct, Bin", kGroup49},
    {50, "Graphics Units", kGroup50},
};

}  // namespace

std::span<const GroupEntry> OtherUnitGroups() { return kOtherGroups; }
std::span<const GroupEntry> ComputerGroups() { return kComputerGroups; }

}  // namespace halden::unit_tables
