#include "storage/side_file.h"

#include "catalogue/unit_catalogue_build.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using halden::RememberedUnit;
using halden::SideFile;
using halden::SideFileFromBytes;
using halden::WindowPlace;

SideFile Sample() {
    SideFile side;
    side.units[0] = {{3, "mile"}, {0, "meter (m)"}};
    side.units[49] = {{3, "Hexadecimal"}, {}};
    side.units[28] = {{1, "tab\tin name"}, {2, "line\nbreak"}};
    side.allUnitsPlace = WindowPlace{-20, 40, 300, 500};
    return side;
}

TEST(SideFile, ReadsWhatItCanAndSkipsTheRest) {
    SideFile lengthOnly;
    lengthOnly.units[0].from = {3, "mile"};
    SideFile written = Sample();
    written.units[28].into.name.clear();  // a name that would break its line is left out
    struct Row {
        const char* name;
        std::string bytes;
        SideFile expected;
    };
    const Row rows[] = {
        {"written by the program", halden::SideFileBytes(Sample()), written},
        {"empty", "", {}},
        {"written by hand with CR LF", "[Units]\r\nFrom.0=3\tmile\r\n", lengthOnly},
        {"corrupt values are skipped",
         "From.0=3\tmile\nFrom.99=1\nInto.0=41\nInto.0=-2\nFrom.x=1\nInto.1=abc\nInto.2=1x\nFrom.3\n"
         "Place=1 2 0 5\nPlace=1 2 3\nPlace=99999 0 10 10\nPlace=1 2 3 4 5\n\x01\xff=\x80",
         lengthOnly},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SideFileFromBytes(row.bytes), row.expected);
    }
}

TEST(SideFile, ARememberedUnitIsFoundByItsNameOrNotAtAll) {
    halden::UnitCatalogue c;
    halden::UserUnits user;
    halden::BuildUnitCatalogue(c, user, 15);
    struct Row {
        const char* name;
        RememberedUnit unit;
        int row;
    };
    const Row rows[] = {
        {"name where it was", {3, "mile"}, 3},
        {"name moved", {7, "mile"}, 3},
        {"name cut short by a damaged file", {3, "mi"}, -1},
        {"no name kept: the index", {3, ""}, 3},
        {"index beyond the group", {40, ""}, -1},
        {"nothing chosen", {}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::RememberedRow(c, 0, row.unit), row.row);
    }
}

}  // namespace
