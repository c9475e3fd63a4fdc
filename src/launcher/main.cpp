// The program's entry: answers the command line itself, without loading any window library, and
// otherwise loads the window program (a module beside the program) and runs it; for
// `--search-provider` it loads the desktop search provider (another module) instead.
//
// Keeping the windows in a module of their own is what lets `halducnv --convert` start and end in
// a few milliseconds: the toolkit's libraries are only loaded when a window is wanted.
#include "cli/command_line.h"
#include "storage/my_path.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

using ModuleMain = int (*)(int, char**);

constexpr const char* kModule = "halducnv-window.so";
constexpr const char* kSearchModule = "halducnv-search.so";

// A module where an installation or the build puts it (lib/halducnv beside bin), beside the
// program, or on the program's run path (a copy of the built program elsewhere).
void* LoadModule(const std::string& name, std::string& error) {
    const std::string dir = halden::ExecutableDirectory();
    const std::string candidates[] = {dir + "../lib/halducnv/" + name, dir + name, name};
    for (const std::string& path : candidates) {
        if (path.front() == '/' && ::access(path.c_str(), R_OK) != 0) {
            continue;
        }
        if (void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return module;
        }
        if (const char* reason = ::dlerror()) {
            error = reason;
        }
    }
    return nullptr;
}

// Whether the toolkit has a window system to try: a platform chosen on the command line or in
// QT_QPA_PLATFORM, or an X or Wayland display named in the environment. Without one the toolkit
// would abort with a message about reinstalling the program.
bool WindowSystemNamed(int argc, char* argv[]) {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-platform", 9) == 0) {
            return true;
        }
    }
    return false;
}

// Loads a module and runs its entry; what to say when either is missing.
int RunModule(const char* name, const char* entry, const char* what, int argc, char* argv[]) {
    std::string error = std::string(name) + " not found";
    void* module = LoadModule(name, error);
    if (module == nullptr) {
        std::fprintf(stderr, "halducnv: cannot load the %s: %s\n", what, error.c_str());
        return 1;
    }
    auto* moduleMain = reinterpret_cast<ModuleMain>(::dlsym(module, entry));
    if (moduleMain == nullptr) {
        std::fprintf(stderr, "halducnv: %s holds no %s\n", name, what);
        return 1;
    }
    return moduleMain(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--search-provider") == 0) {
        return RunModule(kSearchModule, "HaldenSearchMain", "search provider", argc, argv);
    }
    if (halden::WantsCommandLine(argc, argv)) {
        return halden::CommandLineMain(argc, argv);
    }
    if (!WindowSystemNamed(argc, argv)) {
        std::fprintf(stderr,
                     "halducnv: cannot open a display (DISPLAY or WAYLAND_DISPLAY is not set); "
                     "halducnv --help shows what the program does without one\n");
        return 1;
    }
    return RunModule(kModule, "HaldenWindowMain", "converter window", argc, argv);
}
