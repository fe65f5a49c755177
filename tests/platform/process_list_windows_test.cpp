#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "launch_probe_windows.h"
#include "platform/process_list.h"

namespace {

using ::testing::Contains;
using ::testing::Not;

TEST(SystemProcessListTest, ListsItselfAndARunningChildButNotOnceItHasEnded) {
    const auto processes = makeSystemProcessList();
    EXPECT_THAT(processes->runningProcessIds(), Contains(GetCurrentProcessId()));

    // The probe holds until the event is set. The child's handle stays open to the end, so
    // that Windows cannot give its ID to another process while the test looks for it.
    const std::wstring eventName = L"lanhe-hold-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    std::wstring commandLine = L"lanhe_launch_probe hold " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    ASSERT_NE(event, nullptr);
    ASSERT_TRUE(CreateProcessW(launchProbeProgram().c_str(), commandLine.data(), nullptr, nullptr,
                               FALSE, 0, nullptr, nullptr, &startup, &child));
    EXPECT_THAT(processes->runningProcessIds(), Contains(child.dwProcessId));

    SetEvent(event);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    EXPECT_THAT(processes->runningProcessIds(), Not(Contains(child.dwProcessId)));
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    CloseHandle(event);
}

}  // namespace
