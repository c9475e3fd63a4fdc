#include "reference/about_texts.h"

namespace halden {

const std::array<std::string_view, kNoticeLines> kAboutNotice = {
    "This software is free: you may copy it and pass it",
    "on to others free of charge, as long as the ownership",
    "line and the warranty notice are kept intact and",
    "none of the files of the application is modified in any way.",
    "Please see the help file for the details.",
};

std::string BuildScrollText() {
    const std::string blanks(kScrollBlanks, ' ');
    std::string text;
    text.reserve(2 * (blanks.size() + kAboutRightsReserved.size()));
    for (int i = 0; i < 2; ++i) {
        text += blanks;
        text += kAboutRightsReserved;
    }
    return text;
}

std::string_view ScrollView(std::string_view text, std::int16_t p) {
    if (p <= 0) {
        return text;
    }
    const auto skip = static_cast<std::size_t>(p);
    return skip >= text.size() ? std::string_view{} : text.substr(skip);
}

std::int16_t NextScrollPosition(std::int16_t p, std::size_t length) {
    const long long next = p + 1;
    return next > static_cast<long long>(length) ? std::int16_t{0} : static_cast<std::int16_t>(next);
}

bool IconShowsTilted(std::int16_t tick) { return tick >= kFirstTiltedTick; }

std::int16_t NextIconTick(std::int16_t tick) {
    const int next = tick + 1;
    return next >= kIconTicks ? std::int16_t{0} : static_cast<std::int16_t>(next);
}

}  // namespace halden
