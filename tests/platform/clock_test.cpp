// The clocks: the system's wall clock and the automation dates it gives, and the scaling of the
// monotonic clock's ticks.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <tuple>
#include <utility>

#include "platform/automation_date.h"
#include "platform/first_instant_showing.h"
#include "platform/monotonic_clock_scaling.h"
#include "support/fake_clock.h"

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

// Central European rules, given in full so that every C library reads them alike: daylight
// saving from the last Sunday of March 2:00 to the last Sunday of October 3:00. From the
// instant of a click, the clock first shows 2:30 on the night it skips that time when it jumps
// from 2:00 to 3:00; on the night it shows it twice, at the showing that follows the click.
TEST(SystemClock, FindsWhenTheLocalClockFirstShowsATimeAcrossDaylightSavingChanges) {
    static char centralEurope[] = "TZ=CET-1CEST,M3.5.0,M10.5.0/3";
    putenv(centralEurope);
    const auto clock = makeSystemClock();
    // The local target, the instant searched from and the instant found, both in UTC.
    const std::tuple<DateTimeFields, DateTimeFields, DateTimeFields> rows[] = {
        {{2026, 3, 7, 2, 30, 0}, {2026, 3, 7, 0, 59, 50}, {2026, 3, 7, 1, 30, 0}},
        {{2026, 3, 29, 2, 30, 0}, {2026, 3, 29, 0, 59, 50}, {2026, 3, 29, 1, 0, 0}},
        {{2026, 3, 29, 3, 10, 0}, {2026, 3, 29, 0, 50, 0}, {2026, 3, 29, 1, 10, 0}},
        {{2026, 10, 25, 2, 30, 0}, {2026, 10, 24, 23, 50, 0}, {2026, 10, 25, 0, 30, 0}},
        {{2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 1, 10, 0}, {2026, 10, 25, 1, 30, 0}},
        {{2026, 11, 1, 10, 0, 0}, {2026, 10, 1, 8, 0, 0}, {2026, 11, 1, 9, 0, 0}},
        {{2027, 4, 1, 10, 0, 0}, {2026, 10, 1, 8, 0, 0}, {2027, 4, 1, 8, 0, 0}},
    };
    for (const auto& [target, from, found] : rows) {
        EXPECT_EQ(firstInstantShowing(*clock, dateOf(target), utcInstantOf(from)),
                  utcInstantOf(found))
            << dateOf(target) << " from " << dateOf(from);
    }
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
