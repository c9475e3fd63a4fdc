// The configuration file "HALDUCNV.CFG": 19 lines of window positions and options.
//
// Each value is found by its line number and a fixed character column, never by its key; a file
// that cannot be read whole, or is not a configuration at all, puts every value back to its
// default. Saves replace the file
// atomically.
#pragma once

#include "numbers/message_sink.h"
#include "shared/settings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace halden {

/// Reads the file's bytes (std::nullopt: no file) into settings; on any fault every value takes
/// its default and the fallback message goes to sink. Bytes that are not a configuration at all
/// are a fault: more than 64 KiB, control characters in the 19 lines read, or no line of them that
/// begins with one of the file's keys or section lines. pnFocusFlag is left packed.
void CfgReadBytes(const std::optional<std::string>& bytes, Settings& settings, MessageSink& sink);
/// The 19-line file text for settings (pnFocusFlag unpacked, pbShowInSysCol packed in here).
std::string CfgSaveBytes(const Settings& settings);
/// Splits the read Focus value into pnFocusFlag and pbShowInSysCol.
void FocusUnpack(Settings& settings);
/// Packs pbShowInSysCol into pnFocusFlag as +2, the form the file keeps.
void FocusPack(Settings& settings);

/// Reads ConfigFilePath() into settings, after removing the temporaries that killed saves
/// of it left. A damaged file (not a missing or empty one) gets a fallback message with a line that
/// says under which name the next save keeps it.
void CfgRead(Settings& settings, MessageSink& sink);
/// Reads ConfigFilePath() into settings and nothing else: no file is touched and no
/// message given, a fault leaving the defaults. For a program that only needs the options.
void CfgReadQuietly(Settings& settings);
/// Writes settings to ConfigFilePath() atomically, after packing pbShowInSysCol into
/// settings.pnFocusFlag. An old file that is there but cannot be read as a configuration is kept
/// beside the new one as HALDUCNV.CFG.damaged (.1, .2 … when taken). Returns false on failure
/// (after the critical message).
bool CfgSave(Settings& settings, MessageSink& sink);

}  // namespace halden
