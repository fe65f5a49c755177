#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/clock.h"

namespace {

// In UTC+8 the automation date is plain arithmetic: day zero lies 25569 days before 1970.
TEST(SystemClock, ShowsTheLocalTimeOfTheTimeZone) {
    setenv("TZ", "CST-8", 1);
    tzset();
    const auto utcPlusEight = [] { return 25569 + (std::time(nullptr) + 8 * 3600) / 86400.0; };
    const double before = utcPlusEight();
    const double now = makeSystemClock()->now();
    EXPECT_GE(now, before - 1e-9);
    EXPECT_LE(now, utcPlusEight() + 1e-9);
}

}  // namespace
