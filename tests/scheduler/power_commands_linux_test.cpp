#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scheduler/power_action.h"
#include "support/recording_launcher.h"
#include "support/stand_in_path_linux.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(LinuxPowerCommandsTest, TheFourKindsAskSystemdForTheirPowerState) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {1, 2, 3, 4}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt);
    }
    EXPECT_THAT(launcher.attempts(), ElementsAre("systemctl poweroff", "systemctl reboot",
                                                 "systemctl suspend", "systemctl hibernate"));
}

TEST(LinuxPowerCommandsTest, OtherKindsHaveNoCommand) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {0, 5, -1}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt);
    }
    EXPECT_THAT(launcher.attempts(), IsEmpty());
}

// The real launcher, with a recording systemctl as the only program on PATH.
TEST(LinuxPowerCommandsTest, TheSystemLauncherStartsSystemctlFromThePath) {
    const StandInPath path;
    ASSERT_TRUE(path.isWholeSearchPath());
    path.addRecorder("systemctl");
    const auto launcher = makeSystemProcessLauncher();

    EXPECT_EQ(RunPowerAction(*launcher, 3), std::nullopt);

    const auto calls = path.waitForCalls("systemctl", 1);
    ASSERT_TRUE(calls);
    ASSERT_EQ(calls->size(), 1u);
    EXPECT_THAT(calls->front().arguments, ElementsAre("suspend"));
}

TEST(LinuxPowerCommandsTest, WithoutSystemctlOnThePathTheUserIsToldWhatCouldNotRun) {
    const StandInPath path;
    ASSERT_TRUE(path.isWholeSearchPath());
    const auto launcher = makeSystemProcessLauncher();

    EXPECT_EQ(RunPowerAction(*launcher, 1), "无法执行：systemctl poweroff");
}

}  // namespace
