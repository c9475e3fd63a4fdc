// The about window's fixed texts and the two small animations it runs while it is open.
//
// The rights line scrolls through a one-line box: the scroll text is blanks, the rights-reserved
// sentence, blanks and the sentence again, shown without its first p characters, p advancing by
// one per tick and starting again after the last character. The icon shows the level balance for
// most of a 20-tick cycle and the tilted balance for its last three ticks.
#pragma once

#include "program_version.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace halden {

inline constexpr std::string_view kAboutAppName = "Halden Unit Converter (32bit)";
inline constexpr std::string_view kAboutVersion = "Version " HALDEN_VERSION;
inline constexpr std::string_view kAboutMaker = "Halden Design";
inline constexpr std::string_view kAboutOwnership = "Copyright (C) 1996-2003 Halden Design";
/// The rights-reserved sentence of the ownership notice: 20 characters.
inline constexpr std::string_view kAboutRightsReserved = "All rights reserved.";

inline constexpr int kNoticeLines = 5;
/// The notice on copying, one line per label; line 3 is the longest, the frame is sized by it.
extern const std::array<std::string_view, kNoticeLines> kAboutNotice;

inline constexpr int kScrollBlanks = 33;

/// Blanks, the rights sentence, blanks, the rights sentence: 106 characters.
std::string BuildScrollText();

/// What the rights box shows at scroll position p: the text without its first p characters
/// (all of it for p <= 0, nothing for p at or beyond the text's length).
std::string_view ScrollView(std::string_view text, std::int16_t p);

/// The scroll position after a tick: p + 1, or 0 when that exceeds length.
std::int16_t NextScrollPosition(std::int16_t p, std::size_t length);

inline constexpr std::int16_t kIconTicks = 20;
inline constexpr std::int16_t kFirstTiltedTick = 17;

/// True when the icon tick (0..19) shows the tilted balance rather than the level one.
bool IconShowsTilted(std::int16_t tick);

/// The icon tick after a tick: tick + 1, or 0 when that exceeds 19.
std::int16_t NextIconTick(std::int16_t tick);

}  // namespace halden
