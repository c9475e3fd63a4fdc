#include "shared/settings.h"

#include "catalogue/unit_catalogue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace halden {

Settings& settings() {
    static Settings instance;
    return instance;
}

ProcessState& state() {
    static ProcessState instance;
    return instance;
}

int PixelTwipsX() { return std::max<int>(1, state().Tppx); }
int PixelTwipsY() { return std::max<int>(1, state().Tppy); }

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

UnitCatalogue& catalogue() {
    static UnitCatalogue instance;
    return instance;
}

UserUnits& userUnits() {
    static UserUnits instance;
    return instance;
}

void ResetProcessState() {
    // Copy-assigning from empty tables lets every text keep its storage, so resetting before
    // each test or driver request does not reallocate thousands of texts.
    static const UnitCatalogue kEmptyCatalogue{};
    static const UserUnits kEmptyUserUnits{};
    settings() = Settings{};
    state() = ProcessState{};
    catalogue() = kEmptyCatalogue;
    userUnits() = kEmptyUserUnits;
}

}  // namespace halden
