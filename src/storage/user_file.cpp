#include "storage/user_file.h"

#include "numbers/characters.h"
#include "storage/cp932_text.h"
#include "storage/file_access.h"
#include "storage/my_path.h"

#include <array>
#include <string_view>

namespace halden {

namespace {

constexpr int kRecordCount = kUserGroups * (1 + kUserUnitsUsed);
constexpr std::size_t kMaxTextBytes = 0xFFFF;
// The reader never looks beyond the 220th record, whose largest form ends here.
constexpr std::size_t kMaxUserFileBytes = kUserFileMaxBytes;
static_assert(kMaxUserFileBytes == static_cast<std::size_t>(kRecordCount) * 3 * (2 + kMaxTextBytes));

using Record = std::array<std::string, 3>;

/// Walks the records of the file's bytes. A record is three texts, each an unsigned 16-bit
/// little-endian byte count followed by that many bytes.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ == bytes_.size(); }

    /// The next record's raw texts, or std::nullopt when the file ends inside it.
    std::optional<Record> Next() {
        Record record;
        for (std::string& text : record) {
            if (bytes_.size() - pos_ < 2) {
                return std::nullopt;
            }
            const std::size_t count = static_cast<unsigned char>(bytes_[pos_]) |
                                      (static_cast<std::size_t>(static_cast<unsigned char>(bytes_[pos_ + 1])) << 8);
            pos_ += 2;
            if (bytes_.size() - pos_ < count) {
                return std::nullopt;
            }
            text.assign(bytes_.substr(pos_, count));
            pos_ += count;
        }
        return record;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

/// Appends one stored text of at most kMaxTextBytes bytes behind its 16-bit count.
void AppendText(std::string& bytes, const std::string& stored) {
    bytes += static_cast<char>(stored.size() & 0xFF);
    bytes += static_cast<char>((stored.size() >> 8) & 0xFF);
    bytes += stored;
}

/// The bytes to write for text: the bytes it was read from while it still reads as they do (a name
/// reads trimmed), otherwise its encoding.
std::string StoredForm(Cp932Codec& codec, const std::string& text, const std::string& stored, bool trimmed) {
    if (!stored.empty()) {
        const std::string read = codec.Decode(stored);
        if ((trimmed ? std::string(TrimBlanks(read)) : read) == text) {
            return stored;
        }
    }
    return codec.Encode(text);
}

/// Reads the records into units; false when the file ends inside a record (what was read before
/// stays, the rest is empty).
bool ReadRecords(std::string_view bytes, UserUnits& units) {
    Cp932Codec codec;
    RecordReader reader(bytes);
    // A file that ends between two records leaves the remaining records as three empty texts.
    auto read = [&](Record& record) {
        record = Record{};
        if (reader.AtEnd()) {
            return true;
        }
        auto next = reader.Next();
        if (!next) {
            return false;
        }
        record = std::move(*next);
        return true;
    };
    Record record;
    for (int u = 0; u < kUserGroups; ++u) {
        if (!read(record)) {
            return false;
        }
        units.UserGroupName[u] = std::string(TrimBlanks(codec.Decode(record[0])));
        units.StoredGroupName[u] = record[0];
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            if (!read(record)) {
                return false;
            }
            units.UserUnitName[u][j] = std::string(TrimBlanks(codec.Decode(record[0])));
            units.UserFactorText[u][j] = codec.Decode(record[1]);
            units.UserOffsetText[u][j] = codec.Decode(record[2]);
            units.StoredUnitName[u][j] = std::move(record[0]);
            units.StoredFactorText[u][j] = std::move(record[1]);
            units.StoredOffsetText[u][j] = std::move(record[2]);
        }
    }
    return true;
}

/// Whether the file at path is there but cannot be read whole: unreadable, or cut short.
bool UserFileIsDamaged(const std::string& path) {
    const auto bytes = ReadFileBytes(path, kMaxUserFileBytes);
    if (!bytes) {
        return PathIsTaken(path);
    }
    UserUnits scratch;
    return !ReadRecords(*bytes, scratch);
}

void MoveRow(UserUnits& units, int u, int from, int to) {
    units.UserUnitName[u][to] = std::move(units.UserUnitName[u][from]);
    units.UserFactorText[u][to] = std::move(units.UserFactorText[u][from]);
    units.UserOffsetText[u][to] = std::move(units.UserOffsetText[u][from]);
    units.UserFactor[u][to] = units.UserFactor[u][from];
    units.UserOffset[u][to] = units.UserOffset[u][from];
    units.StoredUnitName[u][to] = std::move(units.StoredUnitName[u][from]);
    units.StoredFactorText[u][to] = std::move(units.StoredFactorText[u][from]);
    units.StoredOffsetText[u][to] = std::move(units.StoredOffsetText[u][from]);
}

void ClearRow(UserUnits& units, int u, int row) {
    units.UserUnitName[u][row].clear();
    units.UserFactorText[u][row].clear();
    units.UserOffsetText[u][row].clear();
    units.UserFactor[u][row] = 0.0;
    units.UserOffset[u][row] = 0.0;
    units.StoredUnitName[u][row].clear();
    units.StoredFactorText[u][row].clear();
    units.StoredOffsetText[u][row].clear();
}

}  // namespace

void DatShowReadFailure(MessageSink& sink) {
    sink.Show(Message{std::string(kMessageTitle),
                      "Failed to open file 'HUC_USER.DAT'.\rThe user definition is ignored.",
                      MessageIcon::Exclamation});
}

void DatReadBytes(const std::optional<std::string>& bytes, UserUnits& units, MessageSink& sink) {
    // No file is the normal state until the user first saves units of his own.
    if (bytes && !ReadRecords(*bytes, units)) {
        DatShowReadFailure(sink);
    }
}

bool StorableUserText(std::string_view text) {
    // Each character takes at most as many bytes in code page 932 as in UTF-8, and the UTF-8 form
    // is stored behind three bytes.
    if (text.size() + kUtf8Mark.size() <= kMaxTextBytes) {
        return true;
    }
    Cp932Codec codec;
    return codec.Encode(text).size() <= kMaxTextBytes;
}

UserFileImage DatWriteImage(const UserUnits& units) {
    Cp932Codec codec;
    UserFileImage image;
    // A text too long for its count is written empty and its place reported.
    auto fit = [&](std::string stored, UserTextPlace place) {
        if (stored.size() > kMaxTextBytes) {
            image.left_out.push_back(place);
            stored.clear();
        }
        return stored;
    };
    // A group record carries the texts 2 and 3 of the record written before it.
    std::string factor;
    std::string offset;
    for (int u = 0; u < kUserGroups; ++u) {
        const std::string group =
            fit(StoredForm(codec, units.UserGroupName[u], units.StoredGroupName[u], true), {u, -1});
        AppendText(image.bytes, group);
        AppendText(image.bytes, factor);
        AppendText(image.bytes, offset);
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            const std::string name = fit(StoredForm(codec, units.UserUnitName[u][j], units.StoredUnitName[u][j], true),
                                         {u, j, UserTextField::UnitName});
            factor = fit(StoredForm(codec, units.UserFactorText[u][j], units.StoredFactorText[u][j], false),
                         {u, j, UserTextField::FactorText});
            offset = fit(StoredForm(codec, units.UserOffsetText[u][j], units.StoredOffsetText[u][j], false),
                         {u, j, UserTextField::OffsetText});
            AppendText(image.bytes, name);
            AppendText(image.bytes, factor);
            AppendText(image.bytes, offset);
        }
    }
    return image;
}

