#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scheduler/power_action.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(WindowsPowerCommandsTest, TheFourKindsStartTheSystemsOwnCommands) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {1, 2, 3, 4}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt);
    }
    EXPECT_THAT(launcher.attempts(), ElementsAre("shutdown -f -s -t 0", "shutdown -f -r -t 0",
                                                 "rundll32.exe powrprof.dll,SetSuspendState Sleep",
                                                 "rundll32.exe powrprof.dll,SetSuspendState"));
}

TEST(WindowsPowerCommandsTest, OtherKindsHaveNoCommand) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {0, 5, -1}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt);
    }
    EXPECT_THAT(launcher.attempts(), IsEmpty());
}

TEST(WindowsPowerCommandsTest, AShutdownThatCannotStartIsReportedWithItsCommandLine) {
    RecordingLauncher launcher;
    launcher.failStarts(true);
    EXPECT_EQ(RunPowerAction(launcher, 1), "无法执行：shutdown -f -s -t 0");
}

}  // namespace
