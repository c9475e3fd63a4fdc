#include "storage/file_fingerprint.h"

#include "storage/file_access.h"

#include <sys/stat.h>

namespace halden {

namespace {

constexpr std::uint64_t kHashStart = 14695981039346656037ULL;
constexpr std::uint64_t kHashPrime = 1099511628211ULL;
// The hash of something at the path that cannot be read: no content hashes to it in practice.
constexpr std::uint64_t kUnreadableHash = ~std::uint64_t{0};

}  // namespace

std::uint64_t ContentHash(std::string_view bytes) {
    std::uint64_t hash = kHashStart;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kHashPrime;
    }
    return hash;
}

FileFingerprint FingerprintOf(const std::string& path, std::size_t max_bytes) {
    FileFingerprint print;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return print;
    }
    print.exists = true;
    print.size = static_cast<std::uint64_t>(info.st_size);
    print.modifiedSeconds = info.st_mtim.tv_sec;
    print.modifiedNanoseconds = info.st_mtim.tv_nsec;
    const auto bytes = ReadFileBytes(path, max_bytes);
    print.contentHash = bytes ? ContentHash(*bytes) : kUnreadableHash;
    return print;
}

}  // namespace halden
