#include "catalogue/unit_catalogue_build.h"

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_tables.h"
#include "numbers/arithmetic.h"
#include "numbers/characters.h"
#include "numbers/leading_number.h"

#include <cmath>
#include <string>

namespace halden {
namespace {

using unit_tables::GroupEntry;

// Stores a group's name, count and units in table order: each unit's name, then its factor, so a
// computed factor sees exactly the entries stored before it. Temperature keeps its factors at 0;
// its conversion reads affine row 0 instead.
void StoreGroups(UnitCatalogue& c, std::span<const GroupEntry> groups, const unit_tables::Stored& stored) {
    for (const GroupEntry& group : groups) {
        c.GroupName[group.index] = group.name;
        c.UnitCount[group.index] = static_cast<std::int16_t>(group.units.size());
        int i = 0;
        for (const auto& unit : group.units) {
            c.UnitName[group.index][i] = unit.name;
            if (group.index != kGroupTemperature) {
                c.UnitFactor[group.index][i] = unit.compute ? unit.compute(stored) : unit.constant;
            }
            ++i;
        }
    }
}

// A user's factor or offset text as a number: empty reads as 0, and so does a number beyond the
// range of a double, so that a unit with such a factor falls under the zero-factor rule instead
// of stopping the transfer.
double UserNumber(const std::string& text) {
    if (text.empty()) {
        return 0.0;
    }
    return LeadingNumber(text).value_or(0.0);
}

// The scale given to a user unit whose factor is 0, so that converting into it cannot divide by zero.
constexpr double kZeroFactorScale = 1E-30;

}  // namespace

void BuildUnitCatalogue(UnitCatalogue& c, UserUnits& user, std::int16_t tppx) {
    const unit_tables::Stored stored{c, Pi(), static_cast<double>(tppx)};

    StoreGroups(c, unit_tables::ConvertMenuGroups(), stored);
    int j = 0;
    for (const auto& affine : unit_tables::TemperatureScales()) {
        c.TempScale[0][j] = affine.scale;
        c.TempOffset[0][j] = affine.offset;
        ++j;
    }
    StoreGroups(c, unit_tables::OtherUnitGroups(), stored);

    TransferUserGroups(c, user);

    StoreGroups(c, unit_tables::ComputerGroups(), stored);

    // The warp speeds are stored as multiples first, then scaled in place by the speed of light
    // of the Velocity group.
    int k = 0;
    for (const auto& level : unit_tables::WarpLevels()) {
        c.WarpName[k] = level.name;
        c.WarpSpeed[k] = level.multiple;
        ++k;
    }
    for (double& speed : c.WarpSpeed) {
        speed = speed * c.UnitFactor[kGroupVelocity][kSpeedOfLightUnit];
    }
    for (int level = 0; level < kWarpLevels; ++level) {
        c.WarpMenuCaption[level] = "Warp " + c.WarpName[level];
    }
}

void TransferUserGroups(UnitCatalogue& c, UserUnits& user) {
    for (int u = 0; u < kUserGroups; ++u) {
        const int g = u + kFirstUserGroup;
        const int row = u + 1;
        c.GroupName[g] = user.UserGroupName[u];
        int blankSlots = 0;
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            user.UserFactor[u][j] = UserNumber(user.UserFactorText[u][j]);
            user.UserOffset[u][j] = UserNumber(user.UserOffsetText[u][j]);
            if (IsSpacesOnly(user.UserUnitName[u][j])) {
                user.UserUnitName[u][j].clear();
                user.UserFactor[u][j] = 1.0;
                user.UserOffset[u][j] = 0.0;
                ++blankSlots;
            }
            c.UnitName[g][j] = user.UserUnitName[u][j];
            if (user.UserFactor[u][j] == 0.0) {
                c.TempScale[row][j] = kZeroFactorScale;
                c.TempOffset[row][j] = 0.0;
            } else {
                c.TempScale[row][j] = user.UserFactor[u][j];
                c.TempOffset[row][j] = user.UserOffset[u][j];
            }
        }
        // Every blank slot lowers the count, wherever it stands among the ten.
        c.UnitCount[g] = static_cast<std::int16_t>(kUserUnitsUsed - blankSlots);
    }
}

}  // namespace halden
