// The user units file "HUC_USER.DAT": 220 records of three length-prefixed texts.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"

#include <cstddef>
#include <optional>
#include <string>

namespace halden {

/// The most bytes a reader takes from the file: 220 records of three texts of the largest size.
inline constexpr std::size_t kUserFileMaxBytes =
    static_cast<std::size_t>(kUserGroups) * (1 + kUserUnitsUsed) * 3 * (2 + 0xFFFF);

/// Reads the file's bytes into the four text tables of units. std::nullopt (no file) reads as empty
/// tables without a message; a file cut short inside a record shows the read failure message.
void DatReadBytes(const std::optional<std::string>& bytes, UserUnits& units, MessageSink& sink);
/// Shows the read failure message: for a file that is there but cannot be read, or is cut short.
void DatShowReadFailure(MessageSink& sink);
/// The file's bytes for the four text tables of units; std::nullopt when a text cannot be stored.
std::optional<std::string> DatWriteBytes(const UserUnits& units);

/// Reads MyPath() + "HUC_USER.DAT" into units. No file: empty tables, no message; a file that
/// is there but cannot be read: the read failure message.
void DatRead(UserUnits& units, MessageSink& sink);
/// Writes units to MyPath() + "HUC_USER.DAT" atomically. Returns false on failure
/// (after the critical message).
bool DatWrite(const UserUnits& units, MessageSink& sink);

}  // namespace halden
