// The built-in units and their name index, built once for a whole fuzz run (no user units), as
// the command line and the question reading are given them.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"

#include <memory>

namespace halden::fuzz {

struct Tables {
    std::unique_ptr<UserUnits> user = std::make_unique<UserUnits>();
    std::unique_ptr<UnitCatalogue> catalogue = std::make_unique<UnitCatalogue>();
    std::unique_ptr<UnitNameIndex> index;
    Tables() {
        BuildUnitCatalogue(*catalogue, *user, 15);
        index = std::make_unique<UnitNameIndex>(*catalogue);
    }
};

}  // namespace halden::fuzz
