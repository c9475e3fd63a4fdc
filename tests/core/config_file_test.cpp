#include "storage/config_file.h"

#include "storage/file_access.h"
#include "storage/my_path.h"
#include "storage_test_support.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using halden::Settings;
using Field = std::int16_t Settings::*;

// The lines a start with the defaults writes, except for the lines the windows fill in.
const std::vector<std::string> kDefaultLines = {
    "[Window]",
    "Form_Normal_Top=1350",
    "Form_Normal_Left=840",
    "Form_Normal_Width=0",
    "Form_Normal_Height=0",
    "Form_Cal_Top=360",
    "Form_Cal_Left=360",
    "Form_Convert_Top=1350",
    "Form_Convert_Left=840",
    "Form_Constants_Top=1650",
    "Form_Constants_Left=2500",
    "Sel_Unit_Group=0",
    "Sel_Unit_Item=0",
    "[Option]",
    "Show_On_Top=0",
    "Figure=6",
    "Form=0",
    "Focus=0",
    "Shape=0",
};

// Every value different, so that a value read from the wrong line or column shows.
const std::vector<std::string> kDistinctLines = {
    "[Window]",
    "Form_Normal_Top=101",
    "Form_Normal_Left=102",
    "Form_Normal_Width=103",
    "Form_Normal_Height=104",
    "Form_Cal_Top=105",
    "Form_Cal_Left=106",
    "Form_Convert_Top=107",
    "Form_Convert_Left=108",
    "Form_Constants_Top=109",
    "Form_Constants_Left=110",
    "Sel_Unit_Group=11",
    "Sel_Unit_Item=12",
    "[Option]",
    "Show_On_Top=1",
    "Figure=8",
    "Form=1",
    "Focus=3",
    "Shape=1",
};

const std::vector<std::pair<Field, int>> kDistinctValues = {
    {&Settings::Form_Normal_Top, 101},
    {&Settings::Form_Normal_Left, 102},
    {&Settings::Form_Normal_Width, 103},
    {&Settings::Form_Normal_Height, 104},
    {&Settings::Form_Cal_Top, 105},
    {&Settings::Form_Cal_Left, 106},
    {&Settings::Form_Convert_Top, 107},
    {&Settings::Form_Convert_Left, 108},
    {&Settings::Form_Constants_Top, 109},
    {&Settings::Form_Constants_Left, 110},
    {&Settings::pnSelUnitGrp, 11},
    {&Settings::pnSelUnitItem, 12},
    {&Settings::pnShowTop, 1},
    {&Settings::pnFigure, 8},
    {&Settings::pnFormFlag, 1},
    {&Settings::pnFocusFlag, 3},
    {&Settings::pnShapeFlag, 1},
};

std::string Join(const std::vector<std::string>& lines, const std::string& ending = "\r\n") {
    std::string text;
    for (const auto& line : lines) {
        text += line + ending;
    }
    return text;
}

/// The distinct file with some lines replaced (1-based line numbers).
std::string DistinctWith(const std::map<int, std::string>& replaced) {
    auto lines = kDistinctLines;
    for (const auto& [number, text] : replaced) {
        lines[static_cast<std::size_t>(number - 1)] = text;
    }
    return Join(lines);
}

/// Bytes as a binary file holds them: every value in turn, line ends among them.
std::string BinaryBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(i * 37);
    }
    return bytes;
}

/// Settings far from both the defaults and the file, to see which values a read replaces.
Settings Scrambled() {
    Settings s;
    for (const auto& [field, value] : kDistinctValues) {
        s.*field = static_cast<std::int16_t>(-77 - value);
    }
    return s;
}

void ExpectAllDefaults(const Settings& s) {
    const Settings defaults;
    for (const auto& [field, value] : kDistinctValues) {
        EXPECT_EQ(s.*field, defaults.*field);
    }
}

void ExpectFallbackMessage(const halden::RecordingSink& sink) {
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].title, " Halden Unit Converter");
    EXPECT_EQ(sink.messages[0].text, "Loading the default configuration settings.\rClick on the OK button to proceed.");
    EXPECT_EQ(sink.messages[0].icon, halden::MessageIcon::Information);
}

