// Process-wide settings and state of the program.
//
// The settings are the values kept in the configuration file (window positions in twips, the
// selected group and the options); the state is what lives only while the program runs (the
// screen's twips per pixel, the chosen warp level, which companion windows are open). Each group
// sits in one plain struct with one process-wide instance; ResetProcessState() puts both back to
// their start-up values, so that tests start from a known state.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <cstdint>
#include <optional>

namespace halden {

struct Settings {
    std::int16_t Form_Normal_Top = 1350;
    std::int16_t Form_Normal_Left = 840;
    std::int16_t Form_Normal_Width = 0;
    std::int16_t Form_Normal_Height = 0;
    std::int16_t Form_Cal_Top = 360;
    std::int16_t Form_Cal_Left = 360;
    std::int16_t Form_Convert_Top = 1350;
    std::int16_t Form_Convert_Left = 840;
    std::int16_t Form_Constants_Top = 1650;
    std::int16_t Form_Constants_Left = 2500;
    std::int16_t pnSelUnitGrp = 0;
    std::int16_t pnSelUnitItem = 0;
    std::int16_t pnShowTop = 0;
    std::int16_t pnFigure = 6;     // 4, 6 or 8 significant digits; 7 means Integer
    std::int16_t pnFormFlag = 0;   // 0 Normal, 1 Scientific
    std::int16_t pnFocusFlag = 0;  // 0 Auto, 1 Tab (after unpacking the system-colour flag)
    std::int16_t pnShapeFlag = 0;  // 1 full window, 0 reduced icon window
    bool pbShowInSysCol = false;   // travels in the Focus value as +2
};

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

/// What storing a place that does not fit a 16-bit setting does.
enum class PlaceOutOfRange { KeepStored, Clamp };

/// The one rounding of stored positions and sizes: the nearest integer, a half going to the even
/// neighbour; std::nullopt for a value outside -32768..32767 or not finite.
std::optional<std::int16_t> NearestInt16(double value);

/// Stores a window position or size, in twips, into a 16-bit setting: the nearest integer, a half
/// going to the even neighbour. A value outside -32768..32767 keeps the setting's value and gives
/// false (KeepStored), or stores the nearer end of the range (Clamp); a value that is not finite
/// always keeps the setting's value and gives false.
bool StoreTwips(std::int16_t& setting, double twips, PlaceOutOfRange rule = PlaceOutOfRange::KeepStored);

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

/// Puts settings, state, the unit catalogue and the user-units tables back to their start-up values.
void ResetProcessState();

}  // namespace halden
