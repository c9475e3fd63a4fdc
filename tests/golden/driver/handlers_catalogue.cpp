// Requests of the unit catalogue, the conversion engine and the radix converters.

#include "catalogue/convert_value.h"
#include "catalogue/radix.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue_request.h"
#include "golden_driver.h"

#include <limits>
#include <memory>
#include <optional>
#include <string>

namespace golden {
namespace {

void ReadTextTable(const json& tables, const char* field, std::size_t rows, std::size_t columns,
                   const std::function<std::string&(std::size_t, std::size_t)>& cell) {
    auto it = tables.find(field);
    if (it == tables.end()) return;
    if (!it->is_array() || it->size() > rows)
        throw DriverError(std::string("\"") + field + "\" is not a table of the right shape");
    for (std::size_t r = 0; r < it->size(); ++r) {
        const json& row = (*it)[r];
        if (columns == 0) {
            if (!row.is_string()) throw DriverError(std::string("\"") + field + "\" holds a non-text");
            cell(r, 0) = row.get<std::string>();
            continue;
        }
        if (!row.is_array() || row.size() > columns)
            throw DriverError(std::string("\"") + field + "\" has a row of the wrong shape");
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c].is_string()) throw DriverError(std::string("\"") + field + "\" holds a non-text");
            cell(r, c) = row[c].get<std::string>();
        }
    }
}

json DoubleRow(const auto& values, std::size_t count) {
    json row = json::array();
    for (std::size_t i = 0; i < count; ++i) row.push_back(DoubleText(values[i]));
    return row;
}

json TextRow(const auto& values, std::size_t count) {
    json row = json::array();
    for (std::size_t i = 0; i < count; ++i) row.push_back(values[i]);
    return row;
}

std::int16_t ReadTppx(const json& request) {
    return request.contains("Tppx") ? ReadInt16(request, "Tppx") : std::int16_t{15};
}

// The last catalogue built for a request, with what it was built from: requests in a row that
// share their screen and user tables (most of a golden file) reuse it instead of rebuilding.
struct BuiltCatalogue {
    std::string key;
    halden::UnitCatalogue catalogue;
    halden::UserUnits user;
};

const BuiltCatalogue& CatalogueFor(std::int16_t tppx, const json* userTables) {
    static std::unique_ptr<BuiltCatalogue> last;
    std::string key = std::to_string(tppx);
    if (userTables != nullptr) key += userTables->dump();
    if (last && last->key == key) return *last;

    auto built = std::make_unique<BuiltCatalogue>();
    built->key = std::move(key);
    if (userTables != nullptr) ReadUserTables(*userTables, built->user);
    halden::BuildUnitCatalogue(built->catalogue, built->user, tppx);
    last = std::move(built);
    return *last;
}

json BuildCatalogueReply(const json& request) {
    const halden::UnitCatalogue& c = CatalogueFor(ReadTppx(request), nullptr).catalogue;
    json groups = json::array();
    for (int g = 0; g < halden::kGroupCount; ++g) {
        json units = json::array();
        for (int i = 0; i < c.UnitCount[g] && i < halden::kUnitSlots; ++i) {
            json unit{{"index", i}, {"name", c.UnitName[g][i]}, {"factor", DoubleText(c.UnitFactor[g][i])}};
            if (g == halden::kGroupTemperature) {
                unit["TempScale"] = DoubleText(c.TempScale[0][i]);
                unit["TempOffset"] = DoubleText(c.TempOffset[0][i]);
            }
            units.push_back(std::move(unit));
        }
        groups.push_back(
            {{"group", g}, {"GroupName", c.GroupName[g]}, {"UnitCount", c.UnitCount[g]}, {"units", units}});
    }
    json warp = json::array();
    for (int k = 0; k < halden::kWarpLevels; ++k) {
        warp.push_back({{"k", k},
                        {"WarpName", c.WarpName[k]},
                        {"WarpSpeed", DoubleText(c.WarpSpeed[k])},
                        {"menu_caption", c.WarpMenuCaption[k]}});
    }
    return {{"groups", groups}, {"warp", warp}};
}

json ConvertValueReply(const json& request) {
    const std::int16_t warpIdx = request.contains("WarpIdx") ? ReadInt16(request, "WarpIdx") : std::int16_t{0};
    const std::optional<double> value =
        halden::ConvertValue(PrepareCatalogue(request), warpIdx, ReadIndex(request, "g"), ReadIndex(request, "from"),
                             ReadIndex(request, "into"), ReadText(request, "text"));
    if (!value) return {{"failure", true}};
    return {{"value", DoubleText(*value)}};
}

