#include "catalogue/convert_value.h"

#include "catalogue/unit_catalogue.h"
#include "numbers/arithmetic.h"
#include "numbers/leading_number.h"

#include <cmath>

namespace halden {
namespace {

// Values of the Temperature group this close to zero are shown as exactly zero, so that the
// rounding of 1/1.8 does not turn 32 °F into a tiny number of °C.
constexpr double kTemperatureSnap = 1E-12;

bool IsUnitOf(const UnitCatalogue& c, int g, int unit) { return unit >= 0 && unit < c.UnitCount[g]; }

// Converting from "Warp" ignores the typed number: the speed is that of the chosen warp level.
std::optional<double> ConvertWarp(const UnitCatalogue& c, int level, int into) {
    if (into == -1) {
        return 0.0;
    }
    if (!IsUnitOf(c, kGroupVelocity, into) || level < 0 || level >= kWarpLevels) {
        return std::nullopt;
    }
    return Finite(c.WarpSpeed[level] / c.UnitFactor[kGroupVelocity][into]);
}

std::optional<double> ConvertLinear(const UnitCatalogue& c, int g, int from, int into, double x) {
    return Finite((x * c.UnitFactor[g][from]) / c.UnitFactor[g][into]);
}

std::optional<double> ConvertAffine(const UnitCatalogue& c, int g, int from, int into, double x) {
    const int row = g == kGroupTemperature ? 0 : g - (kFirstUserGroup - 1);
    const double t = (x + c.TempOffset[row][from]) * c.TempScale[row][from];
    double r = t / c.TempScale[row][into] - c.TempOffset[row][into];
    if (g == kGroupTemperature && std::fabs(r) < kTemperatureSnap) {
        r = 0.0;
    }
    return Finite(r);
}

}  // namespace

std::optional<double> ConvertValue(const UnitCatalogue& c, int warpIdx, int g, int from, int into,
                                   std::string_view text) {
    if (g < 0 || g >= kGroupCount || g == kGroupRadix) {
        return std::nullopt;
    }
    if (g == kGroupVelocity && from == kWarpUnit) {
        return ConvertWarp(c, warpIdx, into);
    }
    if (!IsUnitOf(c, g, from) || !IsUnitOf(c, g, into)) {
        return std::nullopt;
    }
    const std::optional<double> x = LeadingNumber(text);
    if (!x) {
        return std::nullopt;
    }
    const bool affine = g == kGroupTemperature || IsUserGroup(g);
    return affine ? ConvertAffine(c, g, from, into, *x) : ConvertLinear(c, g, from, into, *x);
}

std::optional<double> ConvertScaled(const UnitCatalogue& c, int g, int from, double fromUp, double fromDown, int into,
                                    double intoUp, double intoDown, double x) {
    if (g < 0 || g >= kGroupCount || g == kGroupRadix || (g == kGroupVelocity && from == kWarpUnit) ||
        !IsUnitOf(c, g, from) || !IsUnitOf(c, g, into)) {
        return std::nullopt;
    }
    const std::optional<double> listValue = Finite((x * fromUp) / fromDown);
    if (!listValue) {
        return std::nullopt;
    }
    const bool affine = g == kGroupTemperature || IsUserGroup(g);
    const std::optional<double> converted =
        affine ? ConvertAffine(c, g, from, into, *listValue) : ConvertLinear(c, g, from, into, *listValue);
    if (!converted) {
        return std::nullopt;
    }
    return Finite((*converted * intoDown) / intoUp);
}

}  // namespace halden
