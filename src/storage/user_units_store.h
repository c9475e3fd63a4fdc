// The user's units as the program keeps them: the tables in use (and the user groups of the
// catalogue built from them), the file HUC_USER.DAT they come from and go to, how that file looked
// when this run last read or wrote it, and the edits a session left unsaved. Add Units edits a copy
// of the tables and hands it here; whoever shows the user groups listens for changes.
#pragma once

#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"
#include "storage/file_access.h"
#include "storage/file_fingerprint.h"
#include "storage/user_file.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace halden {

class UserUnitsStore {
public:
    /// units: the tables in use; catalogue: its user groups are rebuilt from them on every change.
    UserUnitsStore(UserUnits& units, UnitCatalogue& catalogue);

    const UserUnits& Units() const { return units_; }
    /// The units as the file holds them: as last read, or as the last save wrote them.
    const UserUnits& FileUnits() const { return fileUnits_; }

    /// Reads the file into the tables in use (no file: empty tables; a damaged file: its message),
    /// noting first how it looks, so that a file changed during the read makes a save ask.
    void Read(MessageSink& sink);
    /// Notes how the file looks now, as this run read or wrote it.
    void NoteFileSeen();
    /// Whether something is at the file's path that is not the file as this run last saw it. A file
    /// removed since holds nothing to lose; a path this run never read is left to the save.
    bool ChangedSinceRead() const;

    /// What a save did: whether the file was written, and the texts it left out (too long for it).
    struct SaveResult {
        bool written = false;
        std::vector<UserTextPlace> leftOut;
    };
    /// Puts edited's texts in use, with the blank rows between a group's units closed up (a gap
    /// would hide the units below it from the lists), tells the listeners, and writes the file:
    /// the units whose names it cannot store are left out with their rows, the rest saved. The
    /// other version of a file changed since read is kept as a copy with OldFile::KeepReplaced.
    /// A failed write shows its message on sink; the new units stay in use for the run.
    SaveResult SaveUserUnits(const UserUnits& edited, MessageSink& sink, OldFile otherVersion);
    /// Whether the units in use are not those of the file (the last save failed).
    bool UnitsNotInFile() const { return unitsNotInFile_; }
    /// Puts the file's units back in use after a save that failed, and tells the listeners.
    void DropUnsavedUnits();

    /// The texts of units the file cannot store, one line each ("Group 2, row 3: the unit's name"),
    /// counted from 1; empty when all can be stored. Rows without a name are not listed.
    static std::string UnstorableTexts(const UserUnits& units);

    /// Where the edits of a session that ended unsaved are kept: beside the units file, or where its
    /// folder cannot take them, in the user's state folder (empty without a home).
    static std::string RecoveryFilePath();
    static std::string StateRecoveryFilePath();
    /// The edits kept by an earlier session, when a whole recovery file is there.
    static std::optional<UserUnits> RecoveredEdits();
    /// Removes the recovery files (a folder of that name is left alone).
    static void RemoveRecoveredEdits();
    /// Keeps edited for the next session; when neither place takes them, sink gets one message
    /// (UnkeptEditsMessage) naming the units lost, and the result is false.
    bool KeepEdits(const UserUnits& edited, MessageSink& sink) const;

    /// listener runs after every change of the units in use (and of the catalogue's user groups).
    /// The returned number removes it again.
    int AddListener(std::function<void()> listener);
    void RemoveListener(int id);

private:
    void UnitsChanged();

    UserUnits& units_;
    UnitCatalogue& catalogue_;
    UserUnits fileUnits_{};
    bool unitsNotInFile_ = false;
    std::string seenPath_;
    std::optional<FileFingerprint> seen_;
    std::vector<std::pair<int, std::function<void()>>> listeners_;
    int nextListener_ = 0;
};

/// Copies the four text tables (group names, unit names, factors and offsets) from one set of
/// user units to another.
void CopyUserTexts(const UserUnits& from, UserUnits& to);

}  // namespace halden