std::optional<std::string> DatWriteBytes(const UserUnits& units) {
    UserFileImage image = DatWriteImage(units);
    if (!image.left_out.empty()) {
        return std::nullopt;
    }
    return std::move(image.bytes);
}

void CloseUnitGaps(UserUnits& units) {
    for (int u = 0; u < kUserGroups; ++u) {
        int next = 0;
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            if (IsSpacesOnly(units.UserUnitName[u][j])) {
                continue;
            }
            if (j != next) {
                MoveRow(units, u, j, next);
            }
            ++next;
        }
        for (int j = next; j < kUserUnitsUsed; ++j) {
            ClearRow(units, u, j);
        }
    }
}

UserFileContents ReadUserFileContents() {
    const std::string path = UserFilePath();
    std::optional<std::string> bytes = ReadFileBytes(path, kMaxUserFileBytes);
    if (bytes) {
        return UserFileContents{UserFileContents::State::Read, std::move(*bytes)};
    }
    // No file is the normal state until the user first saves units of his own.
    return UserFileContents{PathIsTaken(path) ? UserFileContents::State::Unreadable : UserFileContents::State::Missing,
                            {}};
}

void DatRead(UserUnits& units, MessageSink& sink) {
    const std::string path = UserFilePath();
    RemoveLeftoverTemporaries(path);
    const UserFileContents file = ReadUserFileContents();
    if (file.state == UserFileContents::State::Missing) {
        return;
    }
    if (file.state == UserFileContents::State::Read && ReadRecords(file.bytes, units)) {
        return;
    }
    std::string text = "Failed to open file 'HUC_USER.DAT'.\rThe user definition is ignored.";
    if (const auto kept = DamagedCopyName(path)) {
        text += "\rThe file will be kept as '" + *kept + "' when the units are next saved.";
    }
    sink.Show(Message{std::string(kMessageTitle), text, MessageIcon::Exclamation});
}

