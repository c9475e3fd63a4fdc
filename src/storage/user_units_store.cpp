#include "storage/user_units_store.h"

#include "catalogue/unit_catalogue_build.h"
#include "numbers/characters.h"
#include "storage/my_path.h"

#include <cstdio>
#include <unistd.h>
#include <utility>

namespace halden {
namespace {

// The tables as the file gets them: a unit whose name the file cannot store is left out with its
// row, and the units below it move up, so that none of them falls out of the lists at the next
// start.
UserUnits FileForm(const UserUnits& units) {
    UserUnits form = units;
    for (auto& names : form.UserUnitName) {
        for (std::string& name : names) {
            if (!StorableUserText(name)) {
                name.clear();
            }
        }
    }
    CloseUnitGaps(form);
    return form;
}

std::vector<std::string> RecoveryFilePaths() {
    std::vector<std::string> paths{UserUnitsStore::RecoveryFilePath()};
    if (std::string other = UserUnitsStore::StateRecoveryFilePath(); !other.empty()) {
        paths.push_back(std::move(other));
    }
    return paths;
}

}  // namespace

void CopyUserTexts(const UserUnits& from, UserUnits& to) {
    to.UserGroupName = from.UserGroupName;
    to.UserUnitName = from.UserUnitName;
    to.UserFactorText = from.UserFactorText;
    to.UserOffsetText = from.UserOffsetText;
}

UserUnitsStore::UserUnitsStore(UserUnits& units, UnitCatalogue& catalogue)
    : units_(units), catalogue_(catalogue), fileUnits_(units) {}

void UserUnitsStore::Read(MessageSink& sink) {
    NoteFileSeen();
    DatRead(units_, sink);
    fileUnits_ = units_;
    unitsNotInFile_ = false;
}

void UserUnitsStore::NoteFileSeen() {
    seenPath_ = UserFilePath();
    seen_ = FingerprintOf(seenPath_, kUserFileMaxBytes);
}

bool UserUnitsStore::ChangedSinceRead() const {
    const std::string path = UserFilePath();
    if (!seen_ || seenPath_ != path) {
        return false;
    }
    const FileFingerprint now = FingerprintOf(path, kUserFileMaxBytes);
    return now.exists && now != *seen_;
}

UserUnitsStore::SaveResult UserUnitsStore::SaveUserUnits(const UserUnits& edited, MessageSink& sink,
                                                         OldFile otherVersion) {
    CopyUserTexts(edited, units_);
    CloseUnitGaps(units_);
    UnitsChanged();
    SaveResult result;
    if (!DatWrite(FileForm(units_), sink, &result.leftOut, otherVersion)) {
        unitsNotInFile_ = true;
        return result;
    }
    result.written = true;
    unitsNotInFile_ = false;
    fileUnits_ = units_;
    NoteFileSeen();
    RemoveRecoveredEdits();
    return result;
}

void UserUnitsStore::DropUnsavedUnits() {
    if (!unitsNotInFile_) {
        return;
    }
    units_ = fileUnits_;
    unitsNotInFile_ = false;
    UnitsChanged();
}

std::string UserUnitsStore::UnstorableTexts(const UserUnits& units) {
    std::string lines;
    const auto add = [&lines](int group, int row, const char* what) {
        lines.append("\rGroup ").append(std::to_string(group + 1));
        if (row >= 0) {
            lines.append(", row ").append(std::to_string(row + 1));
        }
        lines.append(": ").append(what);
    };
    for (int u = 0; u < kUserGroups; ++u) {
        if (!StorableUserText(units.UserGroupName[u])) {
            add(u, -1, "the group's name");
        }
        for (int j = 0; j < kUserUnitsUsed; ++j) {
            if (IsSpacesOnly(units.UserUnitName[u][j])) {
                continue;
            }
            if (!StorableUserText(units.UserUnitName[u][j])) {
                add(u, j, "the unit's name");
            }
            if (!StorableUserText(units.UserFactorText[u][j]) || !StorableUserText(units.UserOffsetText[u][j])) {
                add(u, j, "the conversion factor");
            }
        }
    }
    return lines.empty() ? lines : lines.substr(1);
}

std::string UserUnitsStore::RecoveryFilePath() { return UserFilePath() + ".unsaved"; }

// A folder the user may not write keeps its recovery file in the user's state folder instead,
// named for the units file's path so that two portable folders never share one.
std::string UserUnitsStore::StateRecoveryFilePath() {
    const std::string folder = StatePath();
    if (folder.empty()) {
        return {};
    }
    char name[40];
    std::snprintf(name, sizeof name, "HUC_USER.DAT.unsaved.%016llx",
                  static_cast<unsigned long long>(ContentHash(UserFilePath())));
    return folder + name;
}

// A recovery file cut short is not offered, and is left for the user to look at.
std::optional<UserUnits> UserUnitsStore::RecoveredEdits() {
    std::optional<std::string> bytes;
    for (const std::string& path : RecoveryFilePaths()) {
        if (bytes = ReadFileBytes(path, kUserFileMaxBytes); bytes) {
            break;
        }
    }
    if (!bytes) {
        return std::nullopt;
    }
    UserUnits recovered{};
    RecordingSink problems;
    DatReadBytes(bytes, recovered, problems);
    if (!problems.messages.empty()) {
        return std::nullopt;
    }
    return recovered;
}

void UserUnitsStore::RemoveRecoveredEdits() {
    // Only files: a folder of that name is the user's, not a recovery file.
    for (const std::string& path : RecoveryFilePaths()) {
        ::unlink(path.c_str());
    }
}

bool UserUnitsStore::KeepEdits(const UserUnits& edited, MessageSink& sink) const {
    // Texts too long for the file are left out, as a save leaves them out. Beside the units file
    // first; where its folder refuses, in the user's state folder.
    const std::string image = DatWriteImage(edited).bytes;
    std::string why;
    if (WriteFileAtomically(RecoveryFilePath(), image, OldFile::Replace, &why)) {
        return true;
    }
    if (const std::string other = StateRecoveryFilePath();
        !other.empty() && WriteFileAtomically(other, image, OldFile::Replace)) {
        return true;
    }
    sink.Show(UnkeptEditsMessage(edited, fileUnits_, "HUC_USER.DAT.unsaved", why));
    return false;
}

int UserUnitsStore::AddListener(std::function<void()> listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void UserUnitsStore::RemoveListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void UserUnitsStore::UnitsChanged() {
    TransferUserGroups(catalogue_, units_);
    // A listener may remove itself or another while it runs.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) {
        listener();
    }
}

}  // namespace halden
