#include "write_faults.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace halden::test {
namespace {

std::optional<WriteFault> g_fault;
int g_temporary = -1;              // the temporary file the last save created
std::size_t g_temporaryBytes = 0;  // what has been written to it

bool Failing(WriteFault::Step step) { return g_fault && g_fault->step == step; }

}  // namespace

void SetWriteFault(std::optional<WriteFault> fault) { g_fault = fault; }

}  // namespace halden::test

using halden::test::Failing;
using halden::test::g_fault;
using halden::test::g_temporary;
using halden::test::g_temporaryBytes;
using halden::test::WriteFault;

// The linker sends the program's calls to name here (--wrap=name), and __real_name to the system.
extern "C" {
int __real_mkstemp(char* pattern);
ssize_t __real_write(int fd, const void* data, std::size_t size);
int __real_fsync(int fd);
int __real_rename(const char* from, const char* to);

int __wrap_mkstemp(char* pattern) {
    if (Failing(WriteFault::Step::CreateTemporary)) {
        errno = EACCES;
        return -1;
    }
    g_temporary = __real_mkstemp(pattern);
    g_temporaryBytes = 0;
    return g_temporary;
}

ssize_t __wrap_write(int fd, const void* data, std::size_t size) {
    if (fd != g_temporary || !Failing(WriteFault::Step::Write)) {
        return __real_write(fd, data, size);
    }
    // The disk is full once the fault's bytes are on it.
    const std::size_t room = g_fault->bytesBeforeFailure - std::min(g_fault->bytesBeforeFailure, g_temporaryBytes);
    if (room == 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t written = __real_write(fd, data, std::min(size, room));
    if (written > 0) {
        g_temporaryBytes += static_cast<std::size_t>(written);
    }
    return written;
}

int __wrap_fsync(int fd) {
    if (fd == g_temporary && Failing(WriteFault::Step::Sync)) {
        errno = EIO;
        return -1;
    }
    return __real_fsync(fd);
}

int __wrap_rename(const char* from, const char* to) {
    if (Failing(WriteFault::Step::Rename)) {
        errno = EXDEV;
        return -1;
    }
    return __real_rename(from, to);
}
}
