#include "shared/process_state.h"

#include <algorithm>

namespace halden {

Settings& settings() {
    static Settings instance;
    return instance;
}

ProcessState& state() {
    static ProcessState instance;
    return instance;
}

int PixelTwipsX() { return std::max<int>(1, state().Tppx); }
int PixelTwipsY() { return std::max<int>(1, state().Tppy); }

UnitCatalogue& catalogue() {
    static UnitCatalogue instance;
    return instance;
}

UserUnits& userUnits() {
    static UserUnits instance;
    return instance;
}

Session ProcessSession() { return Session{settings(), state(), catalogue(), userUnits()}; }

void ResetProcessState() {
    // Copy-assigning from empty tables lets every text keep its storage, so resetting before
    // each test or driver request does not reallocate thousands of texts.
    static const UnitCatalogue kEmptyCatalogue{};
    static const UserUnits kEmptyUserUnits{};
    settings() = Settings{};
    state() = ProcessState{};
    catalogue() = kEmptyCatalogue;
    userUnits() = kEmptyUserUnits;
}

}  // namespace halden
