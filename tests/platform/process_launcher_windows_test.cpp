#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "launch_probe_windows.h"
#include "platform/process_launcher_windows.h"
#include "support/poll.h"
#include "support/scratch_directory.h"

namespace fs = std::filesystem;

namespace {

// Nothing in these tests ever suspends the machine.
const SuspendCall kRefuseToSuspend = [](bool, bool, bool) { return false; };

// Disables the shutdown privilege and says whether it was enabled until then: inside the
// suspend call, whether the launcher had enabled it.
bool disableShutdownPrivilege() {
    HANDLE token = nullptr;
    TOKEN_PRIVILEGES disabled{1, {{{}, 0}}};
    TOKEN_PRIVILEGES before{};
    DWORD size = 0;
    const bool adjusted =
        OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token) &&
        LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &disabled.Privileges[0].Luid) &&
        AdjustTokenPrivileges(token, FALSE, &disabled, sizeof(before), &before, &size);
    CloseHandle(token);
    return adjusted && before.PrivilegeCount == 1 &&
           (before.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;
}

// The probe in a directory that stands for the system directory, and under a name of its own in
// the current directory, which is also the whole search path. Nothing but the probe and cmd.exe
// is ever started here.
class WindowsLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(system_);
        fs::create_directory(current_);
        fs::copy_file(launchProbeProgram(), system_ / L"lanhe-probe.exe");
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

// The probe tells, after an empty line, the directory it ran from and how it was asked to show
// its window.
TEST_F(WindowsLauncherTest, StartsTheProgramOfItsDirectoryMinimizedAndTellsHowItEnded) {
    EXPECT_EQ(endOf(*makeProcessLauncherResolvingIn(system_.wstring(), kRefuseToSuspend),
                    [](auto& launcher) { return launcher.startMinimized("lanhe-probe"); }),
              (CommandEnd{3, "system 1 " + std::to_string(SW_SHOWMINIMIZED)}));
    EXPECT_EQ(endOf(*makeSystemProcessLauncher(),
                    [](auto& launcher) { return launcher.startMinimized("cmd.exe /c exit 5"); }),
              (CommandEnd{5, ""}));
}

// Nor anything without a thread to wait for it: its end would go unheard.
TEST_F(WindowsLauncherTest, StartsNothingFromTheCurrentDirectoryOrTheSearchPath) {
    const auto launcher = makeProcessLauncherResolvingIn(system_.wstring(), kRefuseToSuspend);
    EXPECT_FALSE(launcher->startMinimized("lanhe-cwd-only"));
    EXPECT_FALSE(launcher->startMinimized(""));
    EXPECT_FALSE(
        makeProcessLauncherResolvingIn(L"", kRefuseToSuspend)->startMinimized("lanhe-cwd-only"));
    EXPECT_FALSE(makeSystemProcessLauncher()->startMinimized("lanhe-cwd-only"));
    const auto threadless = makeProcessLauncherResolvingIn(
        system_.wstring(), kRefuseToSuspend, [](const std::function<void()>&) { return false; });
    EXPECT_FALSE(threadless->startMinimized("lanhe-probe"));
    EXPECT_FALSE(threadless->startSuspend(SuspendState::Sleep, "rundll32.exe"));
}

// SetSuspendState takes hibernate, force and wake-up events disabled: sleep is (FALSE, FALSE,
// FALSE), hibernation (TRUE, FALSE, FALSE), each called once the shutdown privilege is enabled.
// A refusal ends with the system's error code and its text; one that left no code has neither
// (the system's text for code 0 says the operation succeeded).
TEST(WindowsSuspendTest, CallsSetSuspendStateWithTheShutdownPrivilegeEnabled) {
    const std::tuple<SuspendState, bool, DWORD, std::optional<int>> cases[] = {
        {SuspendState::Hibernate, true, ERROR_SUCCESS, 0},
        {SuspendState::Sleep, false, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
        {SuspendState::Hibernate, false, ERROR_SUCCESS, std::nullopt}};
    for (const auto& [state, accepted, lastError, exitStatus] : cases) {
        const bool hibernate = state == SuspendState::Hibernate;
        SCOPED_TRACE(lastError);
        disableShutdownPrivilege();
        ASSERT_FALSE(disableShutdownPrivilege()) << "the shutdown privilege stays enabled";
        std::vector<std::array<bool, 4>> calls;
        const SuspendCall suspend = [&calls, accepted = accepted, lastError = lastError](
                                        bool h, bool force, bool wake) {
            calls.push_back({h, force, wake, disableShutdownPrivilege()});
            SetLastError(lastError);
            return accepted;
        };
        const std::optional<CommandEnd> end =
            endOf(*makeProcessLauncherResolvingIn(L"", suspend), [state = state](auto& launcher) {
                return launcher.startSuspend(state, "rundll32.exe powrprof.dll,SetSuspendState");
            });

        ASSERT_TRUE(end);
        EXPECT_EQ(end->exitStatus, exitStatus);
        EXPECT_EQ(end->firstErrorLine.empty(), lastError == ERROR_SUCCESS) << end->firstErrorLine;
        EXPECT_EQ(calls, (std::vector<std::array<bool, 4>>{{hibernate, false, false, true}}));
    }
}

}  // namespace
