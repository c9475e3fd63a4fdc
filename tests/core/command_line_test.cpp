#include "cli/command_line.h"

#include "catalogue/unit_catalogue.h"
#include "program_version.h"
#include "shared/process_state.h"
#include "storage/user_file.h"
#include "storage_test_support.h"
#include "table_cells.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace halden {
namespace {

using Args = std::vector<std::string_view>;

using core_test::Put;

CommandLineResult Shell(const Args& args, const UserFileContents& file = {}) { return RunCommandLine(args, file); }

// A user units file with one named group "Room" (jou = 1.62 m^2, m2) and one unnamed group.
UserFileContents RoomFile() {
    UserUnits units;
    Put(units.UserGroupName[2], "Room");
    Put(units.UserUnitName[2][0], "jou (畳)");
    Put(units.UserFactorText[2][0], "1.62");
    Put(units.UserUnitName[2][1], "m2");
    Put(units.UserFactorText[2][1], "1");
    Put(units.UserUnitName[3][0], "nameless group unit");
    Put(units.UserFactorText[3][0], "1");
    const std::optional<std::string> bytes = DatWriteBytes(units);
    return UserFileContents{UserFileContents::State::Read, bytes.value_or("")};
}

class CommandLineTest : public ::testing::Test {
protected:
    void TearDown() override { ResetProcessState(); }
};

TEST_F(CommandLineTest, ConvertPrintsWhatTheResultBoxShows) {
    struct Row {
        const char* name;
        Args args;
        const char* out;
    };
    const Row rows[] = {
        {"miles into meters", {"--convert", "3", "mile", "m"}, "4828.03\n"},
        {"temperature by its names", {"--convert", "100", "deg Celsius", "deg Fahrenheit"}, "212.000\n"},
        {"negative value is no option", {"--convert", "-40", "deg Celsius", "deg Fahrenheit"}, "-40.0000\n"},
        {"degree signs from a keyboard", {"--convert", "0", "°C", "K"}, "273.150\n"},
        {"reading in brackets", {"--convert", "1", "shaku", "m"}, "0.303030\n"},
        {"reading into abbreviation in Area", {"--convert", "1", "tsubo", "m^2"}, "3.30579\n"},
        {"knots", {"--convert", "1", "kt", "km/h"}, "1.85200\n"},
        {"mega into kilo by letter case", {"--convert", "1", "M", "k"}, "1000.00\n"},
        {"mega into milli: exact case chooses the group", {"--convert", "1", "M", "m"}, "1.00000E+09\n"},
        {"a long name in another case", {"--convert", "1", "MILE", "m"}, "1609.34\n"},
        {"milli is no mega: a prefix by its case", {"--convert", "1", "mPa", "Pa"}, "0.00100000\n"},
        {"two prefixed units", {"--convert", "1", "Mbar", "hPa"}, "1.00000E+09\n"},
        {"a prefixed unit into a list unit", {"--convert", "100", "g", "oz"}, "3.52740\n"},
        {"a mixed number as one argument", {"--convert", "1 1/2", "in", "mm"}, "38.1000\n"},
        {"every unit from a prefixed unit",
         {"--convert", "1000", "mK", "--figures", "4"},
         "1.000\tKelvin (K)\n-272.2\tdeg Celsius (ﾟC)\n-457.9\tdeg Fahrenheit (ﾟF)\n1.800\tdeg Rankine (ﾟR)\n"},
        {"a question in words", {"3", "ft", "in", "cm"}, "91.4400 cm\n"},
        {"a question in one argument, feet and inches", {"5'11\" in cm"}, "180.340 cm\n"},
        {"a question answered in two units", {"1.8", "m", "in", "ft+in"}, "5 ft 10.8661 in\n"},
        {"a question with a negative value and figures", {"-40", "F", "in", "C", "--figures", "4"}, "-40.00 C\n"},
        {"temperature letters are no prefixes", {"--convert", "37", "C", "F"}, "98.6000\n"},
        {"full-width digits and the minus sign", {"--convert", "\u2212４0", "C", "F"}, "-40.0000\n"},
        {"further names", {"--convert", "1", "US gal", "litres"}, "3.78541\n"},
        {"a group named before the unit",
         {"--convert", "3", "Graphics Units:inch", "graphics units:centimeter"},
         "7.61905\n"},
        {"four figures", {"--convert", "3", "mile", "m", "--figures", "4"}, "4828\n"},
        {"eight figures written with an equals sign", {"--convert", "3", "mile", "m", "--figures=8"}, "4828.0320\n"},
        {"integer", {"--convert", "3", "mile", "m", "--figures", "integer"}, "4828\n"},
        {"scientific", {"--convert", "3", "mile", "m", "--scientific"}, "4.82803E+03\n"},
        {"options before the operands",
         {"--scientific", "--figures", "4", "--convert", "3", "mile", "m"},
         "4.828E+03\n"},
        {"number bases", {"--convert", "FF", "Hexadecimal", "Decimal"}, "255\n"},
        {"decimal into binary", {"--convert", "255", "Decimal", "Binary"}, "0000000011111111\n"},
        {"operands after a double dash", {"--convert", "--", "-1", "inch", "ft"}, "-0.0833333\n"},
        {"a unit into itself", {"--convert", "1", "m", "meter"}, "1.00000\n"},
        {"a base into itself", {"--convert", "ff", "hex", "Hexadecimal"}, "FF\n"},
        {"every base",
         {"--convert", "70000", "Decimal"},
         "70000\tDecimal\nInput error\tBinary\n210560\tOctal\n11170\tHexadecimal\n"},
        {"every unit of the group given",
         {"--convert", "0", "C", "--group", "Temperature", "--figures", "4"},
         "273.2\tKelvin (K)\n0.000E+00\tdeg Celsius (ﾟC)\n32.00\tdeg Fahrenheit (ﾟF)\n491.7\tdeg Rankine (ﾟR)\n"},
        {"units of the group given",
         {"--convert", "1", "inch", "centimeter", "--group", "graphics units"},
         "2.53968\n"},
        {"short options", {"-h"}, nullptr},
        {"version, short", {"-V"}, "Halden Unit Converter " HALDEN_VERSION "\n"},
        {"unit names for completion", {"--complete-names", "TSU"}, "tsubo\ntsubos\n"},
        {"group names for completion", {"--complete-groups", "heat"}, "Heat Flux\nHeat Transfer Coefficient\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLineResult result = Shell(row.args);
        EXPECT_EQ(result.out, row.out != nullptr ? std::string(row.out) : Shell({"--help"}).out);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
    }
}

TEST_F(CommandLineTest, FailuresGoToStandardErrorWithTheirStatus) {
    struct Row {
        const char* name;
        Args args;
        const char* err;  // the start of standard error
        int status;
    };
    const Row rows[] = {
        {"value that is no number", {"--convert", "x", "mile", "m"}, "halducnv: Input error\n", 1},
        {"value beyond the double range", {"--convert", "1e999", "mile", "m"}, "halducnv: Input error\n", 1},
        {"value too small for a double", {"--convert", "1e-400", "m", "mm"}, "halducnv: Input error\n", 1},
        {"a question without the unit to answer in",
         {"3", "ft", "in"},
         "halducnv: give a value, its unit and the unit to answer in, as in \"3 ft in cm\"\n",
         2},
        {"a question whose value cannot be read", {"1/0", "m", "in", "cm"}, "halducnv: Input error\n", 1},
        {"a question names its own group", {"3", "ft", "in", "cm", "--group", "Length"}, "halducnv: --group and", 2},
        {"a word ending in e", {"--convert", "one", "m", "mm"}, "halducnv: Input error\n", 1},
        {"empty value", {"--convert", "", "m", "mm"}, "halducnv: Input error\n", 1},
        {"lone sign", {"--convert", "+", "m", "mm"}, "halducnv: Input error\n", 1},
        {"sign before a word", {"--convert", "--", "-inf", "m", "mm"}, "halducnv: Input error\n", 1},
        {"unfinished exponent", {"--convert", "1.5e-", "m", "mm"}, "halducnv: Input error\n", 1},
        {"comma", {"--convert", "1,5", "m", "mm"}, "halducnv: Input error\n", 1},
        {"two letters in another case",
         {"--convert", "100", "Mb", "byte"},
         "halducnv: no unit is named \"Mb\"; did you mean \"megabyte (MB)\" (Bit, Byte)",
         2},
        {"a name in another case that fits two units",
         {"--convert", "1", "GAMMA", "kg"},
         "halducnv: \"GAMMA\" fits several units: \"gamma (γ)\" (Mass, Weight), \"gamma (γ)\" (Magnetic Flux Density)",
         2},
        {"bad digits for the base", {"--convert", "ZZ", "Decimal", "Hexadecimal"}, "halducnv: Input error\n", 1},
        {"reading of two units",
         {"--convert", "1", "bu", "m"},
         "halducnv: \"bu\" fits several units of Length: \"分 [bu]\", \"間 [ken]= 歩 [bu]\"\n",
         2},
        {"a measure that differs between countries is refused with its candidates",
         {"--convert", "1", "gallon", "l"},
         "halducnv: \"gallon\" fits several units of Volume: \"米 gallon [液] (gal)\", \"英 gallon [液] (gal)\"\n",
         2},
        {"unknown unit with what a search finds",
         {"--convert", "1", "fot", "m"},
         "halducnv: no unit is named \"fot\"; did you mean \"foot, feet (ft)\" (Length)",
         2},
        {"unknown unit without suggestions",
         {"--convert", "1", "m", "qqq"},
         "halducnv: no unit is named \"qqq\" (halducnv --list shows every unit)\n",
         2},
        {"units of different groups",
         {"--convert", "1", "m", "kg"},
         "halducnv: \"m\" (Length; Metric Prefixes) and \"kg\" (Mass, Weight) share no group\n",
         2},
        {"a letter after a dash is an option",
         {"--convert", "1", "m", "ft", "-v"},
         "halducnv: unknown option \"-v\"",
         2},
        {"a group no menu names",
         {"--convert", "1", "m", "ft", "--group", "Lengths"},
         "halducnv: no group is named",
         2},
        {"a unit outside the group given",
         {"--convert", "1", "m", "mm", "--group", "Metric Prefixes"},
         "halducnv: no unit is named \"Metric Prefixes:mm\"",
         2},
        {"a part of several groups' names", {"--list", "heat"}, "halducnv: \"heat\" fits several groups", 2},
        {"a shell without a script", {"--complete", "csh"}, "halducnv: --complete takes bash, zsh or fish\n", 2},
        {"batch takes no operand", {"--batch", "1"}, "halducnv: --batch reads VALUE FROM INTO", 2},
        {"control characters in a name keep the message on one line",
         {"--convert", "1", "a\nb\x7F", "m"},
         "halducnv: no unit is named \"a\\x0Ab\\x7F\" (halducnv --list shows every unit)\n",
         2},
        {"Warp is no unit", {"--convert", "1", "Warp", "m/s"}, "halducnv: no unit is named \"Warp\"", 2},
        {"figures not offered", {"--convert", "3", "mile", "m", "--figures", "5"}, "halducnv: --figures takes", 2},
        {"figures without a value", {"--convert", "3", "mile", "m", "--figures"}, "halducnv: option --figures", 2},
        {"too few operands", {"--convert", "3"}, "halducnv: --convert needs VALUE FROM [INTO]", 2},
        {"too many operands", {"--convert", "3", "mile", "m", "x"}, "halducnv: --convert needs VALUE FROM [INTO]", 2},
        {"values a line need both units", {"--convert", "-", "mile"}, "halducnv: --convert needs VALUE FROM [INTO]", 2},
        {"a value its own base cannot take", {"--convert", "G", "Hexadecimal"}, "halducnv: Input error", 1},
        {"every unit of a name that fits several", {"--convert", "1", "bu"}, "halducnv: \"bu\" fits several units", 2},
        {"unknown option", {"--convert", "3", "mile", "m", "--fast"}, "halducnv: unknown option \"--fast\"", 2},
        {"two commands", {"--convert", "--list"}, "halducnv: give one of", 2},
        {"option of convert with list", {"--list", "--scientific"}, "halducnv: --group, --figures, --scientific", 2},
        {"value given to a command", {"--version=2"}, "halducnv: option --version takes no value", 2},
        {"operand of help", {"--help", "me"}, "halducnv: --help takes no operand", 2},
        {"unknown group", {"--list", "Nothing"}, "halducnv: no group is named \"Nothing\"", 2},
        {"two groups", {"--list", "a", "b"}, "halducnv: --list takes one group name", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLineResult result = Shell(row.args);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.substr(0, std::string_view(row.err).size()), row.err);
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
        EXPECT_EQ(result.status, row.status);
    }
}

TEST_F(CommandLineTest, HelpAndVersion) {
    const CommandLineResult version = Shell({"--version"});
    EXPECT_EQ(version.out, "Halden Unit Converter " HALDEN_VERSION "\n");
    EXPECT_EQ(version.status, 0);
    const CommandLineResult help = Shell({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* part :
         {"halducnv --convert VALUE FROM INTO [--group GROUP]", "halducnv --batch", "halducnv --list [GROUP]\n",
          "halducnv -h | --help\n", "halducnv -V | --version\n", "3 the output could not be written", "HUC_USER.DAT"}) {
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    }
}

TEST_F(CommandLineTest, BatchAnswersEachLineAsASingleCallWould) {
    struct Row {
        Args args;
        const char* input;
        const char* out;
        const char* err;
        int status;
    };
    const Row rows[] = {
        {{"--convert", "-", "mile", "m"}, "1\n2\n", "1609.34\n3218.69\n", "", 0},
        {{"--convert", "-", "mile", "m", "--figures", "4"},
         "1,5\n\n3",
         "\n\n4828\n",
         "halducnv: line 1: Input error\nhalducnv: line 2: Input error\n",
         1},
        {{"--batch"}, "3 mile m\n1 'deg Celsius' \"deg F\"\n100\tUS gal\tl\n", "4828.03\n33.8000\n378.541\n", "", 0},
        {{"--batch"},
         "1 m\n2 m qqq\n",
         "\n\n",
         "halducnv: line 1: give a value, its unit and the unit to answer in, as in \"3 ft in cm\"\n"
         "halducnv: line 2: no unit is named \"qqq\" (halducnv --list shows every unit)\n",
         2},
        // Three words beginning with a value keep their reading ("3 ft in" is 36 inches); others
        // are questions, or VALUE FROM INTO when the question has no answer ("FF hex dec").
        {{"--batch"},
         "3 ft in cm\n3 ft in\nFF hex dec\n350F to C\n1/0 m in cm\n",
         "91.4400 cm\n36.0000\n255\n176.667 C\n\n",
         "halducnv: line 5: Input error\n",
         1},
        {{"--batch", "--group", "Length"},
         "3 ft in cm\n",
         "\n",
         "halducnv: line 1: give VALUE FROM INTO (quote a unit name that holds blanks, or separate by tabs)\n",
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        std::string input = row.input;
        std::string out;
        std::string err;
        std::size_t at = 0;
        BatchStreams streams;
        streams.readLine = [&](std::string& line) {
            if (at >= input.size()) {
                return false;
            }
            const std::size_t end = std::min(input.find('\n', at), input.size());
            line = input.substr(at, end - at);
            at = end + 1;
            return true;
        };
        streams.write = [&](std::string_view text, bool) { return out += text, true; };
        streams.writeError = [&](std::string_view text) { err += text; };
        const CommandLineResult result = RunCommandLine(row.args, {}, &streams);
        EXPECT_EQ(out, row.out);
        EXPECT_EQ(err + result.err, row.err);
        EXPECT_EQ(result.status, row.status);
    }
}

TEST_F(CommandLineTest, ListShowsEveryGroupOrOneGroup) {
    const CommandLineResult all = Shell({"--list"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out.substr(0, 44), "Length\n  meter (m)\n  centimeter (cm)\n  milli");
    EXPECT_NE(all.out.find("\nMetric Prefixes\n  １, 一\n"), std::string::npos);
    EXPECT_NE(all.out.find("\nGraphics Units\n  twip (X)\n"), std::string::npos);
    EXPECT_EQ(all.out.find("Warp"), std::string::npos);

    const CommandLineResult one = Shell({"--list", "acceleration"});
    EXPECT_EQ(one.out, "m/s^2\nGal, galileo\nG\nft/s^2\nin/s^2\n");
    // A group is also named by one of the names its own name lists.
    EXPECT_EQ(Shell({"--list", "Hex"}).out, "Decimal\nBinary\nOctal\nHexadecimal\n");
    EXPECT_EQ(Shell({"--list", "Power"}).out.substr(0, 19), "W, J/s, N-m/s, V-A\n");
    EXPECT_EQ(Shell({"--list", "Velocity"}).out.find("Warp"), std::string::npos);
    // The menu's name, or a part of one group's name.
    EXPECT_EQ(Shell({"--list", "graphics units"}).out.substr(0, 9), "twip (X)\n");
    EXPECT_EQ(Shell({"--list", "Prefix"}).out.substr(0, 9), "１, 一\n");
}

TEST_F(CommandLineTest, DigitsAndNotationDoNotApplyToNumberBases) {
    const CommandLineResult result = Shell({"--convert", "255", "dec", "hex", "--figures", "4"});
    EXPECT_EQ(result.out, "FF\n");
    EXPECT_EQ(result.err, "halducnv: warning: --figures and --scientific do not apply to number bases\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(CommandLineTest, UserUnitsFromTheFileTakePart) {
    const UserFileContents file = RoomFile();
    const CommandLineResult converted = Shell({"--convert", "2", "畳", "m2"}, file);
    EXPECT_EQ(converted.out, "3.24000\n");
    EXPECT_EQ(converted.err, "");
    const CommandLineResult listed = Shell({"--list", "Room"}, file);
    EXPECT_EQ(listed.out, "jou (畳)\nm2\n");
    const CommandLineResult all = Shell({"--list"}, file);
    EXPECT_NE(all.out.find("\nRoom\n  jou (畳)\n  m2\nBit, Byte\n"), std::string::npos);
    // A group without a name is not offered, in the list nor for a conversion.
    EXPECT_EQ(all.out.find("nameless"), std::string::npos);
    EXPECT_EQ(Shell({"--convert", "1", "nameless group unit", "m2"}, file).status, 2);
}

TEST_F(CommandLineTest, DamagedOrUnreadableUserFileWarnsAndConversionGoesOn) {
    const UserFileContents whole = RoomFile();
    struct Row {
        const char* name;
        UserFileContents file;
        bool warns;
    };
    const Row rows[] = {
        {"no file at all", {}, false},
        {"empty file", {UserFileContents::State::Read, ""}, false},
        {"file that cannot be read", {UserFileContents::State::Unreadable, ""}, true},
        {"file cut inside a record", {UserFileContents::State::Read, whole.bytes.substr(0, 5)}, true},
        {"file cut inside a text",
         {UserFileContents::State::Read, std::string("\x09\x00"
                                                     "ab",
                                                     4)},
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLineResult result = Shell({"--convert", "3", "mile", "m"}, row.file);
        EXPECT_EQ(result.out, "4828.03\n");
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, row.warns ? "halducnv: warning: Failed to open file 'HUC_USER.DAT'. The user definition "
                                          "is ignored.\n"
                                        : "");
    }
}

TEST(WantsCommandLine, OnlyTheProgramsOwnCommandsLeaveTheWindowAside) {
    struct Row {
        const char* name;
        Args args;
        bool wanted;
    };
    const Row rows[] = {
        {"no arguments open the window", {}, false},
        {"toolkit options open the window", {"-platform", "offscreen"}, false},
        {"toolkit options with glued values open the window", {"-style=fusion", "-reverse"}, false},
        {"a question for the window opens it", {"--show-question", "3 ft in cm"}, false},
        {"a question for the finder, glued, opens the window", {"--find-question=--help"}, false},
        {"a question's value is never an option", {"--find-question", "--help"}, false},
        {"a question is answered on the terminal", {"3", "mile", "m"}, true},
        {"conversion", {"--convert", "1", "m", "ft"}, true},
        {"list", {"--list"}, true},
        {"help after another argument", {"-style", "fusion", "--help"}, true},
        {"a mistyped option is refused on the terminal", {"--conv", "3", "mile", "m"}, true},
        {"short help", {"-h"}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WantsCommandLine(row.args), row.wanted);
    }
}

class ReadUserFileTest : public storage_test::FileTest {};

TEST_F(ReadUserFileTest, MissingFileIsNoFileAndPresentFileIsRead) {
    EXPECT_EQ(ReadUserFileContents().state, UserFileContents::State::Missing);
    PutFile("HUC_USER.DAT", "abc");
    const UserFileContents read = ReadUserFileContents();
    EXPECT_EQ(read.state, UserFileContents::State::Read);
    EXPECT_EQ(read.bytes, "abc");
}

TEST_F(ReadUserFileTest, ConvertingWritesNothing) {
    const UserFileContents file = RoomFile();
    PutFile("HUC_USER.DAT", file.bytes);
    const CommandLineResult result = RunCommandLine(Args{"--convert", "1", "jou", "m2"}, ReadUserFileContents());
    EXPECT_EQ(result.out, "1.62000\n");
    EXPECT_EQ(OtherEntries("HUC_USER.DAT"), std::vector<std::string>{});
    EXPECT_EQ(FileBytes("HUC_USER.DAT"), file.bytes);
}

}  // namespace
}  // namespace halden
