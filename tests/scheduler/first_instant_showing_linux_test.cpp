// The system clock across daylight-saving changes, under rules the C library is given in full.
#include <cstdlib>

#include "first_showing_contract.h"

namespace {

// Central European rules: daylight saving from the last Sunday of March 2:00 to the last Sunday
// of October 3:00; those of New York from the second Sunday of March 2:00 to the first Sunday
// of November 2:00. From the instant of a click, the clock first shows 2:30 on the night it
// skips that time when it jumps from 2:00 to 3:00; on the night it shows it twice, at the
// showing that follows the click. Mended: a click months ahead, with a spring and an autumn
// between, finds the first showing of the repeated hour, not the second.
TEST(SystemClock, FindsWhenTheLocalClockFirstShowsATimeAcrossDaylightSavingChanges) {
    static char centralEurope[] = "TZ=CET-1CEST,M3.5.0,M10.5.0/3";
    putenv(centralEurope);
    expectFirstShowings({
        {{2026, 3, 7, 2, 30, 0}, {2026, 3, 7, 0, 59, 50}, {2026, 3, 7, 1, 30, 0}},
        {{2026, 3, 29, 2, 30, 0}, {2026, 3, 29, 0, 59, 50}, {2026, 3, 29, 1, 0, 0}},
        {{2026, 3, 29, 3, 10, 0}, {2026, 3, 29, 0, 50, 0}, {2026, 3, 29, 1, 10, 0}},
        {{2026, 10, 25, 2, 30, 0}, {2026, 10, 24, 23, 50, 0}, {2026, 10, 25, 0, 30, 0}},
        {{2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 1, 10, 0}, {2026, 10, 25, 1, 30, 0}},
        {{2026, 11, 1, 10, 0, 0}, {2026, 10, 1, 8, 0, 0}, {2026, 11, 1, 9, 0, 0}},
        {{2027, 4, 1, 10, 0, 0}, {2026, 10, 1, 8, 0, 0}, {2027, 4, 1, 8, 0, 0}},
        {{2026, 10, 25, 2, 1, 0}, {2026, 1, 15, 11, 0, 0}, {2026, 10, 25, 0, 1, 0}},
    });
    static char newYork[] = "TZ=EST5EDT,M3.2.0,M11.1.0";
    putenv(newYork);
    expectFirstShowings({
        {{2026, 11, 1, 1, 30, 0}, {2026, 2, 1, 17, 0, 0}, {2026, 11, 1, 5, 30, 0}},
        {{2026, 11, 1, 1, 30, 0}, {2026, 11, 1, 6, 10, 0}, {2026, 11, 1, 6, 30, 0}},
    });
}

}  // namespace
