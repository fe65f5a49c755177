#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "launch_probe_windows.h"
#include "platform/process_launcher_windows.h"
#include "support/poll.h"
#include "support/scratch_directory.h"

namespace fs = std::filesystem;

namespace {

// The probe in a directory that stands for the system directory, and under the same name in
// the current directory, which is also the whole search path. A probe writes its record into
// its own directory. Nothing but the probe and cmd.exe is ever started here.
class WindowsLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(system_);
        fs::create_directory(current_);
        fs::copy_file(launchProbeProgram(), system_ / L"lanhe-probe.exe");
        fs::copy_file(launchProbeProgram(), current_ / L"lanhe-probe.exe");
        fs::copy_file(launchProbeProgram(), current_ / L"lanhe-cwd-only.exe");
        fs::current_path(current_);
        savedPath_.resize(GetEnvironmentVariableW(L"PATH", savedPath_.data(), 32767));
        SetEnvironmentVariableW(L"PATH", current_.c_str());
    }

    void TearDown() override {
        SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
        fs::current_path(savedCurrent_);
    }

    ScratchDirectory scratch_;
    fs::path system_ = scratch_.path() / L"system";
    fs::path current_ = scratch_.path() / L"current";
    fs::path savedCurrent_ = fs::current_path();
    std::wstring savedPath_ = std::wstring(32767, L'\0');
};

TEST_F(WindowsLauncherTest, StartsTheProgramOfItsDirectoryMinimized) {
    const auto launcher = makeProcessLauncherResolvingIn(system_.wstring());
    ASSERT_TRUE(launcher->startMinimized("lanhe-probe record started.txt"));
    // Read once written: the probe writes its few bytes at once when it closes the file.
    std::string shown;
    EXPECT_TRUE(pollUntil([&] {
        std::ifstream in(system_ / L"started.txt");
        return std::getline(in, shown) && !shown.empty();
    }));
    EXPECT_EQ(shown, "1 " + std::to_string(SW_SHOWMINIMIZED));
}

TEST_F(WindowsLauncherTest, StartsNothingFromTheCurrentDirectoryOrTheSearchPath) {
    const auto launcher = makeProcessLauncherResolvingIn(system_.wstring());
    EXPECT_FALSE(launcher->startMinimized("lanhe-cwd-only record stray.txt"));
    EXPECT_FALSE(launcher->startMinimized(""));
    EXPECT_FALSE(
        makeProcessLauncherResolvingIn(L"")->startMinimized("lanhe-probe record stray.txt"));
    EXPECT_FALSE(makeSystemProcessLauncher()->startMinimized("lanhe-cwd-only record stray.txt"));
    EXPECT_FALSE(fs::exists(current_ / L"stray.txt"));
}

TEST_F(WindowsLauncherTest, TheSystemLauncherStartsAProgramOfTheSystemDirectory) {
    ASSERT_TRUE(makeSystemProcessLauncher()->startMinimized("cmd.exe /c echo started>cmd.txt"));
    EXPECT_TRUE(pollUntil([&] {
        std::error_code missing;
        return fs::file_size(current_ / L"cmd.txt", missing) > 0 && !missing;
    }));
}

}  // namespace
