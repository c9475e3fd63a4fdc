#include "storage/my_path.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace halden {

namespace {

constexpr const char* kConfigFileName = "HALDUCNV.CFG";
constexpr const char* kUserFileName = "HUC_USER.DAT";

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string WithSlash(std::string_view dir) {
    std::string path(dir);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return {};
}

}  // namespace

std::string ExecutableDirectory() {
    std::string target(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
        return {};
    }
    target.resize(static_cast<std::size_t>(n));
    const auto slash = target.find_last_of('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
}

std::string MyPathFor(std::string_view executable_dir) {
    if (!executable_dir.empty()) {
        std::string dir = WithSlash(executable_dir);
        // A portable install keeps its files beside the program.
        if (IsFile(dir + kConfigFileName) || IsFile(dir + kUserFileName)) {
            return dir;
        }
    }
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored as the base directory
    // rules ask, so the files never move with the current directory.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
        return WithSlash(config) + "halducnv/";
    }
    const std::string home = HomeDirectory();
    if (home.empty()) {
        return "./halducnv/";
    }
    return WithSlash(home) + ".config/halducnv/";
}

std::string MyPath() { return MyPathFor(ExecutableDirectory()); }

std::string ConfigFilePath() { return MyPath() + kConfigFileName; }

std::string UserFilePath() { return MyPath() + kUserFileName; }

std::string StatePath() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        return WithSlash(state) + "halducnv/";
    }
    const std::string home = HomeDirectory();
    return home.empty() ? std::string() : WithSlash(home) + ".local/state/halducnv/";
}

}  // namespace halden
