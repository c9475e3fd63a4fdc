// The help's list of unit groups, written from the catalogue at the time the page is shown, so it
// always names exactly the units the unit lists offer (user groups included).
#pragma once

#include "catalogue/unit_catalogue.h"

#include <string>
#include <string_view>

namespace halden {

/// An HTML fragment: one section per menu (Convert, Computer, Other Units, Additional Units,
/// Metric Prefixes), each group as a heading with the anchor "group-<g>" and its units 0 to
/// UnitCount - 1 as a list. Built-in groups without a name and user groups with neither a name
/// nor units are left out; a blank unit slot inside a user group is listed as "(blank)".
std::string UnitGroupsHtml(const UnitCatalogue& units);

/// text with &, <, > and " written as HTML entities.
std::string EscapeHtml(std::string_view text);

}  // namespace halden
