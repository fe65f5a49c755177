// What the command table of every system keeps: kinds 1 to 4 start their command lines in
// order, sleep and hibernation through the launcher's suspend, and no other kind starts
// anything. Each system's test names its own command lines.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "scheduler/power_action.h"
#include "support/recording_launcher.h"

inline void expectKindsOneToFourStart(const std::vector<std::string>& commandLines) {
    RecordingLauncher launcher;
    for (const ActionKind kind : {0, 1, 2, 3, 4, 5, -1}) {
        EXPECT_EQ(RunPowerAction(launcher, kind), std::nullopt) << "kind " << kind;
    }
    EXPECT_EQ(launcher.attempts(), commandLines);
    EXPECT_THAT(launcher.suspends(),
                ::testing::ElementsAre(SuspendState::Sleep, SuspendState::Hibernate));
}
