#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "launch_probe_windows.h"
#include "platform/process_list.h"

namespace {

using ::testing::Contains;
using ::testing::Not;

// The probe in hold mode, running until its event is set; the handle is kept to the end
// so that Windows cannot give its ID to another process while the test looks for it.
class HeldProbe {
  public:
    HeldProbe()
        : eventName_(L"lanhe-hold-" + std::to_wstring(GetCurrentProcessId())),
          event_(CreateEventW(nullptr, TRUE, FALSE, eventName_.c_str())) {
        std::wstring commandLine = L"lanhe_launch_probe hold " + eventName_;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (event_ != nullptr &&
            CreateProcessW(launchProbeProgram().c_str(), commandLine.data(), nullptr, nullptr,
                           FALSE, 0, nullptr, nullptr, &startup, &process_)) {
            CloseHandle(process_.hThread);
        }
    }
    HeldProbe(const HeldProbe&) = delete;
    HeldProbe& operator=(const HeldProbe&) = delete;
    ~HeldProbe() {
        release();
        if (process_.hProcess != nullptr) {
            CloseHandle(process_.hProcess);
        }
        if (event_ != nullptr) {
            CloseHandle(event_);
        }
    }

    std::uint32_t id() const { return process_.dwProcessId; }
    bool started() const { return process_.hProcess != nullptr; }

    // Lets the probe end and waits until it has.
    bool release() {
        return started() && SetEvent(event_) &&
               WaitForSingleObject(process_.hProcess, 60000) == WAIT_OBJECT_0;
    }

  private:
    std::wstring eventName_;
    HANDLE event_;
    PROCESS_INFORMATION process_{};
};

TEST(SystemProcessListTest, ListsThisProcess) {
    EXPECT_THAT(makeSystemProcessList()->runningProcessIds(), Contains(GetCurrentProcessId()));
}

TEST(SystemProcessListTest, ListsARunningChildButNotOnceItHasEnded) {
    HeldProbe child;
    ASSERT_TRUE(child.started()) << "could not start " << launchProbeProgram().string();
    const auto processes = makeSystemProcessList();
    EXPECT_THAT(processes->runningProcessIds(), Contains(child.id()));

    ASSERT_TRUE(child.release());
    EXPECT_THAT(processes->runningProcessIds(), Not(Contains(child.id())));
}

}  // namespace