struct ReadCase {
    const char* name;
    std::optional<std::string> file;
    std::vector<std::pair<Field, int>> expected;  // checked when the file is accepted
    bool rejected = false;                        // the message and all defaults
};

const ReadCase kReadCases[] = {
    {"every value from its own line", Join(kDistinctLines), kDistinctValues},
    {"no file", std::nullopt, {}, true},
    {"empty file", std::string(), {}, true},
    {"18 lines", Join(std::vector<std::string>(kDistinctLines.begin(), kDistinctLines.end() - 1)), {}, true},
    {"18 lines and an empty 19th ending",
     Join(std::vector<std::string>(kDistinctLines.begin(), kDistinctLines.end() - 1)) + "\r\n",
     {{&Settings::pnShapeFlag, 0}}},
    {"last line without its line end", Join(kDistinctLines).substr(0, Join(kDistinctLines).size() - 2),
     kDistinctValues},
    {"line feeds alone end lines", Join(kDistinctLines, "\n"), kDistinctValues},
    {"lines after the 19th are not read", Join(kDistinctLines) + "Figure=x\r\n\xff\xfe\r\n", kDistinctValues},
    {"40000 does not fit", DistinctWith({{9, "Form_Convert_Left=40000"}}), {}, true},
    {"32768 does not fit", DistinctWith({{2, "Form_Normal_Top=32768"}}), {}, true},
    {"32767 fits", DistinctWith({{2, "Form_Normal_Top=32767"}}), {{&Settings::Form_Normal_Top, 32767}}},
    {"an exponent beyond 16 bits does not fit", DistinctWith({{6, "Form_Cal_Top=1e5"}}), {}, true},
    {"-32000 is read from six characters, as written",
     DistinctWith({{2, "Form_Normal_Top=-32000"}}),
     {{&Settings::Form_Normal_Top, -32000}}},
    {"-32768 at the end of a short key's line",
     DistinctWith({{6, "Form_Cal_Top=-32768"}}),
     {{&Settings::Form_Cal_Top, -32768}}},
    {"-32769 does not fit", DistinctWith({{8, "Form_Convert_Top=-32769"}}), {}, true},
    {"a positive value still reads five characters",
     DistinctWith({{9, "Form_Convert_Left=123456"}}),
     {{&Settings::Form_Convert_Left, 12345}}},
    {"a minus sign on a one-character option reads no number",
     DistinctWith({{16, "Figure=-4"}}),
     {{&Settings::pnFigure, 0}}},
    {"an option is read from one character", DistinctWith({{16, "Figure=10"}}), {{&Settings::pnFigure, 1}}},
    {"blanks around the equals sign", DistinctWith({{6, "Form_Cal_Top = 200"}}), {{&Settings::Form_Cal_Top, 0}}},
    {"misspelled key of the right length",
     DistinctWith({{2, "Form_Normal_Tox=55"}}),
     {{&Settings::Form_Normal_Top, 55}}},
    {"another line's key of the same length",
     DistinctWith({{3, "Form_Convert_Top=77"}}),
     {{&Settings::Form_Normal_Left, 77}, {&Settings::Form_Convert_Top, 107}}},
    {"blanks around the line",
     DistinctWith({{2, "   Form_Normal_Top=250   "}, {16, "  Figure=4 "}}),
     {{&Settings::Form_Normal_Top, 250}, {&Settings::pnFigure, 4}}},
    {"letters after the number", DistinctWith({{2, "Form_Normal_Top=120abc"}}), {{&Settings::Form_Normal_Top, 120}}},
    {"a half goes down to even", DistinctWith({{2, "Form_Normal_Top=12.5"}}), {{&Settings::Form_Normal_Top, 12}}},
    {"a half goes up to even", DistinctWith({{2, "Form_Normal_Top=13.5"}}), {{&Settings::Form_Normal_Top, 14}}},
    {"a negative half goes to even",
     DistinctWith({{6, "Form_Cal_Top=-2.5"}, {7, "Form_Cal_Left=-3.5"}}),
     {{&Settings::Form_Cal_Top, -2}, {&Settings::Form_Cal_Left, -4}}},
    {"more than a half goes up", DistinctWith({{2, "Form_Normal_Top=12.51"}}), {{&Settings::Form_Normal_Top, 13}}},
    {"an empty value reads as 0",
     DistinctWith({{17, "Form="}, {12, "Sel_Unit_Group="}}),
     {{&Settings::pnFormFlag, 0}, {&Settings::pnSelUnitGrp, 0}}},
    {"a short line reads as 0", DistinctWith({{9, "Form"}}), {{&Settings::Form_Convert_Left, 0}}},
    {"a sign alone reads as 0", DistinctWith({{19, "Shape=-1"}}), {{&Settings::pnShapeFlag, 0}}},
    {"the section lines are not compared", DistinctWith({{1, "garbage"}, {14, ""}}), kDistinctValues},
    {"hexadecimal in five characters",
     DistinctWith({{2, "Form_Normal_Top=&HFFFF"}}),
     {{&Settings::Form_Normal_Top, 4095}}},
    // Something else in the file's place holds no number and would read as a file of zeros.
    {"19 lines without a key", Join(std::vector<std::string>(19, "Hello, world")), {}, true},
    {"a control character in a line", DistinctWith({{5, "Form_Normal_Height=104\x01"}}), {}, true},
    {"zeros where the lines were", DistinctWith({{12, std::string(40, '\0')}}), {}, true},
    {"binary bytes", BinaryBytes(4000), {}, true},
    {"longer than any configuration", Join(kDistinctLines) + std::string(70000, ' '), {}, true},
};

