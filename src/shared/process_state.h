// The window program's process-wide state: its one instance of the settings, the state that lives
// only while it runs (the screen's twips per pixel, the chosen warp level, which companion windows
// are open), and the unit catalogue and user-units tables in use. ResetProcessState() puts them all
// back to their start-up values, so that tests start from a known state. Only the windows (and the
// tools that drive them) use this; the command line and the files' code keep no such state.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "shared/settings.h"

#include <cstdint>

namespace halden {

struct ProcessState {
    std::int16_t Tppx = 15;    // twips per horizontal pixel, measured at start-up
    std::int16_t Tppy = 15;    // twips per vertical pixel
    std::int16_t WarpIdx = 0;  // warp level last chosen from the Warp menu; never saved
    bool pbConstantsOpen = false;
    bool pbEquivOpen = false;
    bool pbUserOpen = false;
    bool pbInputReady = false;
    bool pbEnding = false;
};

/// The one process-wide instance of the settings.
Settings& settings();
/// Twips per horizontal or vertical pixel as the windows divide by them: as measured at
/// start-up, never below 1.
int PixelTwipsX();
int PixelTwipsY();
/// The one process-wide instance of the run-time state.
ProcessState& state();

/// The one process-wide catalogue.
UnitCatalogue& catalogue();
/// The one process-wide set of user-units source tables.
UserUnits& userUnits();

/// What a window works with: the settings, the run's state, the unit catalogue and the user's
/// units. The program's start makes one from the process-wide instances (ProcessSession) and hands
/// it to the main window, which hands it on to its parts.
struct Session {
    Settings& settings;
    ProcessState& state;
    UnitCatalogue& catalogue;
    UserUnits& userUnits;
};
Session ProcessSession();

/// Puts settings, state, the unit catalogue and the user-units tables back to their start-up values.
void ResetProcessState();

}  // namespace halden
