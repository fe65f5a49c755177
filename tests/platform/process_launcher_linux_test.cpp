#include <sys/wait.h>

#include <gmock/gmock.h>

#include <cerrno>

#include "platform/process_launcher.h"
#include "support/poll.h"
#include "support/stand_in_path_linux.h"

namespace {

// PATH holds nothing but the recording stand-in, put there only after a first start that
// finds nothing: the real systemctl is out of reach. Once reaped by the launcher, waitid no
// longer knows the child as ours (WNOWAIT leaves a zombie for its rightful reaper).
TEST(SystemLauncherTest, StartsFromThePathEachWordLiterallyWithoutAShellAndLeavesNoZombie) {
    const StandInPath path;
    ASSERT_TRUE(path.isWholeSearchPath());
    const auto launcher = makeSystemProcessLauncher();
    EXPECT_FALSE(launcher->startMinimized("systemctl poweroff"));
    EXPECT_FALSE(launcher->startMinimized(""));
    path.addRecorder("systemctl");
    ASSERT_TRUE(launcher->startMinimized(" systemctl  $HOME;x `id` * >out "));

    const auto calls = path.waitForCalls("systemctl", 1);
    ASSERT_TRUE(calls);
    ASSERT_EQ(calls->size(), 1u);
    EXPECT_THAT(calls->front().arguments, ::testing::ElementsAre("$HOME;x", "`id`", "*", ">out"));
    const pid_t child = calls->front().pid;
    EXPECT_TRUE(pollUntil([child] {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0 &&
               errno == ECHILD;
    })) << child
        << " stayed a child that nobody reaped";
}

}  // namespace