TEST(CfgReadBytes, ReadsByLineAndColumnOrFallsBackToAllDefaults) {
    for (const auto& row : kReadCases) {
        SCOPED_TRACE(row.name);
        Settings s = Scrambled();
        halden::RecordingSink sink;
        halden::CfgReadBytes(row.file, s, sink);
        if (row.rejected) {
            ExpectFallbackMessage(sink);
            ExpectAllDefaults(s);
            continue;
        }
        EXPECT_TRUE(sink.messages.empty());
        for (const auto& [field, value] : row.expected) {
            EXPECT_EQ(s.*field, value);
        }
        // An accepted file sets every value; none keeps what was there before.
        const Settings before = Scrambled();
        for (const auto& [field, value] : kDistinctValues) {
            EXPECT_NE(s.*field, before.*field);
        }
    }
}

TEST(CfgReadBytes, FallbackKeepsTheSystemColourFlagForTheUnpacking) {
    Settings s;
    s.pbShowInSysCol = true;
    halden::RecordingSink sink;
    halden::CfgReadBytes(std::nullopt, s, sink);
    EXPECT_EQ(s.pnFocusFlag, 0);
    halden::FocusUnpack(s);
    EXPECT_FALSE(s.pbShowInSysCol);
}

TEST(FocusUnpack, SplitsTheSystemColourFlagOff) {
    struct Row {
        int read;
        int focus;
        bool system_colours;
    };
    const Row rows[] = {{0, 0, false}, {1, 1, false}, {2, 0, true}, {3, 1, true}, {5, 3, true}, {-1, -1, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.read);
        Settings s;
        s.pbShowInSysCol = !row.system_colours;
        s.pnFocusFlag = static_cast<std::int16_t>(row.read);
        halden::FocusUnpack(s);
        EXPECT_EQ(s.pnFocusFlag, row.focus);
        EXPECT_EQ(s.pbShowInSysCol, row.system_colours);
    }
}

TEST(CfgSaveBytes, WritesTheNineteenLinesWithCrLf) {
    Settings s;
    s.pnSelUnitItem = 19;
    s.Form_Normal_Width = 1230;
    s.Form_Normal_Height = 1125;
    auto lines = kDefaultLines;
    lines[12] = "Sel_Unit_Item=19";
    lines[3] = "Form_Normal_Width=1230";
    lines[4] = "Form_Normal_Height=1125";
    EXPECT_EQ(halden::CfgSaveBytes(s), Join(lines));
}

TEST(CfgSaveBytes, WritesNegativeAndExtremeValuesAsPlainDigits) {
    Settings s;
    s.Form_Convert_Left = -32768;
    s.Form_Convert_Top = 32767;
    s.Form_Cal_Top = -5;
    const std::string text = halden::CfgSaveBytes(s);
    EXPECT_NE(text.find("\r\nForm_Convert_Left=-32768\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nForm_Convert_Top=32767\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nForm_Cal_Top=-5\r\n"), std::string::npos);
}

