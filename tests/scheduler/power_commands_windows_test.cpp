#include <gmock/gmock.h>

#include "scheduler/power_action.h"
#include "support/recording_launcher.h"

namespace {

using ::testing::ElementsAre;

// Sleep and hibernation are suspend calls of the program's own, named by the command lines
// they replaced; rundll32 made sleep hibernate.
TEST(WindowsPowerCommandsTest, ShutdownAndRestartStartCommandsSleepAndHibernationSuspend) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {0, 1, 2, 3, 4, 5, -1}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt) << "kind " << kind;
    }
    EXPECT_THAT(launcher.attempts(), ElementsAre("shutdown -f -s -t 0", "shutdown -f -r -t 0",
                                                 "rundll32.exe powrprof.dll,SetSuspendState Sleep",
                                                 "rundll32.exe powrprof.dll,SetSuspendState"));
    EXPECT_THAT(launcher.suspends(), ElementsAre(SuspendState::Sleep, SuspendState::Hibernate));
}

}  // namespace
