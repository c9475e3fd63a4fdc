// How the program words a name that gives no unit, for the shell's messages and the reasons a
// question has no answer: typed texts in quotes on one line, units with their groups, near names.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace halden {

/// Adds item to a list text, after separator unless the list is empty.
void AppendListed(std::string& list, std::string_view separator, const std::string& item);

/// A typed text in double quotes; control characters are written as \xHH so that a message stays
/// on one line.
std::string Quoted(std::string_view text);

/// Units as "list text" (group name), separated by ", ".
std::string UnitsWithGroups(const UnitCatalogue& c, const std::vector<FoundUnit>& units);

/// The reason a name gives no unit: it names nothing ("no unit is named ...", with the units near
/// it, or failing those with listHint in parentheses when there is one: where every unit is
/// listed), or fits several units only when case is ignored or read with prefixes of different sizes.
/// The units the reason names (the near ones, or the candidates) go to named when it is given.
std::string NameRefusal(const UnitCatalogue& c, const UnitNameIndex& index, std::string_view name,
                        const NamedUnits& named, std::string_view listHint = {},
                        std::vector<FoundUnit>* namedUnits = nullptr);

/// The reason a name fitting several units of group g names none: "name" fits several units of
/// the group, with them.
std::string SeveralUnitsRefusal(const UnitCatalogue& c, std::string_view name, int g, const std::vector<int>& units);

/// The reason two names give no conversion: no group holds both.
std::string NoCommonGroupRefusal(const UnitCatalogue& c, std::string_view from, const NamedUnits& fromNamed,
                                 std::string_view into, const NamedUnits& intoNamed);

}  // namespace halden
