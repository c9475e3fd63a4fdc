#include "storage/config_file.h"

#include "numbers/characters.h"
#include "numbers/leading_number.h"
#include "storage/file_access.h"
#include "storage/my_path.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace halden {

namespace {

constexpr int kLineCount = 19;
constexpr int kWindowValueWidth = 5;
// A real file is 19 short lines, a few hundred bytes. A file longer than this is something else
// in its place; reading stops one byte past it, so that no file can exhaust memory.
constexpr std::size_t kMaxConfigBytes = 1 << 16;
constexpr std::size_t kReadLimit = kMaxConfigBytes + 1;

/// One stored value: its line, the key written before it, where its characters are read and how
/// many (five for positions and the selection, one for the options), and its setting. A five-character
/// value that begins with "-" is read from six, so that every negative value the program writes,
/// down to -32768, reads back as written.
struct ConfigLine {
    int line;  // 1-based
    std::string_view key;
    int width;
    std::int16_t Settings::*value;
};

constexpr std::string_view kWindowSection = "[Window]";
constexpr std::string_view kOptionSection = "[Option]";

constexpr std::array<ConfigLine, 17> kLines{{
    {2, "Form_Normal_Top=", 5, &Settings::Form_Normal_Top},
    {3, "Form_Normal_Left=", 5, &Settings::Form_Normal_Left},
    {4, "Form_Normal_Width=", 5, &Settings::Form_Normal_Width},
    {5, "Form_Normal_Height=", 5, &Settings::Form_Normal_Height},
    {6, "Form_Cal_Top=", 5, &Settings::Form_Cal_Top},
    {7, "Form_Cal_Left=", 5, &Settings::Form_Cal_Left},
    {8, "Form_Convert_Top=", 5, &Settings::Form_Convert_Top},
    {9, "Form_Convert_Left=", 5, &Settings::Form_Convert_Left},
    {10, "Form_Constants_Top=", 5, &Settings::Form_Constants_Top},
    {11, "Form_Constants_Left=", 5, &Settings::Form_Constants_Left},
    {12, "Sel_Unit_Group=", 5, &Settings::pnSelUnitGrp},
    {13, "Sel_Unit_Item=", 5, &Settings::pnSelUnitItem},
    {15, "Show_On_Top=", 1, &Settings::pnShowTop},
    {16, "Figure=", 1, &Settings::pnFigure},
    {17, "Form=", 1, &Settings::pnFormFlag},
    {18, "Focus=", 1, &Settings::pnFocusFlag},
    {19, "Shape=", 1, &Settings::pnShapeFlag},
}};

/// Splits the text into lines ended by CR LF, CR or LF; a last line without an ending counts.
/// Returns fewer than count lines when the text ends first.
std::vector<std::string_view> FirstLines(std::string_view text, int count) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (static_cast<int>(lines.size()) < count && pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
    }
    return lines;
}

/// How many characters of rest (the line from the value's column on) hold the entry's value.
std::size_t FieldWidth(const ConfigLine& entry, std::string_view rest) {
    const bool negative = !rest.empty() && rest.front() == '-';
    return static_cast<std::size_t>(entry.width == kWindowValueWidth && negative ? entry.width + 1 : entry.width);
}

