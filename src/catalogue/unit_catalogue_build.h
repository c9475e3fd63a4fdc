// Filling the unit catalogue: the built-in groups and the user groups.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <cstdint>

namespace halden {

/// Fills catalogue c with every built-in group, the warp table and its menu captions, then copies
/// the user groups in with TransferUserGroups(). tppx is the screen's twips per pixel (for the
/// "pixel" unit of "Graphics Units"); it must be greater than 0.
void BuildUnitCatalogue(UnitCatalogue& c, UserUnits& user, std::int16_t tppx);

/// Copies the user-units source tables into groups 28..47 and affine rows 1..20 of catalogue c,
/// rewriting the user tables' names and numbers as it goes.
void TransferUserGroups(UnitCatalogue& c, UserUnits& user);

}  // namespace halden
