// The built-in unit groups as data, in the order the catalogue builder stores them.
//
// Each unit is a name and a factor (the value of one such unit in the group's first unit). A
// factor is either a constant or a computation from factors stored before it; the builder runs
// the computations in table order, so the floating-point operations happen in exactly the order
// written here and each one sees only entries that already exist.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <span>

namespace halden::unit_tables {

/// What a computed factor may read: the factors stored so far, pi and the screen's twips per pixel.
struct Stored {
    const UnitCatalogue& catalogue;
    double pi;
    double tppx;
    double operator()(int g, int i) const { return catalogue.UnitFactor[g][i]; }
};

using ComputeFactor = double (*)(const Stored&);

struct UnitEntry {
    const char* name;
    double constant = 0.0;
    ComputeFactor compute = nullptr;

    constexpr UnitEntry(const char* unitName, double value) : name(unitName), constant(value) {}
    constexpr UnitEntry(const char* unitName, ComputeFactor computation) : name(unitName), compute(computation) {}
};

struct GroupEntry {
    int index;
    const char* name;
    std::span<const UnitEntry> units;
};

/// Scale and offset of one temperature unit: kelvin = (value + offset) × scale.
struct AffineEntry {
    double scale;
    double offset;
};

/// One warp level: its name as the Warp menu shows it and its speed in multiples of light speed.
struct WarpLevel {
    const char* name;
    double multiple;
};

/// Groups 0..13, the Convert menu's own groups, in index order.
std::span<const GroupEntry> ConvertMenuGroups();
/// Groups 14..27: the Other Units groups and Metric Prefixes, in index order.
std::span<const GroupEntry> OtherUnitGroups();
/// Groups 48..50: the Computer groups, in index order.
std::span<const GroupEntry> ComputerGroups();
/// Affine row 0, one entry per unit of the Temperature group.
std::span<const AffineEntry> TemperatureScales();
/// The fourteen warp levels, slowest first.
std::span<const WarpLevel> WarpLevels();

}  // namespace halden::unit_tables
