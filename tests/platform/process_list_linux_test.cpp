#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/process_list.h"

namespace {

TEST(SystemProcessListTest, ListsARunningChildButNotOnceItHasEndedAndBeenReaped) {
    const pid_t child = fork();
    if (child == 0) {
        pause();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    const auto processes = makeSystemProcessList();
    const auto id = static_cast<std::uint32_t>(child);
    EXPECT_THAT(processes->runningProcessIds(), ::testing::Contains(id));
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_THAT(processes->runningProcessIds(), ::testing::Not(::testing::Contains(id)));
}

}  // namespace
