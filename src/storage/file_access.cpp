#include "storage/file_access.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace halden {

namespace {

std::optional<WriteFault>& InjectedFault() {
    static std::optional<WriteFault> fault;
    return fault;
}

bool Injected(WriteFault::Step step) { return InjectedFault() && InjectedFault()->step == step; }

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
    std::size_t limit = bytes.size();
    const bool cut = Injected(WriteFault::Step::Write);
    if (cut && InjectedFault()->bytes_before_failure < limit) {
        limit = InjectedFault()->bytes_before_failure;
    }
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return !cut;
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

/// Removes the temporary files that saves of name left in dir when the program was killed mid-save.
void RemoveLeftoverTemporaries(const std::string& dir, const std::string& name) {
    DIR* listing = ::opendir(dir.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryOf(entry->d_name, name)) {
            continue;
        }
        const std::string leftover = dir + (dir.back() == '/' ? "" : "/") + entry->d_name;
        struct stat info {};
        if (::lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::unlink(leftover.c_str());
        }
    }
    ::closedir(listing);
}

}  // namespace

void SetWriteFaultForTesting(std::optional<WriteFault> fault) { InjectedFault() = fault; }

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

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!MakeDirectories(dir) || !MayReplace(path) || Injected(WriteFault::Step::CreateTemporary)) {
        return false;
    }
    RemoveLeftoverTemporaries(dir, name);
    std::string temporary = (slash == std::string::npos ? std::string() : dir) + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const bool written = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && !Injected(WriteFault::Step::Sync) &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || Injected(WriteFault::Step::Rename) || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk only when the directory is synced; a failure here
    // leaves a complete file either way, so it is not reported.
    const int dir_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir_fd >= 0) {
        ::fsync(dir_fd);
        ::close(dir_fd);
    }
    return true;
}

}  // namespace halden
