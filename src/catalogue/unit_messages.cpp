#include "catalogue/unit_messages.h"

namespace halden {
namespace {

constexpr std::size_t kSuggestions = 5;

const std::string& GroupNameOf(const UnitCatalogue& c, int g) { return c.GroupName[static_cast<std::size_t>(g)]; }

std::string GroupList(const UnitCatalogue& c, const std::vector<int>& groups) {
    std::string names;
    for (const int g : groups) {
        AppendListed(names, "; ", GroupNameOf(c, g));
    }
    return names;
}

}  // namespace

void AppendListed(std::string& list, std::string_view separator, const std::string& item) {
    if (!list.empty()) {
        list += separator;
    }
    list += item;
}

std::string Quoted(std::string_view text) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0x0F];
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::string UnitsWithGroups(const UnitCatalogue& c, const std::vector<FoundUnit>& units) {
    std::string names;
    for (const FoundUnit& unit : units) {
        const auto g = static_cast<std::size_t>(unit.group);
        AppendListed(names, ", ",
                     Quoted(c.UnitName[g][static_cast<std::size_t>(unit.unit)]) + " (" + c.GroupName[g] + ")");
    }
    return names;
}

std::string NameRefusal(const UnitCatalogue& c, const UnitNameIndex& index, std::string_view name,
                        const NamedUnits& named, std::string_view listHint, std::vector<FoundUnit>* namedUnits) {
    if (named.ambiguous) {
        if (namedUnits != nullptr) {
            *namedUnits = named.units;
        }
        return Quoted(name) + " fits several units: " + UnitsWithGroups(c, named.units) +
               " (give the name in its own letter case, or \"GROUP:NAME\")";
    }
    std::vector<FoundUnit> near = index.Suggest(name, kSuggestions);
    std::string reason = "no unit is named " + Quoted(name) +
                         (!near.empty()      ? "; did you mean " + UnitsWithGroups(c, near) + "?"
                          : listHint.empty() ? std::string()
                                             : " (" + std::string(listHint) + ")");
    if (namedUnits != nullptr) {
        *namedUnits = std::move(near);
    }
    return reason;
}

std::string SeveralUnitsRefusal(const UnitCatalogue& c, std::string_view name, int g, const std::vector<int>& units) {
    std::string names;
    for (const int i : units) {
        AppendListed(names, ", ", Quoted(c.UnitName[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]));
    }
    return Quoted(name) + " fits several units of " + GroupNameOf(c, g) + ": " + names;
}

std::string NoCommonGroupRefusal(const UnitCatalogue& c, std::string_view from, const NamedUnits& fromNamed,
                                 std::string_view into, const NamedUnits& intoNamed) {
    return Quoted(from) + " (" + GroupList(c, GroupsOf(fromNamed)) + ") and " + Quoted(into) + " (" +
           GroupList(c, GroupsOf(intoNamed)) + ") share no group";
}

}  // namespace halden
