// Runs a command once, from fork to exit, with its output thrown away, and prints the wall time
// in milliseconds; exits non-zero when the command could not run or failed.
//
// Usage: halden_run_timer PROGRAM [ARGUMENTS...]

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: halden_run_timer PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const double start = Now();
    const pid_t child = fork();
    if (child < 0) {
        return 1;
    }
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return 1;
    }
    const double elapsed = Now() - start;
    std::printf("%.3f\n", elapsed);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
