#include "shared/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace halden {

std::optional<std::int16_t> NearestInt16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // Rounded by hand: the result must not depend on the floating-point rounding mode in force.
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(whole);
}

bool StoreTwips(std::int16_t& setting, double twips, PlaceOutOfRange rule) {
    if (!std::isfinite(twips)) {
        return false;
    }
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    std::optional<std::int16_t> whole = NearestInt16(twips);
    if (!whole && rule == PlaceOutOfRange::Clamp) {
        whole = NearestInt16(std::clamp(twips, kLowest, kHighest));
    }
    if (!whole) {
        return false;
    }
    setting = *whole;
    return true;
}

}  // namespace halden
