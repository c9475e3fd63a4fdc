// Golden requests for the pure parts of the main window: history entries and the Additional
// Units menu.
#include "catalogue/menu_texts.h"
#include "golden_driver.h"

#include <array>
#include <climits>
#include <string>

namespace golden {
namespace {

json HistoryCaptionRequest(const json& request) {
    const std::string caption = halden::HistoryCaption(
        ReadIndex(request, "g"), ReadIndex(request, "from"), ReadIndex(request, "into"), ReadText(request, "input"),
        ReadText(request, "from_name"), ReadText(request, "result"), ReadText(request, "into_name"));
    return json{{"caption", caption}};
}

json UserMenuRequest(const json& request) {
    const auto names = request.find("UserGroupName");
    if (names == request.end() || !names->is_array() || names->size() != halden::kUserGroups) {
        throw DriverError("UserGroupName must be an array of 20 texts");
    }
    std::array<std::string, halden::kUserGroups> groupNames{};
    for (std::size_t i = 0; i < groupNames.size(); ++i) {
        if (!(*names)[i].is_string()) {
            throw DriverError("UserGroupName holds a value that is not a text");
        }
        groupNames[i] = (*names)[i].get<std::string>();
    }
    const halden::UserMenuState menu = halden::UserMenu(groupNames);
    json captions = json::array();
    json visible = json::array();
    for (std::size_t i = 0; i < groupNames.size(); ++i) {
        captions.push_back(menu.captions[i]);
        visible.push_back(menu.visible[i]);
    }
    return json{{"captions", captions}, {"visible", visible}, {"submenu_enabled", menu.submenuEnabled}};
}

const RequestRegistrar kWindowRequests{{"HistoryCaption", &HistoryCaptionRequest}, {"UserMenu", &UserMenuRequest}};

}  // namespace
}  // namespace golden
