#include "storage/user_file.h"

#include "numbers/characters.h"
#include "storage/cp932_text.h"
#include "storage/file_access.h"
#include "storage/my_path.h"

#include <array>
#include <cstdint>
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

/// Appends one stored text; false when it is too long for its 16-bit count.
bool AppendText(std::string& bytes, const std::string& stored) {
    if (stored.size() > kMaxTextBytes) {
        return false;
    }
    bytes += static_cast<char>(stored.size() & 0xFF);
    bytes += static_cast<char>((stored.size() >> 8) & 0xFF);
    bytes += stored;
    return true;
}

}  // namespace

void DatShowReadFailure(MessageSink& sink) {
    sink.Show(Message{std::string(kMessageTitle),
                      "Failed to open file 'HUC_USER.DAT'.\rThe user definition is ignored.",
                      MessageIcon::Exclamation});
}

void DatReadBytes(const std::optional<std::string>& bytes, UserUnits& units, MessageSink& sink) {
    // No file is the normal state until the user first saves units of his own.
    if (!bytes) {
        return;
    }
    Cp932Codec codec;
    RecordReader reader(*bytes);
    // Returns false when the file ends inside a record. A file that ends between two records
    // leaves the remaining records as three empty texts.
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
            DatShowReadFailure(sink);
            return;
        }
        units.UserGroupName[u] = std::string(TrimBlanks(codec.Decode(record[0])));
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            if (!read(record)) {
                DatShowReadFailure(sink);
                return;
            }
            units.UserUnitName[u][j] = std::string(TrimBlanks(codec.Decode(record[0])));
            units.UserFactorText[u][j] = codec.Decode(record[1]);
            units.UserOffsetText[u][j] = codec.Decode(record[2]);
        }
    }
}

std::optional<std::string> DatWriteBytes(const UserUnits& units) {
    Cp932Codec codec;
    std::string bytes;
    // A group record carries the texts 2 and 3 of the record written before it.
    std::string factor;
    std::string offset;
    auto write = [&](const std::string& name) {
        return AppendText(bytes, codec.Encode(name)) && AppendText(bytes, factor) && AppendText(bytes, offset);
    };
    for (int u = 0; u < kUserGroups; ++u) {
        if (!write(units.UserGroupName[u])) {
            return std::nullopt;
        }
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            factor = codec.Encode(units.UserFactorText[u][j]);
            offset = codec.Encode(units.UserOffsetText[u][j]);
            if (!write(units.UserUnitName[u][j])) {
                return std::nullopt;
            }
        }
    }
    return bytes;
}

void DatRead(UserUnits& units, MessageSink& sink) {
    const std::string path = MyPath() + "HUC_USER.DAT";
    const auto bytes = ReadFileBytes(path, kMaxUserFileBytes);
    if (!bytes && PathIsTaken(path)) {
        DatShowReadFailure(sink);
        return;
    }
    DatReadBytes(bytes, units, sink);
}

bool DatWrite(const UserUnits& units, MessageSink& sink) {
    const auto bytes = DatWriteBytes(units);
    if (bytes && WriteFileAtomically(MyPath() + "HUC_USER.DAT", *bytes)) {
        return true;
    }
    sink.Show(Message{std::string(kMessageTitle), "Failed to save file as 'HUC_USER.DAT'.", MessageIcon::Critical});
    return false;
}

}  // namespace halden
