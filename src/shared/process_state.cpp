#include "catalogue/unit_catalogue.h"
#include "shared/settings.h"

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

bool StoreTwips(std::int16_t& setting, double twips, PlaceOutOfRange rule) {
    if (!std::isfinite(twips)) {
        return false;
    }
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    double whole = std::nearbyint(twips);
    if (whole < kLowest || whole > kHighest) {
        if (rule == PlaceOutOfRange::KeepStored) {
            return false;
        }
        whole = std::clamp(whole, kLowest, kHighest);
    }
    setting = static_cast<std::int16_t>(whole);
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
