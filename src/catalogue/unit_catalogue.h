// The unit catalogue: which unit groups exist, their units, names and factors.
//
// Group indices 0..50: 0-13 the Convert menu's groups (6 Temperature, 9 Velocity), 14-26 Other
// Units, 27 Metric Prefixes, 28-47 the user groups "User 1".."User 20", 48 "Bit, Byte",
// 49 "Hex, Oct, Bin", 50 "Graphics Units". Temperature and the user groups convert through the
// affine tables (row 0 for temperature, row g - 27 for user group g); the others by factor ratio,
// except 49, which converts number bases as text.
//
// The windows own one process-wide instance (catalogue(), beside the settings); the core is given
// the tables it reads. BuildUnitCatalogue() fills them at start-up, TransferUserGroups() groups
// 28-47 again after the user edits them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace halden {

inline constexpr int kGroupCount = 51;
inline constexpr int kUnitSlots = 41;
inline constexpr int kAffineRows = 21;
inline constexpr int kAffineSlots = 11;
inline constexpr int kWarpLevels = 14;
inline constexpr int kUserGroups = 20;
inline constexpr int kUserSlots = 11;  // slots 0..9 are used
inline constexpr int kUserUnitsUsed = 10;
inline constexpr int kFirstUserGroup = 28;

// Where each part of the group indices starts (see above).
inline constexpr int kFirstOtherGroup = 14;
inline constexpr int kMetricPrefixGroup = 27;
inline constexpr int kFirstComputerGroup = 48;

inline constexpr int kGroupTemperature = 6;
inline constexpr int kGroupVelocity = 9;
inline constexpr int kSpeedOfLightUnit = 6;  // "speed of light", a unit of Velocity
inline constexpr int kWarpUnit = 13;         // "Warp", the last unit of Velocity
inline constexpr int kGroupRadix = 49;

/// Whether g is one of the user groups 28-47.
constexpr bool IsUserGroup(int g) { return g >= kFirstUserGroup && g < kFirstUserGroup + kUserGroups; }

/// The caption of user group u (0-based) while it has no name of its own: "User 1".."User 20".
inline std::string UserGroupCaption(int u) { return "User " + std::to_string(u + 1); }

struct UnitCatalogue {
    std::array<std::string, kGroupCount> GroupName{};
    std::array<std::int16_t, kGroupCount> UnitCount{};
    std::array<std::array<std::string, kUnitSlots>, kGroupCount> UnitName{};
    std::array<std::array<double, kUnitSlots>, kGroupCount> UnitFactor{};
    std::array<std::array<double, kAffineSlots>, kAffineRows> TempScale{};
    std::array<std::array<double, kAffineSlots>, kAffineRows> TempOffset{};
    std::array<std::string, kWarpLevels> WarpName{};
    std::array<double, kWarpLevels> WarpSpeed{};
    std::array<std::string, kWarpLevels> WarpMenuCaption{};  // "Warp 1" .. "Warp 9.9999"
};

/// The user-units source tables: what the user typed in the Add Units dialog and what the
/// user units file holds. TransferUserGroups() reads them and rewrites the names and numbers.
struct UserUnits {
    std::array<std::string, kUserGroups> UserGroupName{};
    std::array<std::array<std::string, kUserSlots>, kUserGroups> UserUnitName{};
    std::array<std::array<std::string, kUserSlots>, kUserGroups> UserFactorText{};
    std::array<std::array<std::string, kUserSlots>, kUserGroups> UserOffsetText{};
    std::array<std::array<double, kUserSlots>, kUserGroups> UserFactor{};
    std::array<std::array<double, kUserSlots>, kUserGroups> UserOffset{};
    /// The bytes each text had in the user units file when it was read (empty where nothing was
    /// read), so that a save writes a text nobody changed back exactly as it was.
    std::array<std::string, kUserGroups> StoredGroupName{};
    std::array<std::array<std::string, kUserSlots>, kUserGroups> StoredUnitName{};
    std::array<std::array<std::string, kUserSlots>, kUserGroups> StoredFactorText{};
    std::array<std::array<std::string, kUserSlots>, kUserGroups> StoredOffsetText{};
};

}  // namespace halden
