// The configuration file "HALDUCNV.CFG": 19 lines of window positions and options.
#pragma once

#include <optional>
#include <string>

#include "shared/message_sink.h"
#include "shared/settings.h"

namespace halden {

/// Reads the file's bytes (std::nullopt: no file) into settings; on any fault every value takes
/// its default and the fallback message goes to sink. pnFocusFlag is left packed.
void CfgReadBytes(const std::optional<std::string>& bytes, Settings& settings, MessageSink& sink);
/// The 19-line file text for settings (pnFocusFlag unpacked, pbShowInSysCol packed in here).
std::string CfgSaveBytes(const Settings& settings);
/// Splits the read Focus value into pnFocusFlag and pbShowInSysCol.
void FocusUnpack(Settings& settings);

/// Reads MyPath() + "HALDUCNV.CFG" into settings().
void CfgRead(MessageSink& sink);
/// Writes settings() to MyPath() + "HALDUCNV.CFG" atomically. Returns false on failure.
bool CfgSave(MessageSink& sink);

}  // namespace halden
