// The system clock across daylight-saving changes, under a zone set through TZ.
#include <cstdlib>

#include "first_showing_contract.h"

namespace {

// The C runtime takes a zone with a daylight-saving name in TZ by the rules of the United
// States: daylight saving from the second Sunday of March 2:00 to the first Sunday of November
// 2:00. From the instant of a click, the clock first shows 2:30 on the night it skips that
// time when it jumps from 2:00 to 3:00; on the night it shows 1:30 twice, at the showing that
// follows the click, also for a click months before, with a spring and an autumn between.
TEST(SystemClock, FindsWhenTheLocalClockFirstShowsATimeAcrossDaylightSavingChanges) {
    static char centralEurope[] = "TZ=CET-1CEST";
    _putenv(centralEurope);
    expectFirstShowings({
        {{2026, 3, 7, 2, 30, 0}, {2026, 3, 7, 0, 59, 50}, {2026, 3, 7, 1, 30, 0}},
        {{2026, 3, 8, 2, 30, 0}, {2026, 3, 8, 0, 59, 50}, {2026, 3, 8, 1, 0, 0}},
        {{2026, 11, 1, 1, 30, 0}, {2026, 10, 31, 23, 10, 0}, {2026, 10, 31, 23, 30, 0}},
        {{2026, 11, 1, 1, 30, 0}, {2026, 11, 1, 0, 10, 0}, {2026, 11, 1, 0, 30, 0}},
        {{2026, 11, 1, 1, 30, 0}, {2026, 2, 1, 11, 0, 0}, {2026, 10, 31, 23, 30, 0}},
        {{2026, 12, 1, 10, 0, 0}, {2026, 10, 1, 8, 0, 0}, {2026, 12, 1, 9, 0, 0}},
    });
}

}  // namespace