TEST(CfgSaveBytes, PacksTheSystemColourFlagIntoFocus) {
    struct Row {
        const char* name;
        int focus;
        bool system_colours;
        const char* written;
    };
    const Row rows[] = {
        {"Tab with system colours", 1, true, "Focus=3"},
        {"Auto with system colours", 0, true, "Focus=2"},
        {"Tab without", 1, false, "Focus=1"},
        {"already packed stays", 2, true, "Focus=2"},
        {"packed value without the flag", 3, false, "Focus=1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Settings s;
        s.pnFocusFlag = static_cast<std::int16_t>(row.focus);
        s.pbShowInSysCol = row.system_colours;
        EXPECT_NE(halden::CfgSaveBytes(s).find(std::string("\r\n") + row.written + "\r\n"), std::string::npos);
    }
}

TEST(CfgFile, FocusThreeAtStartGivesTabAndSystemColoursAndSavesBackAsThree) {
    Settings s;
    halden::RecordingSink sink;
    halden::CfgReadBytes(DistinctWith({{18, "Focus=3"}}), s, sink);
    halden::FocusUnpack(s);
    EXPECT_EQ(s.pnFocusFlag, 1);
    EXPECT_TRUE(s.pbShowInSysCol);
    EXPECT_NE(halden::CfgSaveBytes(s).find("\r\nFocus=3\r\n"), std::string::npos);
}

TEST(CfgFile, EverySavableValueReadsBackUnchanged) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> window(-32768, 32767);  // every 16-bit position
    std::uniform_int_distribution<int> option(0, 9);           // what one character can hold
    for (int round = 0; round < 500; ++round) {
        Settings written;
        for (const auto& [field, unused] : kDistinctValues) {
            const bool is_option = field == &Settings::pnShowTop || field == &Settings::pnFigure ||
                                   field == &Settings::pnFormFlag || field == &Settings::pnFocusFlag ||
                                   field == &Settings::pnShapeFlag;
            written.*field = static_cast<std::int16_t>(is_option ? option(random) : window(random));
        }
        written.pbShowInSysCol = written.pnFocusFlag >= 2;
        Settings read;
        halden::RecordingSink sink;
        halden::CfgReadBytes(halden::CfgSaveBytes(written), read, sink);
        ASSERT_TRUE(sink.messages.empty());
        for (const auto& [field, unused] : kDistinctValues) {
            ASSERT_EQ(read.*field, written.*field) << halden::CfgSaveBytes(written);
        }
    }
}

TEST(StoreTwips, StoresTheNearestIntegerAndTreatsOutOfRangePlacesByTheRule) {
    using halden::PlaceOutOfRange;
    struct Row {
        const char* name;
        double twips;
        PlaceOutOfRange rule;
        bool stored;
        int value;  // the setting afterwards; it starts as 555
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {"whole", 1350, PlaceOutOfRange::KeepStored, true, 1350},
        {"half to even down", 1234.5, PlaceOutOfRange::KeepStored, true, 1234},
        {"half to even up", 1235.5, PlaceOutOfRange::KeepStored, true, 1236},
        {"largest", 32767.4, PlaceOutOfRange::KeepStored, true, 32767},
        {"rounds beyond the largest", 32767.5, PlaceOutOfRange::KeepStored, false, 555},
        {"smallest by rounding", -32768.5, PlaceOutOfRange::KeepStored, true, -32768},
        {"below the smallest", -32769, PlaceOutOfRange::KeepStored, false, 555},
        {"far off screen", 1e9, PlaceOutOfRange::KeepStored, false, 555},
        {"not a number", std::nan(""), PlaceOutOfRange::KeepStored, false, 555},
        {"infinite", -inf, PlaceOutOfRange::KeepStored, false, 555},
        {"clamp: inside the range as the keep rule", 1234.5, PlaceOutOfRange::Clamp, true, 1234},
        {"clamp: just beyond the largest", 32767.5, PlaceOutOfRange::Clamp, true, 32767},
        {"clamp: far below the smallest", -1e9, PlaceOutOfRange::Clamp, true, -32768},
        {"clamp: not a number keeps the value", std::nan(""), PlaceOutOfRange::Clamp, false, 555},
        {"clamp: infinite keeps the value", inf, PlaceOutOfRange::Clamp, false, 555},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::int16_t setting = 555;
        EXPECT_EQ(halden::StoreTwips(setting, row.twips, row.rule), row.stored);
        EXPECT_EQ(setting, row.value);
    }
}

