// Reading the program's files whole and replacing them atomically.
//
// A save writes a temporary file beside the target, flushes and syncs it, and renames it over the
// old file, so that a save that fails at any step leaves the old file exactly as it was.
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

/// Replaces the file at path with bytes: creates the directory if it is missing, writes a temporary
/// file in the same directory, syncs it and renames it over path. Returns false on any failure, and
/// then the temporary file is gone and the old file is untouched. An existing file the user may not
/// write is never replaced. Temporary files that an interrupted earlier save of the same file left
/// behind are removed. The saved file keeps the old file's mode where that lets its owner read and
/// write it; otherwise it gets 0666 less the umask.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

/// Test seam: makes the next saves fail at a chosen step, as a full disk or an unwritable directory
/// would. Stays in force until cleared with std::nullopt.
struct WriteFault {
    enum class Step { CreateTemporary, Write, Sync, Rename };
    Step step = Step::Write;
    std::size_t bytes_before_failure = 0;  // Step::Write: bytes that reach the temporary file first
};
void SetWriteFaultForTesting(std::optional<WriteFault> fault);

}  // namespace halden
