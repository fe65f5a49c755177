#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/process_launcher.h"
#include "support/poll.h"
#include "support/stand_in_path_linux.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Every test here starts programs only with PATH holding nothing but its own stand-ins.
class SystemLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(path_.isWholeSearchPath());
        path_.addRecorder("systemctl");
    }

    // Whether the child is gone for good: reaped by someone else, so waitid no longer
    // knows it as a child of ours (WNOWAIT leaves a zombie for its rightful reaper).
    static bool reapedElsewhere(pid_t child) {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0 &&
               errno == ECHILD;
    }

    StandInPath path_;
    std::unique_ptr<ProcessLauncher> launcher_ = makeSystemProcessLauncher();
};

TEST_F(SystemLauncherTest, StartsTheProgramFoundOnThePathWithTheWordsAsArguments) {
    ASSERT_TRUE(launcher_->startMinimized("systemctl poweroff"));

    const auto calls = path_.waitForCalls("systemctl", 1);
    ASSERT_TRUE(calls);
    ASSERT_EQ(calls->size(), 1u);
    EXPECT_THAT(calls->front().arguments, ElementsAre("poweroff"));
}

TEST_F(SystemLauncherTest, PassesShellCharactersLiterallyBecauseNoShellIsInvolved) {
    ASSERT_TRUE(launcher_->startMinimized("systemctl $HOME;x `id` 'q' * a|b >out"));

    const auto calls = path_.waitForCalls("systemctl", 1);
    ASSERT_TRUE(calls);
    EXPECT_THAT(calls->front().arguments,
                ElementsAre("$HOME;x", "`id`", "'q'", "*", "a|b", ">out"));
}

TEST_F(SystemLauncherTest, RunsOfSpacesSeparateWordsWithoutEmptyArguments) {
    ASSERT_TRUE(launcher_->startMinimized("  systemctl   suspend  now "));

    const auto calls = path_.waitForCalls("systemctl", 1);
    ASSERT_TRUE(calls);
    EXPECT_THAT(calls->front().arguments, ElementsAre("suspend", "now"));
}

TEST_F(SystemLauncherTest, SaysSoWhenTheProgramIsNotOnThePath) {
    EXPECT_FALSE(launcher_->startMinimized("lanhe-no-such-program poweroff"));
}

TEST_F(SystemLauncherTest, SaysSoWhenTheProgramCannotBeExecuted) {
    path_.addNonExecutable("lanhe-not-executable");
    EXPECT_FALSE(launcher_->startMinimized("lanhe-not-executable poweroff"));
}

TEST_F(SystemLauncherTest, StartsNothingForABlankCommandLine) {
    EXPECT_FALSE(launcher_->startMinimized(""));
    EXPECT_FALSE(launcher_->startMinimized("   "));
    EXPECT_THAT(path_.calls("systemctl"), IsEmpty());
}

TEST_F(SystemLauncherTest, LeavesNoZombieOnceTheProgramHasEnded) {
    ASSERT_TRUE(launcher_->startMinimized("systemctl reboot"));

    const auto calls = path_.waitForCalls("systemctl", 1);
    ASSERT_TRUE(calls);
    const pid_t child = calls->front().pid;
    ASSERT_GT(child, 0);
    EXPECT_TRUE(pollUntil([child] { return reapedElsewhere(child); }))
        << "process " << child << " stayed a child of ours that nobody reaped";
}

}  // namespace