/// Whether the 19 lines can be a configuration at all: text without control characters (but tabs
/// and the end-of-file mark of old editors), and at least one line that begins with one of the
/// file's keys or section lines, letter case aside. Binary data or some other text in the file's
/// place holds no number either, and would otherwise read as a file of zeros.
bool LooksLikeConfig(const std::vector<std::string_view>& lines) {
    constexpr char kEndOfFileMark = '\x1a';
    constexpr char kDelete = '\x7f';
    const auto isControl = [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != kEndOfFileMark) || c == kDelete;
    };
    const auto startsWith = [](std::string_view line, std::string_view key) {
        return line.size() >= key.size() && std::equal(key.begin(), key.end(), line.begin(),
                                                       [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    };
    bool keyFound = false;
    for (const std::string_view line : lines) {
        if (std::any_of(line.begin(), line.end(), isControl)) {
            return false;
        }
        const std::string_view trimmed = TrimBlanks(line);
        keyFound = keyFound || startsWith(trimmed, kWindowSection) || startsWith(trimmed, kOptionSection) ||
                   std::any_of(kLines.begin(), kLines.end(),
                               [&](const ConfigLine& entry) { return startsWith(trimmed, entry.key); });
    }
    return keyFound;
}

/// Reads all 17 values, or std::nullopt at the first fault.
std::optional<Settings> ParseConfig(std::string_view text, const Settings& start) {
    if (text.size() > kMaxConfigBytes) {
        return std::nullopt;
    }
    const auto lines = FirstLines(text, kLineCount);
    if (static_cast<int>(lines.size()) < kLineCount || !LooksLikeConfig(lines)) {
        return std::nullopt;
    }
    Settings read = start;
    for (const ConfigLine& entry : kLines) {
        const std::string_view line = TrimBlanks(lines[static_cast<std::size_t>(entry.line - 1)]);
        const std::size_t column = entry.key.size();  // 0-based start of the value
        const std::string_view field =
            column < line.size() ? line.substr(column, FieldWidth(entry, line.substr(column))) : std::string_view{};
        const auto number = LeadingNumber(field);
        if (!number) {
            return std::nullopt;
        }
        const auto value = NearestInt16(*number);
        if (!value) {
            return std::nullopt;
        }
        read.*entry.value = *value;
    }
    return read;
}

void AppendLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

constexpr std::string_view kFallbackText =
    "Loading the default configuration settings.\rClick on the OK button to proceed.";

/// Whether a file is at path that holds something but cannot be read as a configuration: one the
/// user cannot read, or one that is not empty and falls back to the defaults. A missing or empty
/// file holds nothing to keep.
bool ConfigIsDamaged(const std::string& path, const std::optional<std::string>& bytes) {
    if (!bytes) {
        return IsRegularFile(path);
    }
    return !bytes->empty() && !ParseConfig(*bytes, Settings{});
}

void ShowFallback(MessageSink& sink, std::string text) {
    sink.Show(Message{std::string(kMessageTitle), std::move(text), MessageIcon::Information});
}

void SetDefaults(Settings& settings) {
    const Settings defaults;
    for (const ConfigLine& entry : kLines) {
        settings.*entry.value = defaults.*entry.value;
    }
}

}  // namespace

void CfgReadBytes(const std::optional<std::string>& bytes, Settings& settings, MessageSink& sink) {
    if (bytes) {
        if (auto read = ParseConfig(*bytes, settings)) {
            settings = *read;
            return;
        }
    }
    ShowFallback(sink, std::string(kFallbackText));
    SetDefaults(settings);
}

void FocusUnpack(Settings& settings) {
    if (settings.pnFocusFlag > 1) {
        settings.pbShowInSysCol = true;
        settings.pnFocusFlag = static_cast<std::int16_t>(settings.pnFocusFlag - 2);
    } else {
        settings.pbShowInSysCol = false;
    }
}

void FocusPack(Settings& settings) {
    if (settings.pbShowInSysCol && settings.pnFocusFlag < 2) {
        settings.pnFocusFlag = static_cast<std::int16_t>(settings.pnFocusFlag + 2);
    } else if (!settings.pbShowInSysCol && settings.pnFocusFlag >= 2) {
        settings.pnFocusFlag = static_cast<std::int16_t>(settings.pnFocusFlag - 2);
    }
}

std::string CfgSaveBytes(const Settings& settings) {
    Settings packed = settings;
    FocusPack(packed);
    std::string text;
    text.reserve(400);
    AppendLine(text, kWindowSection);
    for (const ConfigLine& entry : kLines) {
        if (entry.line == 15) {
            AppendLine(text, kOptionSection);
        }
        char digits[8];
        const auto result = std::to_chars(digits, digits + sizeof digits, packed.*entry.value);
        std::string line(entry.key);
        line.append(digits, result.ptr);
        AppendLine(text, line);
    }
    return text;
}

void CfgReadQuietly(Settings& settings) {
    NullSink quiet;
    CfgReadBytes(ReadFileBytes(ConfigFilePath(), kReadLimit), settings, quiet);
}

void CfgRead(Settings& settings, MessageSink& sink) {
    const std::string path = ConfigFilePath();
    RemoveLeftoverTemporaries(path);
    const auto bytes = ReadFileBytes(path, kReadLimit);
    if (bytes) {
        if (auto read = ParseConfig(*bytes, settings)) {
            settings = *read;
            return;
        }
    }
    std::string text(kFallbackText);
    if (ConfigIsDamaged(path, bytes)) {
        if (const auto kept = DamagedCopyName(path)) {
            text += "\rThe file will be kept as '" + *kept + "' when the settings are next saved.";
        }
    }
    ShowFallback(sink, std::move(text));
    SetDefaults(settings);
}

bool CfgSave(Settings& settings, MessageSink& sink) {
    FocusPack(settings);
    const std::string path = ConfigFilePath();
    const OldFile old_file =
        ConfigIsDamaged(path, ReadFileBytes(path, kReadLimit)) ? OldFile::KeepDamaged : OldFile::Replace;
    if (WriteFileAtomically(path, CfgSaveBytes(settings), old_file)) {
        return true;
    }
    sink.Show(Message{std::string(kMessageTitle), "Failed to save file as 'HALDUCNV.CFG'.", MessageIcon::Critical});
    return false;
}

}  // namespace halden
