#include "storage/file_access.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace halden {

namespace {

/// Creates every missing directory of dir, new ones readable by the user only.
bool MakeDirectories(const std::string& dir) {
    if (dir.empty()) {
        return true;
    }
    struct stat info {};
    if (::stat(dir.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode);
    }
    const auto slash = dir.find_last_of('/', dir.size() > 1 ? dir.size() - 2 : 0);
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(dir.substr(0, slash))) {
        return false;
    }
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

/// The permissions the saved file gets: the old file's where its owner may read and write it, else
/// the usual 0666 less the umask (a new file, or an old one whose mode would lock its owner out).
mode_t ModeFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IRUSR | S_IWUSR)) == (S_IRUSR | S_IWUSR)) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

/// An existing file the user may not write is not replaced: the rename would go around its mode.
bool MayReplace(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

/// Whether entry is a temporary file of a save of name: "." + name + "." + six letters or digits.
bool IsTemporaryOf(std::string_view entry, std::string_view name) {
    constexpr std::size_t kSuffix = 6;
    if (entry.size() != name.size() + 2 + kSuffix || entry.front() != '.' || entry.substr(1, name.size()) != name ||
        entry[name.size() + 1] != '.') {
        return false;
    }
    return std::all_of(entry.end() - kSuffix, entry.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

/// The directory part of path with its trailing "/", or "./" for a bare name.
std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

/// The file a save of path replaces: path itself, or the end of its chain of symbolic links (which
/// need not exist yet). std::nullopt for a chain that loops or cannot be read.
std::optional<std::string> SaveTarget(const std::string& path) {
    constexpr int kMostLinks = 40;
    std::string target = path;
    for (int hops = 0; hops < kMostLinks; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return target;
        }
        std::string next(4096, '\0');
        const ssize_t n = ::readlink(target.c_str(), next.data(), next.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= next.size()) {
            return std::nullopt;
        }
        next.resize(static_cast<std::size_t>(n));
        if (next.front() == '/') {
            target = std::move(next);
        } else {
            target = DirectoryOf(target).append(next);
        }
    }
    return std::nullopt;
}

/// Removes one leftover temporary unless a live save holds it locked. The lock taken here also
/// keeps a save that has just created the file from writing into it after the removal (see
/// CreateLockedTemporary).
void RemoveIfAbandoned(const std::string& leftover) {
    const int fd = ::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat held {};
    struct stat now {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(leftover.c_str(), &now) == 0 && now.st_ino == held.st_ino && now.st_dev == held.st_dev) {
        ::unlink(leftover.c_str());
    }
    ::close(fd);
}

void RemoveLeftoversOf(const std::string& target) {
    const std::string dir = DirectoryOf(target);
    const std::string name = NameOf(target);
    DIR* listing = ::opendir(dir.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (IsTemporaryOf(entry->d_name, name)) {
            RemoveIfAbandoned(dir + entry->d_name);
        }
    }
    ::closedir(listing);
}

/// Creates a temporary file for a save of target and locks it for the save's lifetime (the lock
/// goes with the descriptor). Another copy's clean-up may lock and remove the file between its
/// creation and the lock; such a file is left to that clean-up and another one made, without
/// waiting for it.
int CreateLockedTemporary(const std::string& target, std::string& temporary) {
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporary = DirectoryOf(target) + "." + NameOf(target) + ".XXXXXX";
        const int fd = ::mkstemp(temporary.data());
        if (fd < 0) {
            return -1;
        }
        struct stat held {};
        struct stat now {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && held.st_nlink > 0 &&
            ::lstat(temporary.c_str(), &now) == 0 && now.st_ino == held.st_ino && now.st_dev == held.st_dev) {
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

/// The name of the n-th kept copy of a file: NAME.damaged, then NAME.damaged.1, .2 … (or
/// NAME.replaced …).
std::string KeptName(const std::string& target, OldFile old_file, int n) {
    const char* kind = old_file == OldFile::KeepReplaced ? ".replaced" : ".damaged";
    return target + kind + (n == 0 ? std::string() : "." + std::to_string(n));
}

constexpr int kMostKeptCopies = 1000;

/// A folder as the user is told of it: without "." and ".." steps or a trailing "/".
std::string FolderName(const std::string& dir) {
    std::string name = std::filesystem::path(dir).lexically_normal().string();
    if (name.size() > 1 && name.back() == '/') {
        name.pop_back();
    }
    return name;
}

/// The system's text for an error, as a sentence.
std::string SystemText(int error) { return std::generic_category().message(error) + "."; }

/// Why a file could not be made in dir, for the error the system gave.
std::string CannotCreateIn(const std::string& dir, int error) {
    if (error == EACCES || error == EPERM) {
        return "The folder '" + FolderName(dir) + "' is read-only.";
    }
    if (error == EROFS) {
        return "The folder '" + FolderName(dir) + "' is on a read-only file system.";
    }
    return SystemText(error);
}

/// Why the file at target may not be replaced.
std::string CannotReplace(const std::string& target, int error) {
    if (error == EACCES || error == EPERM) {
        return "The file '" + NameOf(target) + "' is read-only.";
    }
    return CannotCreateIn(DirectoryOf(target), error);
}

void Say(std::string* why, std::string text) {
    if (why != nullptr) {
        *why = std::move(text);
    }
}

/// Writes a new file copy (failing when the name is taken) with the bytes of target; for a file
/// system without hard links. -1: the name is taken; 0: failed; 1: done.
int CopyToNewFile(const std::string& target, const std::string& copy) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        return 0;
    }
    const auto bytes = ReadFileBytes(target, static_cast<std::size_t>(info.st_size));
    if (!bytes) {
        return 0;
    }
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (fd < 0) {
        return errno == EEXIST ? -1 : 0;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes->size()) {
        const ssize_t n = ::write(fd, bytes->data() + done, bytes->size() - done);
        ok = n >= 0 || errno == EINTR;
        done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(copy.c_str());
    }
    return ok ? 1 : 0;
}

/// Keeps the file at target (when there is a regular file) under the first free name of its kind:
/// a second link to it, so that the rename of the save leaves it in place, or else a copy.
bool KeepOldFile(const std::string& target, OldFile old_file) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return true;  // nothing there that holds anything of the user's
    }
    for (int n = 0; n < kMostKeptCopies; ++n) {
        const std::string copy = KeptName(target, old_file, n);
        if (::link(target.c_str(), copy.c_str()) == 0) {
            return true;
        }
        if (errno == EEXIST) {
            continue;
        }
        const int copied = CopyToNewFile(target, copy);
        if (copied >= 0) {
            return copied == 1;
        }
    }
    return false;
}

}  // namespace

