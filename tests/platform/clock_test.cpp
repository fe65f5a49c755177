// The clocks: the system's wall clock and the automation dates it gives, and the scaling of the
// monotonic clock's ticks.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <utility>

#include "time/automation_date.h"
#include "time/monotonic_clock_scaling.h"

namespace {

// Mended: the zone is read anew for every reading. In UTC the automation date is plain
// arithmetic: day zero lies 25569 days before 1970. The C library keeps the strings it is
// given, hence static.
TEST(SystemClock, FollowsAChangeOfTimeZoneBetweenTwoReadings) {
    static char utcZone[] = "TZ=UTC0";
    static char plusEightZone[] = "TZ=CST-8";
    const auto clock = makeSystemClock();
    const auto utc = [] { return 25569 + static_cast<double>(std::time(nullptr)) / 86400; };
    putenv(utcZone);
    const double inUtc = clock->now();
    EXPECT_NEAR(inUtc, utc(), 2.0 / 86400);
    putenv(plusEightZone);
    EXPECT_NEAR((clock->now() - inUtc) * 24, 8, 1.0 / 60);
}

// Before 30 December 1899 the day counts backwards while the time of day still counts
// forwards; the last second of 9999 is a fraction no double holds exactly.
TEST(AutomationDate, KnownDatesHaveTheirSerials) {
    const std::pair<DateTimeFields, double> known[] = {
        {{2026, 12, 5, 18, 0, 0}, 46361.75},
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399.0 / 86400.0}};
    for (const auto& [fields, serial] : known) {
        EXPECT_EQ(automationDateFromFields(fields), serial) << serial;
        EXPECT_EQ(fieldsOfAutomationDate(serial), fields) << serial;
    }
}

// Multiplying the count by 10^9 first would overflow after about 15 minutes at 10 MHz.
TEST(TicksToNanoseconds, ScalesExactlyWithoutOverflowAfterYearsOfUptime) {
    EXPECT_EQ(ticksToNanoseconds(2, 3'000'000'000), 0);
    EXPECT_EQ(ticksToNanoseconds(12'886'362'001, 3'579'545), 3'600'000'000'279);
    EXPECT_EQ(ticksToNanoseconds(3'153'600'000'000'001, 10'000'000), 315'360'000'000'000'100);
    EXPECT_EQ(ticksToNanoseconds(769'921'797'380'702, 2'441'406), 315'360'000'499'999'590);
}

}  // namespace
