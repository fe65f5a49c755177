#include <windows.h>

#include <gmock/gmock.h>

#include <string>

#include "launch_probe_windows.h"
#include "platform/process_watch.h"

namespace {

TEST(SystemProcessWatchTest, ALatchedChildRunsUntilItHasEnded) {
    const auto processes = makeSystemProcessWatch();
    EXPECT_THAT(processes->runningProcessIds().value(), ::testing::Contains(GetCurrentProcessId()));

    // The probe holds until the event is set.
    const std::wstring eventName = L"lanhe-hold-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    std::wstring commandLine = L"lanhe_launch_probe hold " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    ASSERT_NE(event, nullptr);
    ASSERT_TRUE(CreateProcessW(launchProbeProgram().c_str(), commandLine.data(), nullptr, nullptr,
                               FALSE, 0, nullptr, nullptr, &startup, &child));
    const std::unique_ptr<LatchedProcess> latched = processes->latch(child.dwProcessId);
    ASSERT_NE(latched, nullptr);
    EXPECT_EQ(latched->state(), ProcessState::running);

    SetEvent(event);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    EXPECT_EQ(latched->state(), ProcessState::ended);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    CloseHandle(event);
}

}  // namespace
