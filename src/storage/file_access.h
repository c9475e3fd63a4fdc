// Reading the program's files whole and replacing them atomically.
//
// A save writes a temporary file beside the target, flushes and syncs it, and renames it over the
// old file, so that a save that fails at any step leaves the old file exactly as it was. A file
// that is a symbolic link is saved into the link's target, beside the target, and the link stays.
// The writer holds a lock on its temporary file until the rename, so that another copy of the
// program removes only temporaries that no live save is writing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halden {

/// Reads at most max_bytes from the start of the file at path. std::nullopt when the file does not
/// exist, is not a regular file, or cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_bytes);

/// Whether anything is at path (a file, a directory, anything the program may fail to read), as
/// against nothing at all.
bool PathIsTaken(const std::string& path);

/// What a save does with the file it replaces.
enum class OldFile {
    Replace,      // the old file is gone after the save
    KeepDamaged,  // the old file stays beside the new one as NAME.damaged (or NAME.damaged.1, .2 …)
    KeepReplaced  // the old file, another program's version, stays as NAME.replaced (.replaced.1, .2 …)
};

/// Replaces the file at path with bytes: creates the directory if it is missing, writes a temporary
/// file in the same directory, syncs it and renames it over path. A symbolic link at path is
/// followed: its target is replaced in the target's directory and the link is kept. Returns false on
/// any failure, and then the temporary file is gone and the old file is untouched. An existing file
/// the user may not write is never replaced. Temporary files that an interrupted earlier save of the
/// same file left behind are removed. The saved file keeps the old file's mode where that lets its
/// owner read and write it; otherwise it gets 0666 less the umask. With OldFile::KeepDamaged the old
/// file (when there is one) is first kept under the name DamagedCopyName gives; when it cannot be
/// kept, nothing is saved and the result is false. With why given, a failure puts there one
/// sentence for the user that says what stood in the way ("The folder '/a/b' is read-only.", or the
/// system's own text for the error, such as "No space left on device.").
bool WriteFileAtomically(const std::string& path, std::string_view bytes, OldFile old_file = OldFile::Replace,
                         std::string* why = nullptr);

/// The bare name a save with old_file (KeepDamaged or KeepReplaced) would keep the file at path
/// under now ("HUC_USER.DAT.damaged", or numbered "HUC_USER.DAT.damaged.1", .2 … when that name is
/// taken); for a link, the name beside its target. std::nullopt when there is no regular file there
/// that a save may replace (none, a directory, a file the user may not write), or for
/// OldFile::Replace.
std::optional<std::string> KeptCopyName(const std::string& path, OldFile old_file);
/// KeptCopyName(path, OldFile::KeepDamaged).
std::optional<std::string> DamagedCopyName(const std::string& path);

/// Whether a regular file is at path (following links), readable or not.
bool IsRegularFile(const std::string& path);

/// Removes the temporary files ("." + the file's name + "." + six letters or digits) that saves of
/// the file at path left beside it when they were killed. A temporary that a live save holds
/// locked is kept.
void RemoveLeftoverTemporaries(const std::string& path);

}  // namespace halden
