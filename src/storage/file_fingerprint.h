// What a file on disk looked like when the program last read or wrote it, so that a later save
// can tell whether another program changed it in between.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace halden {

/// A 64-bit hash of bytes (FNV-1a): enough to tell one version of a small file from another, or to
/// give a path a short name of its own.
std::uint64_t ContentHash(std::string_view bytes);

/// A file's size, modification time and a hash of its content; a missing file has its own
/// fingerprint (exists false), so a file another program created is a change too.
struct FileFingerprint {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t contentHash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

/// The fingerprint of the file at path now, hashing at most max_bytes of its content. Anything at
/// path that is not a readable regular file gives a fingerprint that differs from a missing file's
/// and from any readable file's.
FileFingerprint FingerprintOf(const std::string& path, std::size_t max_bytes);

}  // namespace halden
