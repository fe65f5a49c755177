// The system's wall clock.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

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

}  // namespace
