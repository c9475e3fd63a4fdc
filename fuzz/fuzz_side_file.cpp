// Feeds arbitrary bytes to the reader of halducnv.ini, and the same bytes, read as the values a
// program keeps, to its writer. What is read is in range (a list slot or nothing, a place on a
// 16-bit screen at least a pixel large, names of one line); what is written reads back as the
// same values, and writing what was read and reading it again changes nothing. A remembered unit
// stands for a row of its group's list that has its name.

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "storage/side_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr int kPlaceLimit = 32767;
constexpr std::size_t kLongestName = 80;

bool Breaks(std::string_view name) { return name.find_first_of("\r\n") != std::string_view::npos; }

void CheckUnitRead(const halden::RememberedUnit& unit) {
    if (unit.index < -1 || unit.index >= halden::kUnitSlots) std::abort();
    if (unit.index == -1 && !unit.name.empty()) std::abort();
    if (Breaks(unit.name)) std::abort();
}

void CheckRead(const halden::SideFile& side) {
    for (const halden::RememberedUnits& units : side.units) {
        CheckUnitRead(units.from);
        CheckUnitRead(units.into);
    }
    if (const auto& place = side.allUnitsPlace) {
        for (const int n : {place->left, place->top, place->width, place->height}) {
            if (n < -kPlaceLimit || n > kPlaceLimit) std::abort();
        }
        if (place->width < 1 || place->height < 1) std::abort();
    }
}

// The row a remembered unit stands for is a row of the list, with the remembered name when there
// is one: its own row while that still fits, else the first row of that name.
void CheckRow(const halden::UnitCatalogue& c, int group, const halden::RememberedUnit& unit) {
    const int row = halden::RememberedRow(c, group, unit);
    if (group < 0 || group >= halden::kGroupCount || unit.index < 0) {
        if (row != -1) std::abort();
        return;
    }
    const auto& names = c.UnitName[static_cast<std::size_t>(group)];
    const int count = std::min<int>(c.UnitCount[static_cast<std::size_t>(group)], halden::kUnitSlots);
    if (row < -1 || row >= count) std::abort();
    if (row >= 0 && !unit.name.empty() && names[static_cast<std::size_t>(row)] != unit.name) std::abort();
    const bool ownRowFits =
        unit.index < count && (unit.name.empty() || names[static_cast<std::size_t>(unit.index)] == unit.name);
    if (ownRowFits && row != unit.index) std::abort();
    if (unit.name.empty() && !ownRowFits && row != -1) std::abort();
    // Else the first row of that name.
    if (!ownRowFits && !unit.name.empty()) {
        const auto first = std::find(names.begin(), names.begin() + std::max(count, 0), unit.name);
        const int firstRow = first == names.begin() + std::max(count, 0) ? -1 : static_cast<int>(first - names.begin());
        if (row != firstRow) std::abort();
    }
}

// Values as a program keeps them, any of them, with what writing and reading them back keeps.
struct Kept {
    halden::SideFile side;
    halden::SideFile expected;
};

halden::RememberedUnit KeptUnit(FuzzedDataProvider& bytes, halden::RememberedUnit& expected) {
    halden::RememberedUnit unit;
    unit.index = bytes.ConsumeIntegralInRange<int>(-1, halden::kUnitSlots - 1);
    unit.name = bytes.ConsumeRandomLengthString(kLongestName);
    // Nothing chosen is written as nothing; a name that would break its line is left out.
    expected = unit.index < 0 ? halden::RememberedUnit{} : unit;
    if (Breaks(expected.name)) {
        expected.name.clear();
    }
    return unit;
}

Kept KeptValues(FuzzedDataProvider& bytes) {
    Kept kept;
    const int entries = bytes.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < entries; ++i) {
        const auto g = static_cast<std::size_t>(bytes.ConsumeIntegralInRange<int>(0, halden::kGroupCount - 1));
        if (bytes.ConsumeBool()) {
            kept.side.units[g].from = KeptUnit(bytes, kept.expected.units[g].from);
        } else {
            kept.side.units[g].into = KeptUnit(bytes, kept.expected.units[g].into);
        }
    }
    if (bytes.ConsumeBool()) {
        halden::WindowPlace place;
        place.left = bytes.ConsumeIntegralInRange<int>(-kPlaceLimit, kPlaceLimit);
        place.top = bytes.ConsumeIntegralInRange<int>(-kPlaceLimit, kPlaceLimit);
        place.width = bytes.ConsumeIntegralInRange<int>(1, kPlaceLimit);
        place.height = bytes.ConsumeIntegralInRange<int>(1, kPlaceLimit);
        kept.side.allUnitsPlace = place;
        kept.expected.allUnitsPlace = place;
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<halden::UnitCatalogue> catalogue = [] {
        auto user = std::make_unique<halden::UserUnits>();
        auto built = std::make_unique<halden::UnitCatalogue>();
        halden::BuildUnitCatalogue(*built, *user, 15);
        return built;
    }();

    // The bytes as the file.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const halden::SideFile read = halden::SideFileFromBytes(bytes);
    CheckRead(read);
    const std::string written = halden::SideFileBytes(read);
    const halden::SideFile reread = halden::SideFileFromBytes(written);
    if (reread != read) std::abort();
    if (halden::SideFileBytes(reread) != written) std::abort();
    for (int g = -1; g <= halden::kGroupCount; ++g) {
        const std::size_t slot = static_cast<std::size_t>(std::clamp(g, 0, halden::kGroupCount - 1));
        CheckRow(*catalogue, g, read.units[slot].from);
        CheckRow(*catalogue, g, read.units[slot].into);
    }

    // The bytes as values to keep.
    FuzzedDataProvider provider(data, size);
    const Kept kept = KeptValues(provider);
    const std::string keptBytes = halden::SideFileBytes(kept.side);
    const halden::SideFile keptRead = halden::SideFileFromBytes(keptBytes);
    if (keptRead != kept.expected) std::abort();
    CheckRead(keptRead);
    return 0;
}
