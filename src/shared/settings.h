// The program's settings: the values kept in the configuration file (window positions in twips,
// the selected group and the options), and the one rounding rule for storing window places.
#pragma once

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

}  // namespace halden
