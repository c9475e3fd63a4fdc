#include "shared/settings.h"

#include "catalogue/unit_catalogue.h"

namespace halden {

Settings& settings() {
    static Settings instance;
    return instance;
}

ProcessState& state() {
    static ProcessState instance;
    return instance;
}

UnitCatalogue& catalogue() {
    static UnitCatalogue instance;
    return instance;
}

UserUnits& userUnits() {
    static UserUnits instance;
    return instance;
}

void ResetProcessState() {
    settings() = Settings{};
    state() = ProcessState{};
    catalogue() = UnitCatalogue{};
    userUnits() = UserUnits{};
}

}  // namespace halden
