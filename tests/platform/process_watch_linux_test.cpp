#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/process_watch.h"
#include "scheduler/messages.h"
#include "scheduler/process_exit_trigger.h"
#include "support/recording_launcher.h"

namespace {

// An ended child that is not yet reaped still has its /proc entry, but has ended all the same:
// the panel refuses it (mended: it fell back to the ID and armed).
TEST(SystemProcessWatchTest, ALatchedChildRunsUntilItHasEndedEvenBeforeItIsReaped) {
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // a failed assertion must not leave it behind
        pause();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    const auto processes = makeSystemProcessWatch();
    const std::unique_ptr<LatchedProcess> latched =
        processes->latch(static_cast<std::uint32_t>(child));
    ASSERT_NE(latched, nullptr);
    EXPECT_EQ(latched->state(), ProcessState::running);
    RecordingLauncher launcher;
    ProcessExitTrigger trigger(*processes, launcher);
    EXPECT_EQ(trigger.Command5_Click({true, false, false, false}, std::to_string(child)),
              kArmedMessage);

    kill(child, SIGKILL);
    siginfo_t ended{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(latched->state(), ProcessState::ended);
    EXPECT_EQ(trigger.Command5_Click({true, false, false, false}, std::to_string(child)),
              kNoSuchProcessMessage);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_EQ(latched->state(), ProcessState::ended);
}

}  // namespace
