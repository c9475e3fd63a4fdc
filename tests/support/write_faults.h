// Failed saves on demand, for the tests of the files: the calls a save makes to create, write, sync
// and rename its temporary file reach the system through this library (linked with the linker's
// --wrap), which can make one of them fail as a full disk or an unwritable directory would.
#pragma once

#include <cstddef>
#include <optional>

namespace halden::test {

struct WriteFault {
    enum class Step { CreateTemporary, Write, Sync, Rename };
    Step step = Step::Write;
    std::size_t bytesBeforeFailure = 0;  // Step::Write: the bytes that reach the temporary file first
};

/// Makes the saves from now on fail at the fault's step; std::nullopt lets them through again.
void SetWriteFault(std::optional<WriteFault> fault);

}  // namespace halden::test
