#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/clock.h"

namespace {

// In UTC the automation date is plain arithmetic on the Unix time: day zero lies 25569 days
// before 1 January 1970.
double utcAutomationDate(std::time_t unixTime) {
    return 25569.0 + static_cast<double>(unixTime) / 86400.0;
}

TEST(SystemClock, ShowsTheLocalTimeOfTheTimeZone) {
    setenv("TZ", "CST-8", 1);
    tzset();
    const std::unique_ptr<Clock> clock = makeSystemClock();
    const std::time_t before = std::time(nullptr);
    const double now = clock->now();
    const std::time_t after = std::time(nullptr);
    const double eightHours = 8.0 / 24.0;
    EXPECT_GE(now, utcAutomationDate(before) + eightHours - 1e-9);
    EXPECT_LE(now, utcAutomationDate(after) + eightHours + 1e-9);
}

}  // namespace
