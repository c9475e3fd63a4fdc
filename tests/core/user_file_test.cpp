#include "storage/user_file.h"

#include "shared/process_state.h"
#include "storage/config_file.h"
#include "storage/cp932_text.h"
#include "storage/file_access.h"
#include "storage_test_support.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <vector>

namespace {

using halden::UserUnits;
using Record = std::array<std::string, 3>;

constexpr int kRecords = 220;

/// A record as the file holds it, built byte by byte.
std::string RawRecord(const Record& texts) {
    std::string bytes;
    for (const auto& text : texts) {
        bytes += static_cast<char>(text.size() & 0xFF);
        bytes += static_cast<char>(text.size() >> 8);
        bytes += text;
    }
    return bytes;
}

/// Splits a well-formed file into its records.
std::vector<Record> Records(const std::string& file) {
    std::vector<Record> records;
    std::size_t pos = 0;
    while (pos < file.size()) {
        Record record;
        for (auto& text : record) {
            const std::size_t n = static_cast<unsigned char>(file.at(pos)) |
                                  static_cast<std::size_t>(static_cast<unsigned char>(file.at(pos + 1))) << 8;
            text = file.substr(pos + 2, n);
            EXPECT_EQ(text.size(), n);
            pos += 2 + n;
        }
        records.push_back(record);
    }
    return records;
}

int GroupRecord(int u) { return u * 11; }
int UnitRecord(int u, int j) { return u * 11 + 1 + j; }

/// Tables with a distinct text everywhere, so that a text in the wrong slot shows.
UserUnits Distinct() {
    UserUnits units;
    for (int u = 0; u < 20; ++u) {
        units.UserGroupName[u] = "G" + std::to_string(u);
        for (int j = 0; j < 10; ++j) {
            const std::string at = std::to_string(u) + "." + std::to_string(j);
            units.UserUnitName[u][j] = "N" + at;
            units.UserFactorText[u][j] = "F" + at;
            units.UserOffsetText[u][j] = "O" + at;
        }
    }
    return units;
}

void ExpectSameTexts(const UserUnits& a, const UserUnits& b) {
    for (int u = 0; u < 20; ++u) {
        ASSERT_EQ(a.UserGroupName[u], b.UserGroupName[u]) << "group " << u;
        for (int j = 0; j < 10; ++j) {
            ASSERT_EQ(a.UserUnitName[u][j], b.UserUnitName[u][j]) << u << "," << j;
            ASSERT_EQ(a.UserFactorText[u][j], b.UserFactorText[u][j]) << u << "," << j;
            ASSERT_EQ(a.UserOffsetText[u][j], b.UserOffsetText[u][j]) << u << "," << j;
        }
    }
}

void ExpectReadFailureMessage(const halden::RecordingSink& sink) {
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], (halden::Message{" Halden Unit Converter",
                                                 "Failed to open file 'HUC_USER.DAT'.\rThe user definition is ignored.",
                                                 halden::MessageIcon::Exclamation}));
}

std::string WriteOrFail(const UserUnits& units) {
    auto bytes = halden::DatWriteBytes(units);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or("");
}

TEST(DatWriteBytes, EmptyTablesGive1320Zeros) { EXPECT_EQ(WriteOrFail(UserUnits{}), std::string(1320, '\0')); }

TEST(DatWriteBytes, GroupRecordsCarryTheTextsOfTheRecordBefore) {
    const auto records = Records(WriteOrFail(Distinct()));
    ASSERT_EQ(records.size(), 220u);
    EXPECT_EQ(records[0], (Record{"G0", "", ""}));
    for (int u = 1; u < 20; ++u) {
        SCOPED_TRACE(u);
        const std::string before = std::to_string(u - 1) + ".9";
        EXPECT_EQ(records[GroupRecord(u)], (Record{"G" + std::to_string(u), "F" + before, "O" + before}));
    }
    EXPECT_EQ(records[UnitRecord(7, 3)], (Record{"N7.3", "F7.3", "O7.3"}));
}

