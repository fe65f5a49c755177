// The system clock across daylight-saving changes, under a zone set through TZ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "platform/clock.h"
#include "platform/first_instant_showing.h"
#include "support/fake_clock.h"

namespace {

// The C runtime takes a zone with a daylight-saving name in TZ by the rules of the United
// States: daylight saving from the second Sunday of March 2:00 to the first Sunday of November
// 2:00. From the instant of a click, the clock first shows 2:30 on the night it skips that
// time when it jumps from 2:00 to 3:00; on the night it shows 1:30 twice, at the showing that
// follows the click.
TEST(SystemClock, FindsWhenTheLocalClockFirstShowsATimeAcrossDaylightSavingChanges) {
    static char centralEurope[] = "TZ=CET-1CEST";
    _putenv(centralEurope);
    const auto clock = makeSystemClock();
    // The local target, the instant searched from and the instant found, both in UTC.
    const std::tuple<DateTimeFields, DateTimeFields, DateTimeFields> rows[] = {
        {{2026, 3, 7, 2, 30, 0}, {2026, 3, 7, 0, 59, 50}, {2026, 3, 7, 1, 30, 0}},
        {{2026, 3, 8, 2, 30, 0}, {2026, 3, 8, 0, 59, 50}, {2026, 3, 8, 1, 0, 0}},
        {{2026, 11, 1, 1, 30, 0}, {2026, 10, 31, 23, 10, 0}, {2026, 10, 31, 23, 30, 0}},
        {{2026, 11, 1, 1, 30, 0}, {2026, 11, 1, 0, 10, 0}, {2026, 11, 1, 0, 30, 0}},
        {{2026, 12, 1, 10, 0, 0}, {2026, 10, 1, 8, 0, 0}, {2026, 12, 1, 9, 0, 0}},
    };
    for (const auto& [target, from, found] : rows) {
        EXPECT_EQ(firstInstantShowing(*clock, dateOf(target), utcInstantOf(from)),
                  utcInstantOf(found))
            << dateOf(target) << " from " << dateOf(from);
    }
}

}  // namespace