json FormatNumberReply(const json& request) {
    const std::optional<std::string> text =
        halden::T_FormatNumber(ReadIndex(request, "from"), ReadIndex(request, "into"), ReadText(request, "text"));
    return {{"txtResult", text ? *text : ReadText(request, "previous_result")}};
}

template <std::optional<std::string> (*Converter)(std::string_view)>
json ConverterReply(const json& request) {
    const std::optional<std::string> text = Converter(ReadText(request, "s"));
    if (!text) return {{"failure", true}};
    return {{"text", *text}};
}

json TransferReply(const json& request) {
    // A catalogue with nothing built in yet, as the user groups find it at start-up.
    auto catalogue = std::make_unique<halden::UnitCatalogue>();
    auto userTables = std::make_unique<halden::UserUnits>();
    ReadUserTables(request, *userTables);
    halden::TransferUserGroups(*catalogue, *userTables);
    const halden::UnitCatalogue& c = *catalogue;
    const halden::UserUnits& user = *userTables;
    json reply{{"GroupName", json::array()},  {"UnitCount", json::array()},  {"UnitName", json::array()},
               {"TempScale", json::array()},  {"TempOffset", json::array()}, {"UserUnitName", json::array()},
               {"UserFactor", json::array()}, {"UserOffset", json::array()}};
    const std::size_t slots = halden::kUserUnitsUsed;
    for (int u = 0; u < halden::kUserGroups; ++u) {
        const int g = u + halden::kFirstUserGroup;
        reply["GroupName"].push_back(c.GroupName[g]);
        reply["UnitCount"].push_back(c.UnitCount[g]);
        reply["UnitName"].push_back(TextRow(c.UnitName[g], slots));
        reply["TempScale"].push_back(DoubleRow(c.TempScale[u + 1], slots));
        reply["TempOffset"].push_back(DoubleRow(c.TempOffset[u + 1], slots));
        reply["UserUnitName"].push_back(TextRow(user.UserUnitName[u], slots));
        reply["UserFactor"].push_back(DoubleRow(user.UserFactor[u], slots));
        reply["UserOffset"].push_back(DoubleRow(user.UserOffset[u], slots));
    }
    return reply;
}

const RequestRegistrar kCatalogueRequests{
    {"BuildUnitCatalogue", &BuildCatalogueReply},
    {"ConvertValue", &ConvertValueReply},
    {"T_FormatNumber", &FormatNumberReply},
    {"FmtDecToHex", &ConverterReply<&halden::FmtDecToHex>},
    {"FmtDecToOct", &ConverterReply<&halden::FmtDecToOct>},
    {"FmtDecToBin", &ConverterReply<&halden::FmtDecToBin>},
    {"FmtBinToDec", &ConverterReply<&halden::FmtBinToDec>},
    {"FmtOctToDec", &ConverterReply<&halden::FmtOctToDec>},
    {"FmtHexToDec", &ConverterReply<&halden::FmtHexToDec>},
    {"TransferUserGroups", &TransferReply},
};

}  // namespace

void ReadUserTables(const json& tables, halden::UserUnits& user) {
    if (!tables.is_object()) throw DriverError("the user tables are not an object");
    const std::size_t groups = halden::kUserGroups;
    const std::size_t slots = halden::kUserUnitsUsed;
    ReadTextTable(tables, "UserGroupName", groups, 0,
                  [&](std::size_t r, std::size_t) -> std::string& { return user.UserGroupName[r]; });
    ReadTextTable(tables, "UserUnitName", groups, slots,
                  [&](std::size_t r, std::size_t c) -> std::string& { return user.UserUnitName[r][c]; });
    ReadTextTable(tables, "UserFactorText", groups, slots,
                  [&](std::size_t r, std::size_t c) -> std::string& { return user.UserFactorText[r][c]; });
    ReadTextTable(tables, "UserOffsetText", groups, slots,
                  [&](std::size_t r, std::size_t c) -> std::string& { return user.UserOffsetText[r][c]; });
}

const halden::UnitCatalogue& PrepareCatalogue(const json& request) {
    auto user = request.find("user");
    return CatalogueFor(ReadTppx(request), user != request.end() ? &*user : nullptr).catalogue;
}

}  // namespace golden
