// Shared by the requests that need a built catalogue: builds it from the request's optional
// "Tppx" and "user" tables, reusing the last catalogue built for the same inputs.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "golden_driver.h"

namespace golden {

/// Fills the four user source tables from a request object holding "UserGroupName",
/// "UserUnitName", "UserFactorText" and "UserOffsetText" (up to 20 groups of up to 10 slots;
/// missing entries stay empty). Throws DriverError on a malformed table.
void ReadUserTables(const json& tables, halden::UserUnits& user);

/// The catalogue a fresh start with the request's "Tppx" (default 15) and "user" tables (default
/// empty) builds. It stays valid until the next call.
const halden::UnitCatalogue& PrepareCatalogue(const json& request);

}  // namespace golden
