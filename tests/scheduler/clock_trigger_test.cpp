#include "scheduler/clock_trigger.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"
#include "support/recording_launcher.h"

namespace {

// A tick that leaves the tops must not stop later ticks from clearing them. Arming and firing
// are tested through the window (form1_clock_trigger_test.cpp).
TEST(ClockTriggerTest, ATickClearsBothTopsOnlyWhenTheDownloadTopIsNotZero) {
    FakeClock clock{{2026, 12, 5, 22, 58, 30}};
    RecordingLauncher launcher;
    RateTops tops{0, 500};
    ClockTrigger trigger{clock, launcher, tops};
    trigger.Timer1_Timer();
    EXPECT_EQ(tops.dblUploadSpeedTop, 500);
    tops = {0.5, 7};
    trigger.Timer1_Timer();
    EXPECT_EQ(tops.dblDownloadSpeedTop, 0);
    EXPECT_EQ(tops.dblUploadSpeedTop, 0);
}

}  // namespace