TEST(DatWriteBytes, TextsAreWrittenUntrimmedAndReadTrimmed) {
    UserUnits units;
    units.UserGroupName[2] = "  My group ";
    units.UserUnitName[2][4] = "  foot  ";
    units.UserFactorText[2][4] = " 0.3048 ";
    units.UserOffsetText[2][4] = "  ";
    const std::string file = WriteOrFail(units);
    const auto records = Records(file);
    EXPECT_EQ(records[GroupRecord(2)][0], "  My group ");
    EXPECT_EQ(records[UnitRecord(2, 4)], (Record{"  foot  ", " 0.3048 ", "  "}));

    UserUnits read;
    halden::RecordingSink sink;
    halden::DatReadBytes(file, read, sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(read.UserGroupName[2], "My group");
    EXPECT_EQ(read.UserUnitName[2][4], "foot");
    EXPECT_EQ(read.UserFactorText[2][4], " 0.3048 ");
    EXPECT_EQ(read.UserOffsetText[2][4], "  ");
}

TEST(DatWriteBytes, LengthsAreUnsignedSixteenBitInTheFilesEncoding) {
    auto repeated = [](std::string_view piece, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    };
    struct Row {
        const char* name;
        std::string text;
        bool storable;
    };
    const Row rows[] = {
        {"beyond the signed range", std::string(40000, '7'), true},
        {"largest count", std::string(65535, '7'), true},
        {"one byte too many", std::string(65536, '7'), false},
        {"longer in UTF-8 than in code page 932", repeated("尺", 32767), true},
        {"one double-byte character too many", repeated("尺", 32768), false},
        {"the UTF-8 form behind its mark one byte too many", std::string(65533, '7') + "²", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(halden::StorableUserText(row.text), row.storable);
        UserUnits units;
        units.UserFactorText[19][9] = row.text;
        const auto bytes = halden::DatWriteBytes(units);
        ASSERT_EQ(bytes.has_value(), row.storable);
        if (!bytes) {
            continue;
        }
        UserUnits read;
        halden::RecordingSink sink;
        halden::DatReadBytes(*bytes, read, sink);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_EQ(read.UserFactorText[19][9], row.text);
    }
}

TEST(CloseUnitGaps, BlankRowsAreDroppedAndTheRowsBelowMoveUpWithTheirTexts) {
    struct Row {
        const char* name;
        std::vector<int> blank_rows;
        std::vector<int> rows_after;  // the original row now in each used row, in order
    };
    const Row rows[] = {
        {"no gap", {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"one gap between units", {2}, {0, 1, 3, 4, 5, 6, 7, 8, 9}},
        {"gap at the top and two together", {0, 5, 6}, {1, 2, 3, 4, 7, 8, 9}},
        {"last row blank", {9}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"every row blank", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UserUnits units = Distinct();
        for (const int blank : row.blank_rows) {
            units.UserUnitName[3][blank] = blank % 2 == 0 ? "" : "   ";
        }
        halden::CloseUnitGaps(units);
        for (int j = 0; j < 10; ++j) {
            const bool used = j < static_cast<int>(row.rows_after.size());
            const std::string from = used ? "3." + std::to_string(row.rows_after[j]) : "";
            EXPECT_EQ(units.UserUnitName[3][j], used ? "N" + from : "") << j;
            EXPECT_EQ(units.UserFactorText[3][j], used ? "F" + from : "") << j;
            EXPECT_EQ(units.UserOffsetText[3][j], used ? "O" + from : "") << j;
        }
        EXPECT_EQ(units.UserGroupName[3], "G3");
        EXPECT_EQ(units.UserUnitName[2][5], "N2.5");  // other groups stay as they are
    }
}

TEST(UserFileText, CodePage932BytesAndTheUtf8Escape) {
    struct Row {
        const char* name;
        std::string text;
        std::string stored;
    };
    const Row rows[] = {
        {"ASCII as it is", "foot (ft)", "foot (ft)"},
        {"shaku", "尺 [shaku]", "\x8E\xDA [shaku]"},
        {"tsubo and bu", "坪 [tsubo] = 歩 [bu]", "\x92\xD8 [tsubo] = \x95\xE0 [bu]"},
        {"half-width katakana", "ｶﾞﾛﾝ", "\xB6\xDE\xDB\xDD"},
        {"superscript two is escaped", "m²", "\xEF\xBB\xBFm\xC2\xB2"},
        {"one foreign character escapes the whole text", "尺²", "\xEF\xBB\xBF尺²"},
        {"a leading byte order mark is kept", "\xEF\xBB\xBF尺", "\xEF\xBB\xBF\xEF\xBB\xBF尺"},
        {"emoji", "x😀", "\xEF\xBB\xBFx😀"},
    };
    halden::Cp932Codec codec;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(codec.Encode(row.text), row.stored);
        EXPECT_EQ(codec.Decode(row.stored), row.text);
    }
}

TEST(UserFileText, BytesThatAreNotCodePage932ReadAsReplacementCharacters) {
    struct Row {
        const char* name;
        std::string stored;
        std::string text;
    };
    const Row rows[] = {
        {"single bytes without a character",
         "\x80"
         "A\xFD",
         "\uFFFD"
         "A\uFFFD"},
        {"lead byte at the end", "ab\x81", "ab\uFFFD"},
        {"lead byte before a byte that cannot follow", "\x81\x20x", "\uFFFD x"},
        {"the escape before invalid UTF-8 reads as code page 932", "\xEF\xBB\xBF\xFF", "\uFFFDｻｿ\uFFFD"},
    };
    halden::Cp932Codec codec;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(codec.Decode(row.stored), row.text);
    }
}

TEST(DatReadBytes, AFileFromAJapaneseSystemSavesBackByteForByte) {
    // Written as the program writes: group records carry the texts of the record before.
    std::string file;
    std::string factor;
    std::string offset;
    for (int u = 0; u < 20; ++u) {
        file += RawRecord({u == 3 ? "\x93\xFA\x96\x7B\x82\xCC\x92\x50\x88\xCA" : "", factor, offset});
        for (int j = 0; j < 10; ++j) {
            const bool used = u == 3 && j < 2;
            factor = used ? "0.30303" : "";
            offset = used && j == 1 ? "\x82\x50" : "";  // full-width digit one
            file += RawRecord({used ? (j == 0 ? "\x8E\xDA [shaku]" : "\x8A\xD4 [ken]") : "", factor, offset});
        }
    }
    UserUnits read;
    halden::RecordingSink sink;
    halden::DatReadBytes(file, read, sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(read.UserGroupName[3], "日本の単位");
    EXPECT_EQ(read.UserUnitName[3][0], "尺 [shaku]");
    EXPECT_EQ(read.UserUnitName[3][1], "間 [ken]");
    EXPECT_EQ(read.UserOffsetText[3][1], "１");
    EXPECT_EQ(WriteOrFail(read), file);
}

TEST(DatReadBytes, ShortAndDamagedFiles) {
    const std::string full = WriteOrFail(Distinct());
    const auto records = Records(full);
    auto prefix = [&](int record_count) {
        std::string bytes;
        for (int r = 0; r < record_count; ++r) {
            bytes += RawRecord(records[r]);
        }
        return bytes;
    };
    struct Row {
        const char* name;
        std::string file;
        int complete_records;  // records read from the file; the rest stay empty
        bool message;
    };
    const Row rows[] = {
        {"empty file", "", 0, false},
        {"ends after a group record", prefix(12), 12, false},
        {"ends after a unit record", prefix(15), 15, false},
        {"ends one byte into a record", prefix(15) + std::string(1, '\0'), 15, true},
        {"ends between the texts of a record", prefix(15) + RawRecord({"x", "", ""}).substr(0, 3), 15, true},
        {"count runs past the end",
         prefix(30) + "\xFF\xFF"
                      "abc",
         30, true},
        {"last record cut short", full.substr(0, full.size() - 1), 219, true},
        {"bytes after the last record are not read",
         full + "\x05\x00"
                "ab",
         220, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UserUnits read;
        halden::RecordingSink sink;
        halden::DatReadBytes(row.file, read, sink);
        if (row.message) {
            ExpectReadFailureMessage(sink);
        } else {
            EXPECT_TRUE(sink.messages.empty());
        }
        const UserUnits expected = Distinct();
        for (int u = 0; u < 20; ++u) {
            const bool group_read = GroupRecord(u) < row.complete_records;
            EXPECT_EQ(read.UserGroupName[u], group_read ? expected.UserGroupName[u] : "") << u;
            for (int j = 0; j < 10; ++j) {
                const bool unit_read = UnitRecord(u, j) < row.complete_records;
                EXPECT_EQ(read.UserUnitName[u][j], unit_read ? expected.UserUnitName[u][j] : "") << u << "," << j;
                EXPECT_EQ(read.UserFactorText[u][j], unit_read ? expected.UserFactorText[u][j] : "");
                EXPECT_EQ(read.UserOffsetText[u][j], unit_read ? expected.UserOffsetText[u][j] : "");
            }
        }
    }
}

TEST(DatReadBytes, NoFileGivesEmptyTablesWithoutAMessage) {
    UserUnits read = Distinct();
    halden::RecordingSink sink;
    halden::DatReadBytes(std::nullopt, read, sink);
    EXPECT_TRUE(sink.messages.empty());
    ExpectSameTexts(read, Distinct());
}

TEST(DatReadBytes, InvalidBytesDoNotStopTheReading) {
    std::string file = RawRecord({"\x80\xFF", "", ""}) + RawRecord({"ok", "\x81", "1"});
    UserUnits read;
    halden::RecordingSink sink;
    halden::DatReadBytes(file, read, sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(read.UserGroupName[0], "\uFFFD\uFFFD");
    EXPECT_EQ(read.UserUnitName[0][0], "ok");
    EXPECT_EQ(read.UserFactorText[0][0], "\uFFFD");
    EXPECT_EQ(read.UserOffsetText[0][0], "1");
}

TEST(DatWriteBytes, TextsNobodyChangedAreWrittenBackAsTheyWereRead) {
    struct Row {
        const char* name;
        Record stored;   // unit record (5, 9) as the file holds it
        Record edits;    // new texts for the unit's name, factor and offset; empty: not edited
        Record written;  // the record the save writes
    };
    const std::string invalid = "\x80\xA0\xFD\xFE\xFF";
    const Row rows[] = {
        {"bytes that are not code page 932", {invalid, "\x81", "\xFF"}, {}, {invalid, "\x81", "\xFF"}},
        {"blanks around a name", {"  foot  ", "0.3048", ""}, {}, {"  foot  ", "0.3048", ""}},
        {"the UTF-8 form of a code page 932 text",
         {"\xEF\xBB\xBF"
          "abc",
          "", ""},
         {},
         {"\xEF\xBB\xBF"
          "abc",
          "", ""}},
        {"an edited name is encoded anew, the rest kept",
         {invalid, "\x81", "1"},
         {"尺", "", ""},
         {"\x8E\xDA", "\x81", "1"}},
        {"an edited factor is encoded anew", {invalid, "\x81", "1"}, {"", "2", ""}, {invalid, "2", "1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string file;
        for (int r = 0; r < kRecords; ++r) {
            file += RawRecord(r == UnitRecord(5, 9) ? row.stored : Record{});
        }
        UserUnits units;
        halden::RecordingSink sink;
        halden::DatReadBytes(file, units, sink);
        ASSERT_TRUE(sink.messages.empty());
        const std::array<std::string*, 3> texts{&units.UserUnitName[5][9], &units.UserFactorText[5][9],
                                                &units.UserOffsetText[5][9]};
        for (std::size_t k = 0; k < texts.size(); ++k) {
            if (!row.edits[k].empty()) {
                *texts[k] = row.edits[k];
            }
        }
        const auto records = Records(WriteOrFail(units));
        EXPECT_EQ(records[UnitRecord(5, 9)], row.written);
        // The next group record carries the unit record's texts 2 and 3 as they were written.
        EXPECT_EQ(records[GroupRecord(6)], (Record{"", row.written[1], row.written[2]}));
    }
}

TEST(UserFile, RandomTablesReadBackAsWritten) {
    const std::vector<std::string> pieces = {"a",  "Z",  "9",      ".",  "-",  " ", "  ", "(m)", "尺", "坪",
                                             "米", "液", "ガロン", "ｶﾞ", "１", "²", "é",  "€",   "😀",  "\xEF\xBB\xBF",
                                             "\\", "~"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 6);
    auto text = [&] {
        std::string t;
        for (int n = length(random); n > 0; --n) {
            t += pieces[pick(random)];
        }
        return t;
    };
    auto trimmed = [](const std::string& t) {
        const auto first = t.find_first_not_of(' ');
        return first == std::string::npos ? std::string() : t.substr(first, t.find_last_not_of(' ') - first + 1);
    };
    for (int round = 0; round < 50; ++round) {
        UserUnits written;
        UserUnits expected;
        for (int u = 0; u < 20; ++u) {
            written.UserGroupName[u] = text();
            expected.UserGroupName[u] = trimmed(written.UserGroupName[u]);
            for (int j = 0; j < 10; ++j) {
                written.UserUnitName[u][j] = text();
                expected.UserUnitName[u][j] = trimmed(written.UserUnitName[u][j]);
                expected.UserFactorText[u][j] = written.UserFactorText[u][j] = text();
                expected.UserOffsetText[u][j] = written.UserOffsetText[u][j] = text();
            }
        }
        const std::string file = WriteOrFail(written);
        UserUnits read;
        halden::RecordingSink sink;
        halden::DatReadBytes(file, read, sink);
        ASSERT_TRUE(sink.messages.empty());
        ExpectSameTexts(read, expected);
        // Nothing was changed after the reading: the file is written back byte for byte.
        ASSERT_EQ(WriteOrFail(read), file);
    }
}

class UserFileOnDisk : public storage_test::FileTest {};

TEST_F(UserFileOnDisk, NoFileIsTheFirstStartAndShowsNoMessage) {
    halden::RecordingSink sink;
    halden::DatRead(halden::userUnits(), sink);
    EXPECT_TRUE(sink.messages.empty());
    ExpectSameTexts(halden::userUnits(), UserUnits{});
}

TEST_F(UserFileOnDisk, SomethingUnreadableInTheFilesPlaceGivesTheMessage) {
    ASSERT_TRUE(std::filesystem::create_directories(FilesDir() + "HUC_USER.DAT"));
    halden::RecordingSink sink;
    halden::DatRead(halden::userUnits(), sink);
    ExpectReadFailureMessage(sink);
    ExpectSameTexts(halden::userUnits(), UserUnits{});
}

TEST_F(UserFileOnDisk, LeftoversOfKilledSavesAreRemovedButNotATemporaryALiveSaveHolds) {
    struct Row {
        const char* name;
        std::function<void()> run;
        std::vector<std::string> kept;
    };
    const auto save_units = [] {
        halden::RecordingSink sink;
        ASSERT_TRUE(halden::DatWrite(halden::userUnits(), sink));
    };
    const auto read_units = [] {
        halden::RecordingSink sink;
        halden::DatRead(halden::userUnits(), sink);
    };
    const auto read_settings = [] {
        halden::RecordingSink sink;
        halden::CfgRead(halden::settings(), sink);
    };
    const Row rows[] = {
        {"user units save", save_units, {".HALDUCNV.CFG.a1B2c3", "HUC_USER.DAT"}},
        {"user units read at start-up", read_units, {".HALDUCNV.CFG.a1B2c3"}},
        {"configuration read at start-up", read_settings, {".HUC_USER.DAT.a1B2c3", ".HUC_USER.DAT.zzzzzz"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(FilesDir());
        PutFile(".HUC_USER.DAT.a1B2c3", "left by a killed save");
        PutFile(".HUC_USER.DAT.zzzzzz", "another");
        PutFile(".HALDUCNV.CFG.a1B2c3", "the other file's");
        PutFile(".HUC_USER.DAT.keep", "not six characters");
        PutFile("HUC_USER.DAT.a1B2c3", "no leading dot");
        // Temporaries that saves of another copy of the program are writing at this moment.
        PutFile(".HUC_USER.DAT.Held01", "being written");
        PutFile(".HALDUCNV.CFG.Held01", "being written");
        std::vector<int> held;
        for (const char* name : {".HUC_USER.DAT.Held01", ".HALDUCNV.CFG.Held01"}) {
            held.push_back(::open((FilesDir() + name).c_str(), O_RDONLY));
            ASSERT_EQ(::flock(held.back(), LOCK_EX), 0);
        }
        row.run();
        for (const int fd : held) {
            ::close(fd);
        }
        auto others = OtherEntries("");
        std::vector<std::string> expected = row.kept;
        expected.insert(expected.end(),
                        {".HUC_USER.DAT.keep", "HUC_USER.DAT.a1B2c3", ".HUC_USER.DAT.Held01", ".HALDUCNV.CFG.Held01"});
        std::sort(others.begin(), others.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(others, expected);
    }
}

TEST_F(UserFileOnDisk, AReplacedFileKeepsItsModeOnlyWhereItsOwnerMayReadAndWriteIt) {
    struct Row {
        const char* name;
        mode_t old_mode;
        bool keeps;
    };
    const Row rows[] = {{"0640 is kept", 0640, true},
                        {"0600 is kept", 0600, true},
                        {"0444 would lock the owner out of writing", 0444, false},
                        {"0000 would lock the owner out of reading", 0000, false}};
    const mode_t mask = ::umask(022);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PutFile("HUC_USER.DAT", "old");
        ASSERT_EQ(::chmod((FilesDir() + "HUC_USER.DAT").c_str(), row.old_mode), 0);
        if (::geteuid() != 0 && !row.keeps) {
            continue;  // only the owner's rights apply; the refusal is tested below
        }
        halden::RecordingSink sink;
        ASSERT_TRUE(halden::DatWrite(halden::userUnits(), sink));
        struct stat info {};
        ASSERT_EQ(::stat((FilesDir() + "HUC_USER.DAT").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, row.keeps ? row.old_mode : 0644u);
    }
    ::umask(mask);
}

TEST_F(UserFileOnDisk, AFileTheUserMayNotWriteIsLeftAsItWasAndTheSaveFails) {
    for (const mode_t mode : {0444, 0000}) {
        SCOPED_TRACE(mode);
        const std::string old_file = WriteOrFail(Distinct());
        PutFile("HUC_USER.DAT", old_file);
        ASSERT_EQ(::chmod((FilesDir() + "HUC_USER.DAT").c_str(), mode), 0);
        // Root may write any file; the save runs as an ordinary user in a child process.
        const bool saved = storage_test::RunAsOrdinaryUser(root_, [] {
            halden::RecordingSink sink;
            const bool ok = halden::DatWrite(halden::userUnits(), sink);
            return !ok && sink.messages.size() == 1 &&
                   sink.messages[0].text ==
                       "Failed to save file as 'HUC_USER.DAT'.\rThe file 'HUC_USER.DAT' is read-only." &&
                   sink.messages[0].icon == halden::MessageIcon::Critical;
        });
        EXPECT_TRUE(saved) << "the save must fail with the critical message";
        ASSERT_EQ(::chmod((FilesDir() + "HUC_USER.DAT").c_str(), 0600), 0);
        EXPECT_EQ(FileBytes("HUC_USER.DAT"), old_file);
        struct stat info {};
        ASSERT_EQ(::stat((FilesDir() + "HUC_USER.DAT").c_str(), &info), 0);
        EXPECT_TRUE(OtherEntries("HUC_USER.DAT").empty());
    }
}

TEST_F(UserFileOnDisk, WriteCreatesTheFileAndReadsBack) {
    halden::userUnits() = Distinct();
    halden::userUnits().UserUnitName[0][0] = "尺 [shaku]";
    const UserUnits written = halden::userUnits();
    halden::RecordingSink sink;
    ASSERT_TRUE(halden::DatWrite(halden::userUnits(), sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(FileBytes("HUC_USER.DAT"), WriteOrFail(written));
    EXPECT_TRUE(OtherEntries("HUC_USER.DAT").empty());

    halden::ResetProcessState();
    halden::DatRead(halden::userUnits(), sink);
    EXPECT_TRUE(sink.messages.empty());
    ExpectSameTexts(halden::userUnits(), written);
}

TEST_F(UserFileOnDisk, FailedWriteShowsTheCriticalMessageWithWhyAndKeepsTheOldFile) {
    struct Row {
        const char* name;
        std::optional<halden::test::WriteFault> fault;  // std::nullopt: the directory is unwritable
        std::string why;
        bool too_long = false;  // and the caller takes no report of it
    };
    using Step = halden::test::WriteFault::Step;
    const Row rows[] = {
        {"unwritable directory", std::nullopt,
         "The folder '" + FilesDir().substr(0, FilesDir().size() - 1) + "' is read-only."},
        {"write fails after part of the data", halden::test::WriteFault{Step::Write, 700}, "No space left on device."},
        {"sync fails", halden::test::WriteFault{Step::Sync, 0}, "Input/output error."},
        {"rename fails", halden::test::WriteFault{Step::Rename, 0}, "Invalid cross-device link."},
        {"a text too long for its count", std::nullopt, "A text is too long to be stored in the file.", true},
    };
    const std::string old_file = WriteOrFail(Distinct());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PutFile("HUC_USER.DAT", old_file);
        halden::userUnits() = UserUnits{};
        halden::userUnits().UserGroupName[0] = "new";
        if (row.too_long) {
            halden::userUnits().UserUnitName[5][5] = std::string(70000, 'x');
        } else if (row.fault) {
            halden::test::SetWriteFault(row.fault);
        } else {
            MakeFilesDirUnwritable();
        }
        halden::RecordingSink sink;
        EXPECT_FALSE(halden::DatWrite(halden::userUnits(), sink));
        halden::test::SetWriteFault(std::nullopt);
        ::chmod(FilesDir().c_str(), 0700);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0],
                  (halden::Message{" Halden Unit Converter", "Failed to save file as 'HUC_USER.DAT'.\r" + row.why,
                                   halden::MessageIcon::Critical}));
        EXPECT_EQ(FileBytes("HUC_USER.DAT"), old_file);
        EXPECT_TRUE(OtherEntries("HUC_USER.DAT").empty());
    }
}

TEST_F(UserFileOnDisk, ASaveThatReportsLeftOutTextsSavesTheRest) {
    halden::userUnits() = Distinct();
    halden::userUnits().UserGroupName[4] = std::string(70000, 'g');
    halden::userUnits().UserFactorText[2][3] = std::string(70000, '1');
    std::vector<halden::UserTextPlace> left_out;
    halden::RecordingSink sink;
    ASSERT_TRUE(halden::DatWrite(halden::userUnits(), sink, &left_out));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(left_out, (std::vector<halden::UserTextPlace>{{2, 3, halden::UserTextField::FactorText},
                                                            {4, -1, halden::UserTextField::GroupName}}));
    UserUnits saved = Distinct();
    saved.UserGroupName[4].clear();
    saved.UserFactorText[2][3].clear();
    EXPECT_EQ(FileBytes("HUC_USER.DAT"), WriteOrFail(saved));
}

TEST_F(UserFileOnDisk, AFileThatCouldNotBeReadWholeIsKeptBesideTheSavedOne) {
    const std::string whole = WriteOrFail(Distinct());
    const std::string cut = whole.substr(0, 700);
    struct Row {
        const char* name;
        std::string old_file;
        mode_t mode;
        std::vector<std::string> taken;  // damaged copies already there
        std::string kept_as;             // empty: the old file is not kept
    };
    const Row rows[] = {
        {"cut short", cut, 0600, {}, "HUC_USER.DAT.damaged"},
        {"cut short with an earlier copy", cut, 0600, {"HUC_USER.DAT.damaged"}, "HUC_USER.DAT.damaged.1"},
        {"two earlier copies", cut, 0600, {"HUC_USER.DAT.damaged", "HUC_USER.DAT.damaged.1"}, "HUC_USER.DAT.damaged.2"},
        {"the user may write it but not read it", whole, 0200, {}, "HUC_USER.DAT.damaged"},
        {"read whole", whole, 0600, {}, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(FilesDir());
        PutFile("HUC_USER.DAT", row.old_file);
        for (const auto& name : row.taken) {
            PutFile(name, "earlier");
        }
        ASSERT_EQ(::chmod((FilesDir() + "HUC_USER.DAT").c_str(), row.mode), 0);
        const std::string path = FilesDir() + "HUC_USER.DAT";
        // The reading and the save run as the files' owner, for whom their modes hold.
        const bool ran = storage_test::RunAsOwnerOfFiles(root_, [&] {
            halden::RecordingSink sink;
            halden::UserUnits units;
            halden::DatRead(units, sink);
            const std::string shown = sink.messages.empty() ? std::string() : sink.messages[0].text;
            units.UserGroupName[0] = "new";
            return halden::DatWrite(units, sink) &&
                   shown == (row.kept_as.empty() ? ""
                                                 : "Failed to open file 'HUC_USER.DAT'.\rThe user definition is "
                                                   "ignored.\rThe file will be kept as '" +
                                                       row.kept_as + "' when the units are next saved.");
        });
        EXPECT_TRUE(ran) << "the read must say where the file is kept, and the save must succeed";
        ::chmod(path.c_str(), 0600);
        if (!row.kept_as.empty()) {
            ::chmod((FilesDir() + row.kept_as).c_str(), 0600);
            EXPECT_EQ(FileBytes(row.kept_as), row.old_file);
        }
        auto others = OtherEntries("HUC_USER.DAT");
        std::vector<std::string> expected = row.taken;
        if (!row.kept_as.empty()) {
            expected.push_back(row.kept_as);
        }
        std::sort(others.begin(), others.end());
        EXPECT_EQ(others, expected);
        const auto records = Records(FileBytes("HUC_USER.DAT").value_or(""));
        ASSERT_EQ(records.size(), 220u);
        EXPECT_EQ(records[0][0], "new");
    }
}

TEST_F(UserFileOnDisk, ASaveThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    struct Row {
        const char* name;
        std::string link;    // what HUC_USER.DAT points to
        std::string target;  // the file that is saved, below root_
    };
    const Row rows[] = {
        {"relative link", "../units/mine.dat", "/units/mine.dat"},
        {"absolute link", root_ + "/units/mine.dat", "/units/mine.dat"},
        {"a link to a link", "chain", "/units/mine.dat"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(FilesDir());
        std::filesystem::remove_all(root_ + "/units");
        std::filesystem::create_directories(FilesDir());
        std::filesystem::create_directories(root_ + "/units");
        { std::ofstream(root_ + row.target) << WriteOrFail(Distinct()); }
        ASSERT_EQ(::chmod((root_ + row.target).c_str(), 0640), 0);
        if (row.link == "chain") {
            std::filesystem::create_symlink("../units/mine.dat", FilesDir() + "chain");
        }
        std::filesystem::create_symlink(row.link, FilesDir() + "HUC_USER.DAT");
        halden::RecordingSink sink;
        halden::userUnits().UserGroupName[0] = "new";
        ASSERT_TRUE(halden::DatWrite(halden::userUnits(), sink));
        EXPECT_TRUE(std::filesystem::is_symlink(FilesDir() + "HUC_USER.DAT"));
        EXPECT_EQ(std::filesystem::read_symlink(FilesDir() + "HUC_USER.DAT"), row.link);
        EXPECT_EQ(FileBytes("HUC_USER.DAT"), WriteOrFail(halden::userUnits()));
        struct stat info {};
        ASSERT_EQ(::stat((root_ + row.target).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ + "/units"), {}), 1);
    }

    // A target in a directory the user may not write is not saved.
    ASSERT_EQ(::chmod((root_ + "/units").c_str(), 0555), 0);
    ASSERT_EQ(::chmod((root_ + "/units/mine.dat").c_str(), 0666), 0);
    const bool refused = storage_test::RunAsOwnerOfFiles(root_, [this] {
        halden::RecordingSink sink;
        return !halden::DatWrite(halden::userUnits(), sink) && sink.messages.size() == 1 &&
               sink.messages[0].text ==
                   "Failed to save file as 'HUC_USER.DAT'.\rThe folder '" + root_ + "/units' is read-only.";
    });
    ::chmod((root_ + "/units").c_str(), 0700);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(std::filesystem::is_symlink(FilesDir() + "HUC_USER.DAT"));
}

TEST_F(UserFileOnDisk, ASaveKeepsTheOldFilesPermissions) {
    PutFile("HUC_USER.DAT", "old");
    ASSERT_EQ(::chmod((FilesDir() + "HUC_USER.DAT").c_str(), 0640), 0);
    halden::RecordingSink sink;
    ASSERT_TRUE(halden::DatWrite(halden::userUnits(), sink));
    struct stat info {};
    ASSERT_EQ(::stat((FilesDir() + "HUC_USER.DAT").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FileBytes("HUC_USER.DAT"), std::string(1320, '\0'));
}

}  // namespace
