#include "storage/side_file.h"

#include "storage/file_access.h"
#include "storage/my_path.h"

#include <charconv>

namespace halden {
namespace {

// A real file is a few kilobytes; reading stops here so that no file can exhaust memory.
constexpr std::size_t kMaxSideFileBytes = 1 << 16;
// Places beyond a 16-bit coordinate are no places on any screen.
constexpr int kSidePlaceLimit = 32767;

constexpr std::string_view kSideUnitsSection = "[Units]";
constexpr std::string_view kSideWindowSection = "[All Units]";
constexpr std::string_view kSideFromKey = "From.";
constexpr std::string_view kSideIntoKey = "Into.";
constexpr std::string_view kSidePlaceKey = "Place";

std::optional<int> ReadSideInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// "5<TAB>mile" or "5": an index of a unit slot and the name it had.
std::optional<RememberedUnit> ReadRememberedUnit(std::string_view value) {
    const std::size_t tab = value.find('\t');
    const std::optional<int> index = ReadSideInt(value.substr(0, tab));
    if (!index || *index < 0 || *index >= kUnitSlots) {
        return std::nullopt;
    }
    RememberedUnit unit{*index, {}};
    if (tab != std::string_view::npos) {
        unit.name = std::string(value.substr(tab + 1));
    }
    return unit;
}

// "left top width height", each within the limit and the size at least one pixel.
std::optional<WindowPlace> ReadWindowPlace(std::string_view value) {
    std::array<int, 4> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t blank = value.find(' ');
        const std::optional<int> number = ReadSideInt(value.substr(0, blank));
        if (!number || *number < -kSidePlaceLimit || *number > kSidePlaceLimit ||
            (blank == std::string_view::npos) != (i == 3)) {
            return std::nullopt;
        }
        numbers[i] = *number;
        value = blank == std::string_view::npos ? std::string_view{} : value.substr(blank + 1);
    }
    if (numbers[2] <= 0 || numbers[3] <= 0) {
        return std::nullopt;
    }
    return WindowPlace{numbers[0], numbers[1], numbers[2], numbers[3]};
}

void ReadSideLine(std::string_view line, SideFile& side) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key == kSidePlaceKey) {
        if (const std::optional<WindowPlace> place = ReadWindowPlace(value)) {
            side.allUnitsPlace = place;
        }
        return;
    }
    const bool from = key.starts_with(kSideFromKey);
    if (!from && !key.starts_with(kSideIntoKey)) {
        return;
    }
    const std::optional<int> group = ReadSideInt(key.substr(kSideFromKey.size()));
    const std::optional<RememberedUnit> unit = ReadRememberedUnit(value);
    if (!group || *group < 0 || *group >= kGroupCount || !unit) {
        return;
    }
    RememberedUnits& units = side.units[static_cast<std::size_t>(*group)];
    (from ? units.from : units.into) = *unit;
}

void WriteRememberedUnit(std::string& out, std::string_view key, int group, const RememberedUnit& unit) {
    if (unit.index < 0) {
        return;
    }
    out += std::string(key) + std::to_string(group) + "=" + std::to_string(unit.index);
    // A name that would break its line is left out; the index alone then stands for the unit.
    if (!unit.name.empty() && unit.name.find_first_of("\r\n") == std::string::npos) {
        out += "\t" + unit.name;
    }
    out += "\n";
}

}  // namespace

SideFile SideFileFromBytes(std::string_view bytes) {
    SideFile side;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        ReadSideLine(bytes.substr(0, end), side);
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    }
    return side;
}

std::string SideFileBytes(const SideFile& side) {
    std::string out = std::string(kSideUnitsSection) + "\n";
    for (int g = 0; g < kGroupCount; ++g) {
        const RememberedUnits& units = side.units[static_cast<std::size_t>(g)];
        WriteRememberedUnit(out, kSideFromKey, g, units.from);
        WriteRememberedUnit(out, kSideIntoKey, g, units.into);
    }
    if (const auto& place = side.allUnitsPlace) {
        out += std::string(kSideWindowSection) + "\n" + std::string(kSidePlaceKey) + "=" + std::to_string(place->left) +
               " " + std::to_string(place->top) + " " + std::to_string(place->width) + " " +
               std::to_string(place->height) + "\n";
    }
    return out;
}

int RememberedRow(const UnitCatalogue& c, int group, const RememberedUnit& unit) {
    if (group < 0 || group >= kGroupCount || unit.index < 0) {
        return -1;
    }
    const auto& names = c.UnitName[static_cast<std::size_t>(group)];
    const int count = std::min<int>(c.UnitCount[static_cast<std::size_t>(group)], kUnitSlots);
    if (unit.index < count && (unit.name.empty() || names[static_cast<std::size_t>(unit.index)] == unit.name)) {
        return unit.index;
    }
    for (int row = 0; row < count && !unit.name.empty(); ++row) {
        if (names[static_cast<std::size_t>(row)] == unit.name) {
            return row;
        }
    }
    return -1;
}

SideFile ReadSideFile() {
    const std::optional<std::string> bytes = ReadFileBytes(MyPath() + std::string(kSideFileName), kMaxSideFileBytes);
    return bytes ? SideFileFromBytes(*bytes) : SideFile{};
}

bool WriteSideFile(const SideFile& side) {
    return WriteFileAtomically(MyPath() + std::string(kSideFileName), SideFileBytes(side));
}

}  // namespace halden
