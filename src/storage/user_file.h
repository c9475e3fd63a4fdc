// The user units file "HUC_USER.DAT": 220 records of three length-prefixed texts.
//
// A text read from the file is kept beside its decoded form as the bytes it had, and a save writes
// a text whose decoded form nobody changed back as those bytes, whatever they are; only changed
// texts are encoded anew. A file that could not be read whole is kept as HUC_USER.DAT.damaged by the
// save that replaces it.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"
#include "storage/file_access.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halden {

/// The most bytes a reader takes from the file: 220 records of three texts of the largest size.
inline constexpr std::size_t kUserFileMaxBytes =
    static_cast<std::size_t>(kUserGroups) * (1 + kUserUnitsUsed) * 3 * (2 + 0xFFFF);

/// Reads the file's bytes into the four text tables of units (and the bytes of each text into the
/// stored tables). std::nullopt (no file) reads as empty tables without a message; a file cut short
/// inside a record shows the read failure message.
void DatReadBytes(const std::optional<std::string>& bytes, UserUnits& units, MessageSink& sink);
/// Shows the read failure message: for a file that is there but cannot be read, or is cut short.
void DatShowReadFailure(MessageSink& sink);
/// The file's bytes for the four text tables of units; std::nullopt when a text cannot be stored.
std::optional<std::string> DatWriteBytes(const UserUnits& units);

/// Whether a text typed by the user can be stored in the file: its bytes in the file's encoding
/// (code page 932, or the UTF-8 form behind EF BB BF) fit the 16-bit count, at most 65,535 bytes.
bool StorableUserText(std::string_view text);

/// Which text of the user tables: a group's name, or a unit's name, factor or offset text.
enum class UserTextField { GroupName, UnitName, FactorText, OffsetText };
struct UserTextPlace {
    int group = 0;  // 0 to 19
    int row = -1;   // 0 to 9; -1 for the group's name
    UserTextField field = UserTextField::GroupName;
    friend bool operator==(const UserTextPlace&, const UserTextPlace&) = default;
};

/// The file's bytes for units, with every text that cannot be stored written as an empty text and
/// its place listed in left_out (in file order), so that the rest is saved.
struct UserFileImage {
    std::string bytes;
    std::vector<UserTextPlace> left_out;
};
UserFileImage DatWriteImage(const UserUnits& units);

/// Closes the gaps in each group's unit rows: a row whose name is blank is dropped and the rows
/// below move up with their factor and offset texts (and their stored bytes); the freed rows at the
/// end are empty. Group names stay where they are.
void CloseUnitGaps(UserUnits& units);

/// The user units file as it stands: none (the normal state until the user first saves units of
/// his own), its bytes, or a file that is there but cannot be read.
struct UserFileContents {
    enum class State { Missing, Unreadable, Read };
    State state = State::Missing;
    std::string bytes;  // the file's bytes when State::Read
};

/// Reads UserFilePath() without writing anything.
UserFileContents ReadUserFileContents();

/// Reads UserFilePath() into units and removes the temporaries that killed saves of it
/// left. No file: empty tables, no message; a file that is there but cannot be read whole: the read
/// failure message, with a line that says under which name the next save keeps the old file.
void DatRead(UserUnits& units, MessageSink& sink);
/// Writes units to UserFilePath() atomically. With left_out given, a text that cannot
/// be stored is left out (written empty), its place added to left_out, and the rest is saved;
/// without it, such a text fails the save and the old file stays. An old file that cannot be read
/// whole is kept beside the new one as HUC_USER.DAT.damaged (.1, .2 … when taken); one read whole
/// is replaced, or kept as HUC_USER.DAT.replaced (.1, .2 …) with OldFile::KeepReplaced. Returns
/// false on failure, after the critical message, whose second line says why.
bool DatWrite(const UserUnits& units, MessageSink& sink, std::vector<UserTextPlace>* left_out = nullptr,
              OldFile whole_old_file = OldFile::Replace);

/// The bare name under which DatWrite with whole_old_file would keep the file that is there now
/// (a damaged file always as a damaged copy); std::nullopt when it would keep none.
std::optional<std::string> UserFileKeptCopyName(OldFile whole_old_file);

/// The message of a program that ends while the edits of units that it could not save cannot be
/// kept for the next session either (file_name could not be written, for the reason why): it names
/// each group whose texts differ between edited and saved, with the units changed in it. Its lines
/// are joined by "\r" as every message's are; joined by blanks instead they read as one line.
Message UnkeptEditsMessage(const UserUnits& edited, const UserUnits& saved, std::string_view file_name,
                           std::string_view why);

}  // namespace halden
