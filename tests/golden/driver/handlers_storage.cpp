// Golden requests of the two files: CfgRead, CfgSave, FocusUnpack, DatRead, DatWrite.
// File contents travel as lowercase hex; null stands for "no file".

#include "golden_driver.h"
#include "numbers/message_sink.h"
#include "shared/settings.h"
#include "storage/config_file.h"
#include "storage/user_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using golden::DriverError;
using golden::json;
using halden::Settings;

const std::array<std::pair<const char*, std::int16_t Settings::*>, 17> kSettingNames{{
    {"Form_Normal_Top", &Settings::Form_Normal_Top},
    {"Form_Normal_Left", &Settings::Form_Normal_Left},
    {"Form_Normal_Width", &Settings::Form_Normal_Width},
    {"Form_Normal_Height", &Settings::Form_Normal_Height},
    {"Form_Cal_Top", &Settings::Form_Cal_Top},
    {"Form_Cal_Left", &Settings::Form_Cal_Left},
    {"Form_Convert_Top", &Settings::Form_Convert_Top},
    {"Form_Convert_Left", &Settings::Form_Convert_Left},
    {"Form_Constants_Top", &Settings::Form_Constants_Top},
    {"Form_Constants_Left", &Settings::Form_Constants_Left},
    {"pnSelUnitGrp", &Settings::pnSelUnitGrp},
    {"pnSelUnitItem", &Settings::pnSelUnitItem},
    {"pnShowTop", &Settings::pnShowTop},
    {"pnFigure", &Settings::pnFigure},
    {"pnFormFlag", &Settings::pnFormFlag},
    {"pnFocusFlag", &Settings::pnFocusFlag},
    {"pnShapeFlag", &Settings::pnShapeFlag},
}};

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw DriverError("file_hex holds a character that is not a hex digit");
}

/// The request's file_hex: the file's bytes, or std::nullopt for null (no file).
std::optional<std::string> FileBytes(const json& request) {
    const auto it = request.find("file_hex");
    if (it == request.end()) throw DriverError("missing field \"file_hex\"");
    if (it->is_null()) return std::nullopt;
    if (!it->is_string()) throw DriverError("field \"file_hex\" is neither a text nor null");
    const std::string hex = it->get<std::string>();
    if (hex.size() % 2 != 0) throw DriverError("file_hex has an odd number of digits");
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        bytes += static_cast<char>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1]));
    }
    return bytes;
}

std::int16_t Int16(const json& object, const char* field) {
    const long long value = golden::ReadInt(object, field);
    if (value < -32768 || value > 32767) throw DriverError(std::string("field \"") + field + "\" is beyond 16 bits");
    return static_cast<std::int16_t>(value);
}

json CfgReadRequest(const json& request) {
    Settings s;
    halden::RecordingSink sink;
    halden::CfgReadBytes(FileBytes(request), s, sink);
    json values = json::object();
    for (const auto& [name, field] : kSettingNames) values[name] = s.*field;
    return json{{"values", values}, {"message", !sink.messages.empty()}};
}

json CfgSaveRequest(const json& request) {
    const auto it = request.find("values");
    if (it == request.end() || !it->is_object()) throw DriverError("missing object \"values\"");
    Settings s;
    for (const auto& [name, field] : kSettingNames) {
        if (it->contains(name)) s.*field = Int16(*it, name);
    }
    s.pbShowInSysCol = golden::ReadBool(request, "pbShowInSysCol", false);
    return json{{"file_hex", Hex(halden::CfgSaveBytes(s))}};
}

json FocusUnpackRequest(const json& request) {
    Settings s;
    s.pnFocusFlag = Int16(request, "pnFocusFlag_read");
    halden::FocusUnpack(s);
    return json{{"pnFocusFlag", s.pnFocusFlag}, {"pbShowInSysCol", s.pbShowInSysCol}};
}

template <std::size_t Groups, std::size_t Slots>
json Table(const std::array<std::array<std::string, Slots>, Groups>& table) {
    json rows = json::array();
    for (const auto& group : table) {
        json row = json::array();
        for (int j = 0; j < halden::kUserUnitsUsed; ++j) row.push_back(group[static_cast<std::size_t>(j)]);
        rows.push_back(std::move(row));
    }
    return rows;
}

/// Reads a table of 20 groups × 10 texts; a missing table is all empty.
template <std::size_t Groups, std::size_t Slots>
void ReadTable(const json& request, const char* field, std::array<std::array<std::string, Slots>, Groups>& table) {
    const auto it = request.find(field);
    if (it == request.end()) return;
    if (!it->is_array() || it->size() != Groups) throw DriverError(std::string("\"") + field + "\" is not 20 rows");
    for (std::size_t u = 0; u < Groups; ++u) {
        const json& row = (*it)[u];
        if (!row.is_array() || row.size() != static_cast<std::size_t>(halden::kUserUnitsUsed)) {
            throw DriverError(std::string("a row of \"") + field + "\" is not 10 texts");
        }
        for (std::size_t j = 0; j < row.size(); ++j) {
            if (!row[j].is_string())
                throw DriverError(std::string("\"") + field + "\" holds a value that is not a text");
            table[u][j] = row[j].get<std::string>();
        }
    }
}

json DatReadRequest(const json& request) {
    halden::UserUnits units;
    halden::RecordingSink sink;
    halden::DatReadBytes(FileBytes(request), units, sink);
    return json{{"UserGroupName", units.UserGroupName},
                {"UserUnitName", Table(units.UserUnitName)},
                {"UserFactorText", Table(units.UserFactorText)},
                {"UserOffsetText", Table(units.UserOffsetText)},
                {"message", !sink.messages.empty()}};
}

json DatWriteRequest(const json& request) {
    halden::UserUnits units;
    if (const auto it = request.find("UserGroupName"); it != request.end()) {
        if (!it->is_array() || it->size() != units.UserGroupName.size()) {
            throw DriverError("\"UserGroupName\" is not 20 texts");
        }
        for (std::size_t u = 0; u < it->size(); ++u) {
            if (!(*it)[u].is_string()) throw DriverError("\"UserGroupName\" holds a value that is not a text");
            units.UserGroupName[u] = (*it)[u].get<std::string>();
        }
    }
    ReadTable(request, "UserUnitName", units.UserUnitName);
    ReadTable(request, "UserFactorText", units.UserFactorText);
    ReadTable(request, "UserOffsetText", units.UserOffsetText);
    const auto bytes = halden::DatWriteBytes(units);
    return json{{"file_hex", bytes ? json(Hex(*bytes)) : json(nullptr)}};
}

const golden::RequestRegistrar kStorageRequests{
    {"CfgRead", &CfgReadRequest}, {"CfgSave", &CfgSaveRequest},   {"FocusUnpack", &FocusUnpackRequest},
    {"DatRead", &DatReadRequest}, {"DatWrite", &DatWriteRequest},
};

}  // namespace
