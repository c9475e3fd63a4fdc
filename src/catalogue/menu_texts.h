// The texts of the main window's menus: the caption tables of the menu arrays, which item shows a
// group or an option value, the history entry made by a copy, and the Additional Units menu made
// from the user groups' names.
//
// Everything here is plain data and pure functions, so the window only fills widgets from it.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <array>
#include <string>
#include <string_view>

namespace halden {

/// Captions of the Convert menu's direct group items (groups 0..13).
inline constexpr std::array<std::string_view, 14> kConvCaptions{
    "&Length",           "&Mass, Weight",   "&Area",  "&Volume",   "&Stress, Pressure", "&Work Rate, Power",
    "&Temperature",      "&Energy, Moment", "&Force", "Velocit&y", "Accele&ration",     "&Density",
    "Fuel Co&nsumption", "An&gle"};

/// Captions of the Computer submenu (groups 48..50).
inline constexpr std::array<std::string_view, 3> kConvCompCaptions{"&Bit, Byte", "&Hex, Oct, Bin", "&Graphics Units"};

/// Captions of the Other Units submenu (groups 14..26).
inline constexpr std::array<std::string_view, 13> kConvOtherCaptions{"&Viscosity",
                                                                     "&Kinetic Viscosity",
                                                                     "Heat &Flux",
                                                                     "Specific &Heat",
                                                                     "Thermal &Conductivity",
                                                                     "Heat &Transfer Coefficient",
                                                                     "&Magnetic Flux Density",
                                                                     "Magnetic Field Inten&sity",
                                                                     "Ma&gnetic Flux",
                                                                     "&Illuminance",
                                                                     "&Luminance",
                                                                     "&Radioactivity",
                                                                     "Exposed &Dose (Exposure)"};

/// Caption of the Convert menu's Metric Prefixes item (group 27).
inline constexpr std::string_view kConvDecimalCaption = "Metric Prefi&xes";
/// Significant digits items and the pnFigure value each stands for.
inline constexpr std::array<std::string_view, 4> kOptionsFigCaptions{"&4", "&6", "&8", "&Integer"};
inline constexpr std::array<int, 4> kFigureValues{4, 6, 8, 7};
inline constexpr std::array<std::string_view, 2> kOptionsFormCaptions{"&Normal", "&Scientific"};
inline constexpr std::array<std::string_view, 2> kOptionsFocusCaptions{"&Auto", "&Tab"};

/// Number of entries the copy history keeps.
inline constexpr int kHistoryItems = 8;

/// Which group menu holds an item: the kinds the group switch passes to SwitchMenus.
enum class GroupMenuKind { Convert = 0, Other = 1, User = 2, Decimal = 3, Computer = 4, None = -1 };

struct GroupMenuItem {
    GroupMenuKind kind = GroupMenuKind::None;
    int index = 0;
    bool operator==(const GroupMenuItem&) const = default;
};

/// The menu item of group g (0..50); kind None for a group number outside that range.
GroupMenuItem GroupMenuItemOf(int g);
/// The name a group menu shows for built-in group g, without its access-key mark ("Work Rate, Power");
/// empty for a user group (its menu shows its own name) and for a number outside 0..50.
std::string GroupMenuName(int g);
/// The group an item of a group menu selects; -1 for an index outside that menu.
int GroupOfMenuItem(GroupMenuKind kind, int index);

/// The Significant Digits item of a pnFigure value (4, 6, 8, 7); -1 when no item shows it.
int FigureItemOf(int pnFigure);

/// One history entry: "<From part> = <Into part>". The From part is input + " " + fromName and
/// the Into part result + " " + intoName, except in Velocity (group 9), where the speed of light
/// reads as "<number> time(s) <name>" and the Mach units (and, on the From side, Warp) put the
/// name before the number. from and into are the selected list indices (-1 for none).
std::string HistoryCaption(int g, int from, int into, std::string_view input, std::string_view fromName,
                           std::string_view result, std::string_view intoName);

/// What the Additional Units submenu shows for the user groups' names.
struct UserMenuState {
    std::array<std::string, kUserGroups> captions{};
    std::array<bool, kUserGroups> visible{};
    bool submenuEnabled = false;
};

/// A named group (name not blank after trimming blanks) shows its untrimmed name; an unnamed one
/// is hidden, except the first, which always shows and keeps the caption "User 1". The submenu
/// is enabled when at least one group has a name.
UserMenuState UserMenu(const std::array<std::string, kUserGroups>& userGroupNames);

}  // namespace halden
