#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "launch_probe_windows.h"
#include "platform/process_launcher_windows.h"
#include "support/poll.h"
#include "support/scratch_directory.h"

namespace fs = std::filesystem;

namespace {

// What a started probe wrote about itself.
struct ProbeRecord {
    fs::path program;
    bool usesShowWindow = false;
    int showWindow = -1;
};

std::optional<ProbeRecord> readRecord(const fs::path& file) {
    std::ifstream in(file);
    ProbeRecord record;
    std::string program;
    if (!std::getline(in, program) || !(in >> record.usesShowWindow >> record.showWindow)) {
        return std::nullopt;
    }
    record.program = fs::path(program);
    return record;
}

std::wstring searchPath() {
    std::wstring path(32767, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), static_cast<DWORD>(path.size())));
    return path;
}

bool samePath(const fs::path& a, const fs::path& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Two copies of the probe: one in a directory that stands for the system directory, one
// under the same name in the current directory, which is also put on the search path.
// Nothing but the probe and cmd.exe is ever started here.
class WindowsLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(systemDirectory());
        fs::create_directory(currentDirectory());
        fs::copy_file(launchProbeProgram(), systemDirectory() / L"lanhe-probe.exe");
        fs::copy_file(launchProbeProgram(), currentDirectory() / L"lanhe-probe.exe");
        fs::copy_file(launchProbeProgram(), currentDirectory() / L"lanhe-cwd-only.exe");
        savedCurrent_ = fs::current_path();
        fs::current_path(currentDirectory());
        savedPath_ = searchPath();
        SetEnvironmentVariableW(L"PATH", currentDirectory().c_str());
    }

    void TearDown() override {
        SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
        fs::current_path(savedCurrent_);
    }

    fs::path systemDirectory() const { return scratch_.path() / L"system"; }
    fs::path currentDirectory() const { return scratch_.path() / L"current"; }

    // The record a probe leaves in the current directory, once it can be read: right after
    // the probe's rename its handle may still be open, and opening the file then fails.
    std::optional<ProbeRecord> waitForRecord(const std::wstring& name) const {
        const fs::path file = currentDirectory() / name;
        std::optional<ProbeRecord> record;
        pollUntil([&] {
            record = readRecord(file);
            return record.has_value();
        });
        return record;
    }

    ScratchDirectory scratch_;
    fs::path savedCurrent_;
    std::wstring savedPath_;
};

TEST_F(WindowsLauncherTest, StartsTheProgramFromItsDirectoryNotFromTheCurrentOne) {
    const auto launcher = makeProcessLauncherResolvingIn(systemDirectory().wstring());
    ASSERT_TRUE(launcher->startMinimized("lanhe-probe record started.txt"));

    const std::optional<ProbeRecord> record = waitForRecord(L"started.txt");
    ASSERT_TRUE(record);
    EXPECT_TRUE(samePath(record->program, systemDirectory() / L"lanhe-probe.exe"))
        << record->program.string();
}

TEST_F(WindowsLauncherTest, StartsTheProgramMinimized) {
    const auto launcher = makeProcessLauncherResolvingIn(systemDirectory().wstring());
    ASSERT_TRUE(launcher->startMinimized("lanhe-probe.exe record shown.txt"));

    const std::optional<ProbeRecord> record = waitForRecord(L"shown.txt");
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->usesShowWindow);
    EXPECT_EQ(record->showWindow, SW_SHOWMINIMIZED);
}

TEST_F(WindowsLauncherTest, AProgramOnlyInTheCurrentDirectoryIsNotStarted) {
    const auto launcher = makeProcessLauncherResolvingIn(systemDirectory().wstring());
    EXPECT_FALSE(launcher->startMinimized("lanhe-cwd-only record stray.txt"));
    EXPECT_FALSE(fs::exists(currentDirectory() / L"stray.txt"));
}

TEST_F(WindowsLauncherTest, WithoutADirectoryNothingIsStarted) {
    const auto launcher = makeProcessLauncherResolvingIn(L"");
    EXPECT_FALSE(launcher->startMinimized("lanhe-cwd-only record stray.txt"));
    EXPECT_FALSE(launcher->startMinimized("lanhe-probe record stray.txt"));
}

TEST_F(WindowsLauncherTest, StartsNothingForAnEmptyCommandLine) {
    const auto launcher = makeProcessLauncherResolvingIn(systemDirectory().wstring());
    EXPECT_FALSE(launcher->startMinimized(""));
}

// The real launcher: what lies only in the current directory (and on the search path) is
// not found, and a program of the system directory is.
TEST_F(WindowsLauncherTest, TheSystemLauncherIgnoresTheCurrentDirectoryAndTheSearchPath) {
    EXPECT_FALSE(makeSystemProcessLauncher()->startMinimized("lanhe-cwd-only record stray.txt"));
    EXPECT_FALSE(fs::exists(currentDirectory() / L"stray.txt"));
}

TEST_F(WindowsLauncherTest, TheSystemLauncherStartsAProgramOfTheSystemDirectory) {
    ASSERT_TRUE(makeSystemProcessLauncher()->startMinimized("cmd.exe /c echo started>cmd.txt"));
    EXPECT_TRUE(pollUntil([&] {
        std::error_code missing;
        const auto size = fs::file_size(currentDirectory() / L"cmd.txt", missing);
        return !missing && size > 0;
    }));
}

}  // namespace