bool PathIsTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_bytes) {
    // Not blocking on open: a named pipe in the file's place would otherwise wait for a writer
    // forever. Only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < max_bytes) {
        const std::size_t want = std::min(sizeof buffer, max_bytes - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> KeptCopyName(const std::string& path, OldFile old_file) {
    const auto target = SaveTarget(path);
    if (old_file == OldFile::Replace || !target || !IsRegularFile(*target) || !MayReplace(*target)) {
        return std::nullopt;
    }
    for (int n = 0; n < kMostKeptCopies; ++n) {
        const std::string copy = KeptName(*target, old_file, n);
        if (!PathIsTaken(copy)) {
            return NameOf(copy);
        }
    }
    return std::nullopt;
}

std::optional<std::string> DamagedCopyName(const std::string& path) { return KeptCopyName(path, OldFile::KeepDamaged); }

void RemoveLeftoverTemporaries(const std::string& path) {
    if (const auto target = SaveTarget(path)) {
        RemoveLeftoversOf(*target);
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, OldFile old_file, std::string* why) {
    if (!MakeDirectories(DirectoryOf(path))) {
        const int error = errno;
        Say(why, "The folder '" + FolderName(DirectoryOf(path)) + "' cannot be made: " + SystemText(error));
        return false;
    }
    const auto target = SaveTarget(path);
    if (!target) {
        Say(why, "'" + NameOf(path) + "' is a symbolic link that loops or cannot be followed.");
        return false;
    }
    struct stat there {};
    if (::stat(target->c_str(), &there) == 0 && S_ISDIR(there.st_mode)) {
        Say(why, "'" + NameOf(*target) + "' is a folder, not a file.");
        return false;
    }
    if (!MayReplace(*target)) {
        Say(why, CannotReplace(*target, errno));
        return false;
    }
    RemoveLeftoversOf(*target);
    std::string temporary;
    const int fd = CreateLockedTemporary(*target, temporary);
    if (fd < 0) {
        Say(why, CannotCreateIn(DirectoryOf(*target), errno));
        return false;
    }
    const bool written = ::fchmod(fd, ModeFor(*target)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int write_error = errno;
    // The old file is kept only once the new one is complete, so that a failed save leaves no copy.
    const bool kept = written && (old_file == OldFile::Replace || KeepOldFile(*target, old_file));
    // The lock is held until the rename is done: only then may another copy's clean-up see the name.
    const bool renamed = kept && ::rename(temporary.c_str(), target->c_str()) == 0;
    const int rename_error = errno;
    if (!renamed) {
        ::unlink(temporary.c_str());
    }
    // After the sync a close has nothing left to report.
    ::close(fd);
    if (!written) {
        Say(why, SystemText(write_error));
        return false;
    }
    if (!kept) {
        Say(why, "The old file could not be kept beside the new one, so nothing was saved.");
        return false;
    }
    if (!renamed) {
        Say(why, SystemText(rename_error));
        return false;
    }
    // The rename itself reaches the disk only when the directory is synced; a failure here
    // leaves a complete file either way, so it is not reported.
    const int dir_fd = ::open(DirectoryOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir_fd >= 0) {
        ::fsync(dir_fd);
        ::close(dir_fd);
    }
    return true;
}

}  // namespace halden
