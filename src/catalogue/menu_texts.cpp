#include "catalogue/menu_texts.h"

#include "numbers/characters.h"

namespace halden {
namespace {

// Units of Velocity whose history text reads as a multiple or a prefix rather than "number name".
constexpr int kMachFirst = 7;
constexpr int kMachSecond = 8;

constexpr int kConvertItems = static_cast<int>(kConvCaptions.size());
constexpr int kOtherItems = static_cast<int>(kConvOtherCaptions.size());
constexpr int kComputerItems = static_cast<int>(kConvCompCaptions.size());

bool IsMach(int index) { return index == kMachFirst || index == kMachSecond; }

std::string Joined(std::string_view first, std::string_view separator, std::string_view second) {
    std::string text;
    text.reserve(first.size() + separator.size() + second.size());
    text.append(first).append(separator).append(second);
    return text;
}

}  // namespace

GroupMenuItem GroupMenuItemOf(int g) {
    if (g >= 0 && g < kConvertItems) {
        return {GroupMenuKind::Convert, g};
    }
    if (g >= kFirstOtherGroup && g < kFirstOtherGroup + kOtherItems) {
        return {GroupMenuKind::Other, g - kFirstOtherGroup};
    }
    if (g == kMetricPrefixGroup) {
        return {GroupMenuKind::Decimal, 0};
    }
    if (IsUserGroup(g)) {
        return {GroupMenuKind::User, g - kFirstUserGroup};
    }
    if (g >= kFirstComputerGroup && g < kFirstComputerGroup + kComputerItems) {
        return {GroupMenuKind::Computer, g - kFirstComputerGroup};
    }
    return {};
}

std::string GroupMenuName(int g) {
    const GroupMenuItem item = GroupMenuItemOf(g);
    const auto at = static_cast<std::size_t>(item.index);
    std::string_view caption;
    switch (item.kind) {
        case GroupMenuKind::Convert:
            caption = kConvCaptions[at];
            break;
        case GroupMenuKind::Other:
            caption = kConvOtherCaptions[at];
            break;
        case GroupMenuKind::Computer:
            caption = kConvCompCaptions[at];
            break;
        case GroupMenuKind::Decimal:
            caption = kConvDecimalCaption;
            break;
        case GroupMenuKind::User:
        case GroupMenuKind::None:
            return {};
    }
    std::string name;
    for (const char c : caption) {
        if (c != '&') {
            name += c;
        }
    }
    return name;
}

int GroupOfMenuItem(GroupMenuKind kind, int index) {
    switch (kind) {
        case GroupMenuKind::Convert:
            return index >= 0 && index < kConvertItems ? index : -1;
        case GroupMenuKind::Other:
            return index >= 0 && index < kOtherItems ? kFirstOtherGroup + index : -1;
        case GroupMenuKind::User:
            return index >= 0 && index < kUserGroups ? kFirstUserGroup + index : -1;
        case GroupMenuKind::Decimal:
            return kMetricPrefixGroup;
        case GroupMenuKind::Computer:
            return index >= 0 && index < kComputerItems ? kFirstComputerGroup + index : -1;
        case GroupMenuKind::None:
            break;
    }
    return -1;
}

int FigureItemOf(int pnFigure) {
    for (int i = 0; i < static_cast<int>(kFigureValues.size()); ++i) {
        if (kFigureValues[static_cast<std::size_t>(i)] == pnFigure) {
            return i;
        }
    }
    return -1;
}

std::string HistoryCaption(int g, int from, int into, std::string_view input, std::string_view fromName,
                           std::string_view result, std::string_view intoName) {
    std::string fromPart = Joined(input, " ", fromName);
    std::string intoPart = Joined(result, " ", intoName);
    if (g == kGroupVelocity) {
        if (from == kSpeedOfLightUnit) {
            fromPart = Joined(input, " time(s) ", fromName);
        } else if (IsMach(from) || from == kWarpUnit) {
            fromPart = Joined(fromName, " ", input);
        }
        if (into == kSpeedOfLightUnit) {
            intoPart = Joined(result, " time(s) ", intoName);
        } else if (IsMach(into)) {
            intoPart = Joined(intoName, " ", result);
        }
    }
    return Joined(fromPart, " = ", intoPart);
}

UserMenuState UserMenu(const std::array<std::string, kUserGroups>& userGroupNames) {
    UserMenuState menu;
    int named = 0;
    for (int i = 0; i < kUserGroups; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::string& name = userGroupNames[slot];
        if (!IsSpacesOnly(name)) {
            ++named;
            menu.visible[slot] = true;
            menu.captions[slot] = name;
        } else {
            menu.visible[slot] = i == 0;
            menu.captions[slot] = UserGroupCaption(i);
        }
    }
    menu.submenuEnabled = named > 0;
    return menu;
}

}  // namespace halden
