#include "reference/help_unit_list.h"

#include "catalogue/menu_texts.h"

#include <algorithm>

namespace halden {
namespace {

struct MenuSection {
    std::string_view title;
    int first;
    int last;
    bool userGroups;
};

// In the order the Convert menu shows them.
constexpr MenuSection kSections[] = {
    {"Convert menu", 0, kFirstOtherGroup - 1, false},
    {"Computer", kFirstComputerGroup, kGroupCount - 1, false},
    {"Other Units", kFirstOtherGroup, kMetricPrefixGroup - 1, false},
    {"Additional Units", kFirstUserGroup, kFirstUserGroup + kUserGroups - 1, true},
    {"Metric Prefixes", kMetricPrefixGroup, kMetricPrefixGroup, false},
};

int ListedUnits(const UnitCatalogue& units, int g) {
    return std::clamp(static_cast<int>(units.UnitCount[g]), 0, kUnitSlots);
}

void AppendGroup(std::string& html, const UnitCatalogue& units, int g, bool userGroup) {
    const int count = ListedUnits(units, g);
    // Built-in groups are named as the Convert menu names them; user groups by their own names.
    std::string name = userGroup ? units.GroupName[g] : GroupMenuName(g);
    if (name.empty()) {
        name = UserGroupCaption(g - kFirstUserGroup);
    }
    html += "<h3 id=\"group-" + std::to_string(g) + "\">" + EscapeHtml(name) + "</h3>\n";
    if (count == 0) {
        html += "<p>This group has no units yet.</p>\n";
        return;
    }
    html += "<ul>\n";
    for (int i = 0; i < count; ++i) {
        const std::string& unit = units.UnitName[g][i];
        html += "<li>";
        html += (userGroup && unit.empty()) ? std::string("<i>(blank)</i>") : EscapeHtml(unit);
        html += "</li>\n";
    }
    html += "</ul>\n";
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnitGroupsHtml(const UnitCatalogue& units) {
    std::string html;
    for (const MenuSection& section : kSections) {
        std::string groups;
        for (int g = section.first; g <= section.last; ++g) {
            const bool empty = units.GroupName[g].empty() && (section.userGroups ? ListedUnits(units, g) == 0 : true);
            if (!empty) {
                AppendGroup(groups, units, g, section.userGroups);
            }
        }
        html += "<h2>" + EscapeHtml(section.title) + "</h2>\n";
        if (groups.empty()) {
            groups = section.userGroups ? "<p>No groups of your own yet: define them with Options, Add Units.</p>\n"
                                        : "<p>No groups.</p>\n";
        }
        html += groups;
    }
    return html;
}

}  // namespace halden
