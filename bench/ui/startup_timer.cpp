// Runs one program and reports how long it took from exec to its window on the screen, and its
// peak resident memory: "<milliseconds> <peak RSS in KiB>".
//
// The program must honour HALDEN_EXIT_WHEN_SHOWN=1 (set here; the converter does with the window
// observer of tests/support preloaded): it prints "shown <CLOCK_MONOTONIC nanoseconds>" when its
// first window is exposed, then exits. The clock is read just before the
// fork, so process creation and the dynamic loader count as the user would see them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        return 1;
    }
    setenv("HALDEN_EXIT_WHEN_SHOWN", "1", 1);
    const long long start = MonotonicNs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[1], argv + 1);
        std::perror("execv");
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return 1;
    }
    const std::size_t at = text.find("shown ");
    if (at == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not report its window (exit status %d)\n", argv[1], status);
        return 1;
    }
    const long long shown = std::strtoll(text.c_str() + at + 6, nullptr, 10);
    std::printf("%.3f %ld\n", static_cast<double>(shown - start) / 1e6, usage.ru_maxrss);
    return 0;
}
