#include <gmock/gmock.h>

#include "scheduler/power_action.h"
#include "support/recording_launcher.h"

namespace {

TEST(LinuxPowerCommandsTest, KindsOneToFourAskSystemdAndNoOtherKindStartsAnything) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {0, 1, 2, 3, 4, 5, -1}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt) << "kind " << kind;
    }
    EXPECT_THAT(launcher.attempts(),
                ::testing::ElementsAre("systemctl poweroff", "systemctl reboot",
                                       "systemctl suspend", "systemctl hibernate"));
    EXPECT_THAT(launcher.suspends(),
                ::testing::ElementsAre(SuspendState::Sleep, SuspendState::Hibernate));
}

}  // namespace
