// The program's own small file "halducnv.ini" beside the configuration file: the units last
// chosen in each group and the All Units window's place. The configuration and user units files
// keep their fixed forms; what they have no room for lives here.
//
// The file is text, one "key=value" a line under two headings:
//
//   [Units]
//   From.0=5<TAB>mile          the From unit last chosen in group 0, by list index and name
//   Into.0=1<TAB>meter (m)
//   [All Units]
//   Place=120 80 360 640       left, top, width, height in pixels
//
// Reading takes what it can and ignores the rest (a missing or damaged file, unknown or broken
// lines, numbers out of range), so that no content of the file can stop the program or choose a
// unit that is not there. Saves replace the file atomically.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace halden {

/// A unit chosen in one of the two lists: its index in the list and the name it had then.
struct RememberedUnit {
    int index = -1;    // -1: nothing chosen
    std::string name;  // empty when unknown
    bool operator==(const RememberedUnit&) const = default;
};

struct RememberedUnits {
    RememberedUnit from;
    RememberedUnit into;
    bool operator==(const RememberedUnits&) const = default;
};

/// A window's place on the screen, outer left and top and inner width and height, in pixels.
struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowPlace&) const = default;
};

struct SideFile {
    std::array<RememberedUnits, kGroupCount> units{};
    std::optional<WindowPlace> allUnitsPlace;
    bool operator==(const SideFile&) const = default;
};

/// The file's name, beside HALDUCNV.CFG.
inline constexpr std::string_view kSideFileName = "halducnv.ini";

/// What bytes hold, taking every well-formed line and skipping the others.
SideFile SideFileFromBytes(std::string_view bytes);
/// The file text for side.
std::string SideFileBytes(const SideFile& side);

/// The row of the group's list that a remembered unit stands for: its index while the entry there
/// still has the remembered name (or no name was kept), else the first entry of that name; -1 when
/// there is none. c holds the group's names as the lists show them.
int RememberedRow(const UnitCatalogue& c, int group, const RememberedUnit& unit);

/// Reads MyPath() + "halducnv.ini"; an empty SideFile when it is missing or cannot be read.
SideFile ReadSideFile();
/// Writes side to MyPath() + "halducnv.ini" atomically; false on failure (the old file stays).
bool WriteSideFile(const SideFile& side);

}  // namespace halden