class CfgFileOnDisk : public storage_test::FileTest {};

TEST_F(CfgFileOnDisk, NoFileGivesTheMessageAndTheDefaults) {
    // What may stand in the file's place; a named pipe with no writer must not stop the start-up.
    const struct {
        const char* what;
        std::function<void(const std::string& path)> make;
    } kRows[] = {
        {"no file", [](const std::string&) {}},
        {"a directory", [](const std::string& path) { std::filesystem::create_directories(path); }},
        {"a named pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.what);
        const std::string path = FilesDir() + "HALDUCNV.CFG";
        std::filesystem::create_directories(FilesDir());
        std::filesystem::remove_all(path);
        row.make(path);
        halden::settings() = Scrambled();
        halden::RecordingSink sink;
        halden::CfgRead(halden::settings(), sink);
        ExpectFallbackMessage(sink);
        ExpectAllDefaults(halden::settings());
    }
}

TEST_F(CfgFileOnDisk, SaveCreatesTheDirectoryAndReadsBack) {
    halden::settings().Form_Cal_Left = -1200;
    halden::settings().pnFocusFlag = 1;
    halden::settings().pbShowInSysCol = true;
    halden::RecordingSink sink;
    ASSERT_TRUE(halden::CfgSave(halden::settings(), sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(halden::settings().pnFocusFlag, 3);  // the packed value stays
    const auto bytes = FileBytes("HALDUCNV.CFG");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, halden::CfgSaveBytes(halden::settings()));
    EXPECT_TRUE(OtherEntries("HALDUCNV.CFG").empty());

    halden::ResetProcessState();
    halden::CfgRead(halden::settings(), sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(halden::settings().Form_Cal_Left, -1200);
    EXPECT_EQ(halden::settings().pnFocusFlag, 3);
}

TEST_F(CfgFileOnDisk, FailedSaveShowsTheCriticalMessageAndKeepsTheOldFile) {
    struct Row {
        const char* name;
        std::optional<halden::test::WriteFault> fault;  // std::nullopt: the directory is unwritable
    };
    const Row rows[] = {
        {"unwritable directory", std::nullopt},
        {"write fails after part of the data", halden::test::WriteFault{halden::test::WriteFault::Step::Write, 100}},
        {"write fails before any data", halden::test::WriteFault{halden::test::WriteFault::Step::Write, 0}},
        {"sync fails", halden::test::WriteFault{halden::test::WriteFault::Step::Sync, 0}},
        {"rename fails", halden::test::WriteFault{halden::test::WriteFault::Step::Rename, 0}},
    };
    const std::string old_file = Join(kDistinctLines) + "kept as it is";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PutFile("HALDUCNV.CFG", old_file);
        if (row.fault) {
            halden::test::SetWriteFault(row.fault);
        } else {
            MakeFilesDirUnwritable();
        }
        halden::RecordingSink sink;
        EXPECT_FALSE(halden::CfgSave(halden::settings(), sink));
        halden::test::SetWriteFault(std::nullopt);
        ::chmod(FilesDir().c_str(), 0700);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0], (halden::Message{" Halden Unit Converter", "Failed to save file as 'HALDUCNV.CFG'.",
                                                     halden::MessageIcon::Critical}));
        EXPECT_EQ(FileBytes("HALDUCNV.CFG"), old_file);
        EXPECT_TRUE(OtherEntries("HALDUCNV.CFG").empty());
    }
}