bool DatWrite(const UserUnits& units, MessageSink& sink, std::vector<UserTextPlace>* left_out, OldFile whole_old_file) {
    const std::string path = UserFilePath();
    const UserFileImage image = DatWriteImage(units);
    if (left_out != nullptr) {
        left_out->insert(left_out->end(), image.left_out.begin(), image.left_out.end());
    }
    // A caller that takes no report of the texts left out gets a failed save instead.
    const bool complete = left_out != nullptr || image.left_out.empty();
    const OldFile old_file = UserFileIsDamaged(path) ? OldFile::KeepDamaged : whole_old_file;
    std::string why = "A text is too long to be stored in the file.";
    if (complete && WriteFileAtomically(path, image.bytes, old_file, &why)) {
        return true;
    }
    sink.Show(
        Message{std::string(kMessageTitle), "Failed to save file as 'HUC_USER.DAT'.\r" + why, MessageIcon::Critical});
    return false;
}

std::optional<std::string> UserFileKeptCopyName(OldFile whole_old_file) {
    const std::string path = UserFilePath();
    return KeptCopyName(path, UserFileIsDamaged(path) ? OldFile::KeepDamaged : whole_old_file);
}

namespace {

/// A group as the user knows it: its name, or the menu's caption for a group without one.
std::string GroupLabel(const UserUnits& edited, const UserUnits& saved, int u) {
    for (const UserUnits* units : {&edited, &saved}) {
        const std::string_view name = TrimBlanks(units->UserGroupName[u]);
        if (!name.empty()) {
            return std::string(name);
        }
    }
    return "User " + std::to_string(u + 1);
}

/// The group's entry in the list of lost edits ("Lengths (rod, chain)"); empty when nothing of the
/// group differs.
std::string LostGroupEdits(const UserUnits& edited, const UserUnits& saved, int u) {
    bool changed = edited.UserGroupName[u] != saved.UserGroupName[u];
    std::string units;
    for (int j = 0; j < kUserUnitsUsed; ++j) {
        if (edited.UserUnitName[u][j] == saved.UserUnitName[u][j] &&
            edited.UserFactorText[u][j] == saved.UserFactorText[u][j] &&
            edited.UserOffsetText[u][j] == saved.UserOffsetText[u][j]) {
            continue;
        }
        changed = true;
        std::string_view name = TrimBlanks(edited.UserUnitName[u][j]);
        if (name.empty()) {
            name = TrimBlanks(saved.UserUnitName[u][j]);
        }
        if (!name.empty()) {
            units += (units.empty() ? "" : ", ") + std::string(name);
        }
    }
    if (!changed) {
        return {};
    }
    return GroupLabel(edited, saved, u) + (units.empty() ? std::string() : " (" + units + ")");
}

}  // namespace

Message UnkeptEditsMessage(const UserUnits& edited, const UserUnits& saved, std::string_view file_name,
                           std::string_view why) {
    std::string groups;
    for (int u = 0; u < kUserGroups; ++u) {
        const std::string lost = LostGroupEdits(edited, saved, u);
        if (!lost.empty()) {
            groups += (groups.empty() ? "" : "; ") + lost;
        }
    }
    std::string text = groups.empty() ? std::string("Your unsaved changes to your units could not be kept.")
                                      : "Your unsaved changes to these units could not be kept: " + groups + ".";
    text += "\rFailed to save file as '" + std::string(file_name) + "'.\r" + std::string(why);
    return Message{std::string(kMessageTitle), std::move(text), MessageIcon::Critical};
}

}  // namespace halden
