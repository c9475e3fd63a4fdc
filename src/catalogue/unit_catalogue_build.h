// Filling the unit catalogue: the built-in groups and the user groups.
#pragma once

#include <cstdint>

namespace halden {

/// Fills catalogue() with every built-in group, the warp table and its menu captions, then copies
/// the user groups in with TransferUserGroups(). tppx is the screen's twips per pixel (for the
/// "pixel" unit of "Graphics Units"); it must be greater than 0.
void BuildUnitCatalogue(std::int16_t tppx);

/// Copies the user-units source tables (userUnits()) into groups 28..47 and affine rows 1..20 of
/// catalogue(), rewriting the user tables' names and numbers as it goes.
void TransferUserGroups();

}  // namespace halden