TEST_F(CfgFileOnDisk, ADamagedFileIsKeptBesideTheSavedOneAndTheMessageSaysSo) {
    struct Row {
        const char* name;
        std::optional<std::string> old_file;  // std::nullopt: no file
        mode_t mode;
        std::string kept_as;  // empty: nothing is kept and the message has its two lines
    };
    const std::string eighteen_lines = Join(std::vector<std::string>(kDistinctLines.begin(), kDistinctLines.end() - 1));
    const Row rows[] = {
        {"18 lines", eighteen_lines, 0600, "HALDUCNV.CFG.damaged"},
        {"a value that does not fit", DistinctWith({{9, "Form_Convert_Left=40000"}}), 0600, "HALDUCNV.CFG.damaged"},
        {"100 KB of binary bytes", BinaryBytes(100000), 0600, "HALDUCNV.CFG.damaged"},
        {"the user may write it but not read it", Join(kDistinctLines), 0200, "HALDUCNV.CFG.damaged"},
        {"missing", std::nullopt, 0600, ""},
        {"empty", std::string(), 0600, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(FilesDir());
        std::filesystem::create_directories(FilesDir());
        if (row.old_file) {
            PutFile("HALDUCNV.CFG", *row.old_file);
            ASSERT_EQ(::chmod((FilesDir() + "HALDUCNV.CFG").c_str(), row.mode), 0);
        }
        const std::string expected_text =
            "Loading the default configuration settings.\rClick on the OK button to proceed." +
            (row.kept_as.empty()
                 ? std::string()
                 : "\rThe file will be kept as '" + row.kept_as + "' when the settings are next saved.");
        // The reading and the save run as the files' owner, for whom their modes hold.
        const bool ran = storage_test::RunAsOwnerOfFiles(root_, [&] {
            halden::RecordingSink sink;
            Settings s;
            halden::CfgRead(s, sink);
            return sink.messages.size() == 1 && sink.messages[0].text == expected_text && halden::CfgSave(s, sink);
        });
        EXPECT_TRUE(ran) << "the fallback message must say where the file is kept, and the save must succeed";
        EXPECT_EQ(FileBytes("HALDUCNV.CFG"), halden::CfgSaveBytes(Settings{}));
        std::vector<std::string> expected;
        if (!row.kept_as.empty()) {
            ::chmod((FilesDir() + row.kept_as).c_str(), 0600);
            EXPECT_EQ(FileBytes(row.kept_as), row.old_file);
            expected.push_back(row.kept_as);
        }
        EXPECT_EQ(OtherEntries("HALDUCNV.CFG"), expected);
    }
}

class MyPathRule : public storage_test::FileTest {};

TEST_F(MyPathRule, PicksTheProgramsDirectoryOnlyWhenItHoldsAFile) {
    const std::string program_dir = root_ + "/program";
    std::filesystem::create_directories(program_dir);
    EXPECT_EQ(halden::MyPathFor(program_dir), root_ + "/halducnv/");
    EXPECT_EQ(halden::MyPathFor(""), root_ + "/halducnv/");
    EXPECT_EQ(halden::MyPath(), root_ + "/halducnv/");

    for (const char* name : {"HALDUCNV.CFG", "HUC_USER.DAT"}) {
        SCOPED_TRACE(name);
        const std::string file = program_dir + "/" + name;
        { std::ofstream(file) << "x"; }
        EXPECT_EQ(halden::MyPathFor(program_dir), program_dir + "/");
        EXPECT_EQ(halden::MyPathFor(program_dir + "/"), program_dir + "/");
        std::filesystem::remove(file);
    }
    // A directory of that name is not a file of the program.
    std::filesystem::create_directories(program_dir + "/HALDUCNV.CFG");
    EXPECT_EQ(halden::MyPathFor(program_dir), root_ + "/halducnv/");
}

TEST_F(MyPathRule, FallsBackToTheHomeConfigDirectory) {
    const char* old_home = std::getenv("HOME");
    const std::string saved_home = old_home != nullptr ? old_home : "";
    ::setenv("HOME", (root_ + "/home").c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(halden::MyPathFor(""), root_ + "/home/.config/halducnv/");
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(halden::MyPathFor(""), root_ + "/home/.config/halducnv/");
    ::setenv("XDG_CONFIG_HOME", (root_ + "/xdg/").c_str(), 1);
    EXPECT_EQ(halden::MyPathFor(""), root_ + "/xdg/halducnv/");
    if (old_home != nullptr) {
        ::setenv("HOME", saved_home.c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
}

}  // namespace
