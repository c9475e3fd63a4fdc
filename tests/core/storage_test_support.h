// Shared set-up of the file tests: each test runs in its own temporary directory, with
// XDG_CONFIG_HOME pointing into it and the process-wide state fresh.
#pragma once

#include "shared/process_state.h"
#include "storage/file_access.h"
#include "write_faults.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace storage_test {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "halden-storage-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
            saved_xdg_ = old;
        }
        ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        halden::ResetProcessState();
        halden::test::SetWriteFault(std::nullopt);
    }

    void TearDown() override {
        halden::test::SetWriteFault(std::nullopt);
        halden::ResetProcessState();
        if (saved_xdg_) {
            ::setenv("XDG_CONFIG_HOME", saved_xdg_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code ignored;
        std::filesystem::permissions(FilesDir(), std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(root_, ignored);
    }

    /// The directory the program's files go to in this test.
    std::string FilesDir() const { return root_ + "/halducnv/"; }

    void PutFile(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories(FilesDir());
        std::ofstream out(FilesDir() + name, std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.good());
    }

    std::optional<std::string> FileBytes(const std::string& name) const {
        std::ifstream in(FilesDir() + name, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    /// Names in the files directory other than the given file: leftovers of a failed save.
    std::vector<std::string> OtherEntries(const std::string& name) const {
        std::vector<std::string> others;
        for (const auto& entry : std::filesystem::directory_iterator(FilesDir())) {
            if (entry.path().filename() != name) {
                others.push_back(entry.path().filename().string());
            }
        }
        return others;
    }

    /// Makes the files directory unwritable. When the tests run with the rights to write there
    /// anyway (as root), the save is made to fail where it would: creating the temporary file.
    void MakeFilesDirUnwritable() const {
        ASSERT_EQ(::chmod(FilesDir().c_str(), 0555), 0);
        const std::string probe = FilesDir() + "probe";
        if (::mkdir(probe.c_str(), 0700) == 0) {
            ::rmdir(probe.c_str());
            halden::test::SetWriteFault(halden::test::WriteFault{halden::test::WriteFault::Step::CreateTemporary, 0});
        }
    }

    std::string root_;
    std::optional<std::string> saved_xdg_;
};

/// Runs check in a child process, as nobody when the tests run as root; true when check returned
/// true there.
template <typename Check>
bool RunInChildAsNobody(Check check) {
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(2);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/// Runs check in a child process as an ordinary user (nobody, when the tests run as root) with
/// root_dir opened up to that user; true when check returned true there.
template <typename Check>
bool RunAsOrdinaryUser(const std::string& root_dir, Check check) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_dir, ignored)) {
        if (entry.is_directory()) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::all, ignored);
        }
    }
    std::filesystem::permissions(root_dir, std::filesystem::perms::all, ignored);
    return RunInChildAsNobody(check);
}

/// Runs check in a child process as the owner of everything in root_dir, with the modes as they
/// are: when the tests run as root, root_dir and all it holds are given to nobody first.
template <typename Check>
bool RunAsOwnerOfFiles(const std::string& root_dir, Check check) {
    if (::geteuid() == 0) {
        constexpr uid_t kNobody = 65534;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_dir, ignored)) {
            if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) {
                return false;
            }
        }
        if (::lchown(root_dir.c_str(), kNobody, kNobody) != 0) {
            return false;
        }
    }
    return RunInChildAsNobody(check);
}

}  // namespace storage_test
